#!/usr/bin/env bash
# The game in a real terminal: area 1 is drawn with the King in the top-left corner, and a key
# ends the program with the terminal given back in its usual modes.
set -euo pipefail
game="$1"
source "$(dirname "$0")/tmux.sh"

start_terminal
run_in_terminal "$game; { echo exit=\$?; stty -a; } > $E2E_OUT.part; mv $E2E_OUT.part $E2E_OUT"
wait_for_row 0 '^#{59}'
wait_for_row 1 '^#@'
wait_for_row 18 '^#{59}'
wait_for_row 17 '>#'
press x
wait_for_file "$E2E_OUT"
grep -q '^exit=0$' "$E2E_OUT" || fail "exit status: $(head -1 "$E2E_OUT")"
grep -qE '(^| )icanon( |$)' "$E2E_OUT" || fail "terminal left without line editing"
grep -qE '(^| )echo( |$)' "$E2E_OUT" || fail "terminal left without echo"
echo "first_area: passed"
