#!/usr/bin/env bash
# One game per save folder: a second copy started while a game runs says so and leaves at once,
# without taking the terminal or touching the saved game; once the first has ended, a new copy
# plays.
set -euo pipefail
source "$(dirname "$0")/tmux.sh"
save="$E2E_HOME/.vh/vardenholt.sav"

start_from open
start_terminal
run_in_terminal "$game"
wait_for_row 23 'Press any key to start playing\.'
first="$(game_pid)"
# The first copy has not reached the saved game yet: the second must leave it alone.
tmux -L "$E2E_SOCKET" new-session -d -s second -x 80 -y 24 \
  "env -i HOME=$E2E_HOME TERM=xterm-256color PATH=/usr/bin:/bin bash --norc --noprofile -c \
   '$game 2> $E2E_HOME/second.err; echo \$? > $E2E_HOME/second.status'"
wait_for_file "$E2E_HOME/second.status"
[ "$(cat "$E2E_HOME/second.status")" = 1 ] || fail "second copy exit status $(cat "$E2E_HOME/second.status")"
expected="vardenholt: a game is already running from $E2E_HOME/.vh/ (process $first)"
[ "$(cat "$E2E_HOME/second.err")" = "$expected" ] || fail "second copy said: $(cat "$E2E_HOME/second.err")"
[ -e "$save" ] || fail "the second copy touched the saved game"
press x
wait_for_row 9 "$(king_at 29)"
press S
press l
wait_for_row 15 'Continue play\? \[Y/n\]'
press n
wait_for_exit "$first"
# The lock went with the first copy: a new one plays and resumes the save.
run_in_terminal "clear; $game"
wait_for_row 23 'Press any key to start playing\.'
press x
wait_for_row 9 "$(king_at 30)"
echo "lock: passed"
