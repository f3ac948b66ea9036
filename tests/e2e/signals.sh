#!/usr/bin/env bash
# Whatever signal ends the game, the game in play is saved and the terminal given back, the
# player is told how to go on, and the next run resumes exactly where the King stood.
set -euo pipefail
source "$(dirname "$0")/tmux.sh"
save="$E2E_HOME/.vh/vardenholt.sav"
saved_line='Your game has been saved\. Run vardenholt to continue it\.'

# Starts the game in a fresh shell (through the launcher $2, if given), checks that it resumed
# with the King at column $1, and takes him one step right.
resume_and_step() {
  tmux -L "$E2E_SOCKET" kill-session -t game 2>/dev/null || true
  start_terminal
  run_in_terminal "${2:-} $game; { echo exit=\$?; stty -a; } > $E2E_OUT.part; mv $E2E_OUT.part $E2E_OUT"
  wait_for_row 23 'Press any key to start playing\.'
  press x
  wait_for_row 9 "$(king_at "$1")"
  [ ! -e "$save" ] || fail "the resumed save is still there"
  press l
  wait_for_row 9 "$(king_at $(($1 + 1)))"
}

expect_saved_and_terminal_back() {
  wait_for_file "$E2E_OUT"
  grep -q '^exit=0$' "$E2E_OUT" || fail "exit status: $(head -1 "$E2E_OUT")"
  grep -qE '(^| )icanon( |$)' "$E2E_OUT" || fail "terminal left without line editing"
  grep -qE '(^| )echo( |$)' "$E2E_OUT" || fail "terminal left without echo"
  wait_for_text "$saved_line"
  [ -e "$save" ] || fail "the game was lost"
  rm -f "$E2E_OUT"
}

start_from open
column=29

# The terminal closes under the game.
resume_and_step $column
column=$((column + 1))
pid="$(game_pid)"
tmux -L "$E2E_SOCKET" kill-session -t game
wait_for_exit "$pid" || fail "the game did not end on a hangup"
[ -e "$save" ] || fail "a hangup lost the game"
echo "hangup: saved"

# From the keyboard: interrupt and quit.
for key in C-c 'C-\'; do
  resume_and_step $column
  column=$((column + 1))
  press "$key"
  expect_saved_and_terminal_back
  echo "$key: saved, terminal back"
done

# Sent by other programs or limits.
for signal in TERM PIPE ALRM USR1 USR2 XCPU VTALRM; do
  resume_and_step $column
  column=$((column + 1))
  kill -s "$signal" "$(game_pid)"
  expect_saved_and_terminal_back
  echo "SIG$signal: saved, terminal back"
done

# A game whose parent left the signals blocked still hears them while it waits for a key.
blocked="perl -MPOSIX -e 'sigprocmask(SIG_BLOCK, POSIX::SigSet->new(SIGTERM, SIGHUP)); exec @ARGV'"
resume_and_step $column "$blocked"
column=$((column + 1))
kill -s TERM "$(game_pid)"
expect_saved_and_terminal_back
echo "SIGTERM, blocked by the parent: saved, terminal back"
resume_and_step $column
echo "signals: passed"
