#!/usr/bin/env bash
# Whatever signal ends the game, the terminal is given back; a hangup or a terminate request
# during play saves the game first, and the next run resumes it.
set -euo pipefail
game="$1"
source "$(dirname "$0")/tmux.sh"
save="$E2E_HOME/.vh/vardenholt.sav"

# Starts the game in a fresh shell and takes the King one step right.
start_and_step() {
  tmux -L "$E2E_SOCKET" kill-session -t game 2>/dev/null || true
  start_terminal
  run_in_terminal "$game; { echo exit=\$?; stty -a; } > $E2E_OUT.part; mv $E2E_OUT.part $E2E_OUT"
  wait_for_row 23 'Press any key to start playing\.'
  press x
  wait_for_row 1 "$1"
  press l
  wait_for_row 1 "$2"
}

expect_terminal_back() {
  wait_for_file "$E2E_OUT"
  grep -q '^exit=0$' "$E2E_OUT" || fail "exit status: $(head -1 "$E2E_OUT")"
  grep -qE '(^| )icanon( |$)' "$E2E_OUT" || fail "terminal left without line editing"
  grep -qE '(^| )echo( |$)' "$E2E_OUT" || fail "terminal left without echo"
  rm -f "$E2E_OUT"
}

# A hangup: the terminal closes under the game.
start_and_step '^#@' '^#\.@'
pid="$(game_pid)"
tmux -L "$E2E_SOCKET" kill-session -t game
wait_for_exit "$pid" || fail "the game did not end on a hangup"
[ -e "$save" ] || fail "a hangup lost the game"
echo "hangup: the game was saved"

# Terminate: the run resumes the game saved on hangup, then is told to stop.
start_and_step '^#\.@' '^#\.\.@'
[ ! -e "$save" ] || fail "the resumed save is still there"
kill -TERM "$(game_pid)"
expect_terminal_back
[ -e "$save" ] || fail "a terminate request lost the game"
echo "terminate: the game was saved and the terminal given back"

# Interrupt from the keyboard: the run ends and gives the terminal back.
start_and_step '^#\.\.@' '^#\.\.\.@'
press C-c
expect_terminal_back
echo "interrupt: the terminal was given back"
echo "signals: passed"
