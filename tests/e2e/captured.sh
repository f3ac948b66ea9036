#!/usr/bin/env bash
# Being captured: the notice, the score screen with the high score, and no other game.
set -euo pipefail
source "$(dirname "$0")/tmux.sh"

HOME="$E2E_HOME" "$fixture" doomed
start_terminal
run_in_terminal "$game; echo exit=\$?"
wait_for_row 23 'Press any key to start playing\.'
press x
wait_for_row 0 ' Area: 4'
press .
wait_for_row 19 'You were captured by a queen\. Checkmate\.'
wait_for_row 20 'Press any key to exit\.'
press x
wait_for_row 1 'You were captured by the forces of the Black King\. You lose\.'
wait_for_row 10 'Your final score was: 0'
wait_for_row 12 'High score: A loss with 0 points on level 4'
wait_for_row 15 '^ {15}Play again\? \[Y/n\]'
press n
wait_for_text '^exit=0$'
echo "captured: passed"
