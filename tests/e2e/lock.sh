#!/usr/bin/env bash
# One game per save folder: a second copy started while a game runs says so and leaves at once,
# without taking the terminal or touching the saved game; once the first has ended, a new copy
# plays. A lock that cannot be held refuses the game as well.
set -euo pipefail
source "$(dirname "$0")/tmux.sh"
no_locks="$3"  # a library that makes every flock fail, as a file system without locks does
save="$E2E_HOME/.vh/vardenholt.sav"

# Without the lock two games would overwrite each other's save, so whatever keeps it from being
# held stops the game before it looks for a terminal, with one line and status 1. (The unit tests
# plant links and folders in the lock file's place.)
planted="$E2E_HOME/planted"
mkdir -p -m 700 "$planted/.vh"
expect_cannot_lock() {
  local status=0
  timeout 20 env HOME="$planted" "${@:2}" "$game" </dev/null 2>"$planted/err" || status=$?
  [ "$status" = 1 ] && [ "$(cat "$planted/err")" = "vardenholt: cannot lock $planted/.vh/: $1" ] ||
    fail "$1: exit status $status, and the game said $(cat "$planted/err")"
}
expect_cannot_lock "No locks available" LD_PRELOAD="$no_locks"
# Root opens anyone's file, so the owner of the lock file is what tells it from a planted one.
PATH="$PATH:/usr/sbin:/sbin"
if [ "$(id -u)" != 0 ] || ! command -v useradd >/dev/null; then
  echo "lock: a lock file of another user's not tried: that needs root and useradd"
else
  other="vh-lock-$$"
  useradd --no-create-home --shell /usr/sbin/nologin "$other"
  trap 'userdel "$other" || true; cleanup' EXIT
  install -o "$other" -m 600 /dev/null "$planted/.vh/vardenholt.lock"
  expect_cannot_lock "vardenholt.lock belongs to another user"
fi

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
# Recovering a lost save needs the folder too, and is refused in the same words.
status=0
recovered="$(HOME="$E2E_HOME" "$game" --recover "$E2E_HOME/none.vhr" 2>&1)" || status=$?
[ "$status" = 1 ] && [ "$recovered" = "$expected" ] ||
  fail "--recover while a game runs: exit status $status, and it said $recovered"
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
