#!/usr/bin/env bash
# A terminal made too small is told so; made large again, the game is redrawn as it was, and
# the resize never counts as a move.
set -euo pipefail
source "$(dirname "$0")/tmux.sh"

play_open_floor
before="$(screen_text | head -19)"
tmux -L "$E2E_SOCKET" resize-window -t game -x 60 -y 20
wait_for_row 0 '^The terminal is too small\.'
tmux -L "$E2E_SOCKET" resize-window -t game -x 80 -y 24
wait_for_row 11 'Controls'
[ "$(screen_text | head -19)" = "$before" ] || fail "the map is not as it was before the resize"
press l
wait_for_row 9 "$(king_at 30)"
echo "resize: passed"
