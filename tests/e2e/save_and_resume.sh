#!/usr/bin/env bash
# A game saved in one run goes on in the next, where it was left.
set -euo pipefail
source "$(dirname "$0")/tmux.sh"
save="$E2E_HOME/.vh/vardenholt.sav"

play_open_floor "$game; echo first-run-over"
press l
wait_for_row 9 "$(king_at 30)"
press S
press l
wait_for_row 15 'Continue play\? \[Y/n\]'
press n
wait_for_file "$save"
wait_for_text '^first-run-over$'

run_in_terminal "clear; $game"
wait_for_row 23 'Press any key to start playing\.'
press x
wait_for_row 9 "$(king_at 31)"
[ ! -e "$save" ] || fail "the saved game was not used up by the resume"
echo "save_and_resume: passed"
