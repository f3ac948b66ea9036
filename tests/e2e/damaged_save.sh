#!/usr/bin/env bash
# A damaged saved game gives a clear error line, on the screen and after the terminal is back,
# and is left in place.
set -euo pipefail
source "$(dirname "$0")/tmux.sh"
mkdir -p "$E2E_HOME/.vh"
printf '[191]I[5]' > "$E2E_HOME/.vh/vardenholt.sav"

start_terminal
run_in_terminal "$game; echo exit=\$?"
wait_for_row 23 'Press any key to start playing\.'
press x
wait_for_row 0 '^253: Invalid unmarshalling id'
press x
wait_for_text '^exit=0$'
screen_text | grep -q '^253: Invalid unmarshalling id$' || fail "no error line after the game"
[ -e "$E2E_HOME/.vh/vardenholt.sav" ] || fail "the damaged file was removed"
echo "damaged_save: passed"
