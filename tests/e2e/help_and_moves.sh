#!/usr/bin/env bash
# Moving the King, and the help screen and back, in a real terminal.
set -euo pipefail
game="$1"
source "$(dirname "$0")/tmux.sh"

start_terminal
run_in_terminal "$game"
wait_for_row 23 'Press any key to start playing\.'
press x
wait_for_row 1 '^#@'
press y
wait_for_row 22 "That's not a legal move\."
# A step right onto the corridor that always leaves the start cell.
press l
wait_for_row 1 '^#\.@'
wait_for_row 22 '^ *$'
press Right
wait_for_row 1 '^#\.\.@'
press '?'
wait_for_row 0 '^  Keyboard help:'
wait_for_row 22 'Press any key to exit help and go back to the game\.'
press x
wait_for_row 0 '^#{59} Area: 1'
wait_for_row 1 '^#\.\.@'
echo "help_and_moves: passed"
