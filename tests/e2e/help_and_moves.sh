#!/usr/bin/env bash
# Moving the King, and the help screen and back, in a real terminal.
set -euo pipefail
source "$(dirname "$0")/tmux.sh"

play_open_floor
press y
wait_for_row 22 "That's not a legal move\."
press l
wait_for_row 9 "$(king_at 30)"
wait_for_row 22 '^ *$'
press Right
wait_for_row 9 "$(king_at 31)"
press '?'
wait_for_row 0 '^  Keyboard help:'
wait_for_row 22 'Press any key to exit help and go back to the game\.'
press x
wait_for_row 0 '^#{59} Area: 1'
wait_for_row 9 "$(king_at 31)"
echo "help_and_moves: passed"
