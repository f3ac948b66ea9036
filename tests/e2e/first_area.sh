#!/usr/bin/env bash
# The game in a real terminal: the instructions, then area 1 with the King in the top-left corner;
# saving and declining to go on ends the program with the terminal given back in its usual modes.
set -euo pipefail
source "$(dirname "$0")/tmux.sh"

start_terminal
run_in_terminal "$game; { echo exit=\$?; stty -a; } > $E2E_OUT.part; mv $E2E_OUT.part $E2E_OUT"
wait_for_row 23 'Press any key to start playing\.'
press x
wait_for_row 0 '^#{59} Area: 1'
wait_for_row 1 '^#@'
wait_for_row 18 '^#{59}'
wait_for_row 17 '>#'
press S
wait_for_row 22 'Will save and exit when you complete this turn\.'
press .
wait_for_row 15 'Continue play\? \[Y/n\]'
press n
wait_for_file "$E2E_OUT"
grep -q '^exit=0$' "$E2E_OUT" || fail "exit status: $(head -1 "$E2E_OUT")"
grep -qE '(^| )icanon( |$)' "$E2E_OUT" || fail "terminal left without line editing"
grep -qE '(^| )echo( |$)' "$E2E_OUT" || fail "terminal left without echo"
echo "first_area: passed"
