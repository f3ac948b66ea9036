#!/usr/bin/env bash
# A replay the watcher steers in a real terminal: paused, stepped forward and back, jumped from
# area to area, each screen the one a plain replay shows at that key; and a game given as a link
# replays and verifies as its file does.
set -euo pipefail
source "$(dirname "$0")/tmux.sh"
recording="$(dirname "$0")/../data/long-game.vhr"

# The screen a plain replay shows at a moment, in $E2E_OUT.N.
expected() { "$fixture" screen "$recording" "$1" > "$E2E_OUT.$1"; echo "$E2E_OUT.$1"; }
mapfile -t areas < <("$fixture" area-starts "$recording")
[ "${#areas[@]}" -ge 3 ] || fail "the long game has ${#areas[@]} area changes"

start_terminal
run_in_terminal "clear; $game --replay $recording; echo replay-exit=\$?"
press Space
wait_for_row 23 '^Turn [0-9]+/1001  Area [0-9]+  Pace 200 ms  Paused '
wait_for_screen "$(expected 0)"
press .
wait_for_screen "$(expected 1)"
press Right
wait_for_screen "$(expected 2)"
press Left
wait_for_screen "$(expected 1)"
echo "replay: stepped forward and back"
press n
wait_for_screen "$(expected "${areas[0]}")"
press n
wait_for_screen "$(expected "${areas[1]}")"
press p
wait_for_screen "$(expected "${areas[0]}")"
echo "replay: jumped from area to area"
press q
wait_for_text '^replay-exit=0$'

# The same game as a link: raw deflate in base64url after "#replay=".
link="https://vardenholt.org/play/#replay=$(python3 -c '
import base64, sys, zlib
packer = zlib.compressobj(9, zlib.DEFLATED, -15)
packed = packer.compress(open(sys.argv[1], "rb").read()) + packer.flush()
print(base64.urlsafe_b64encode(packed).decode().rstrip("="))' "$recording")"
[ "$("$game" --verify "$link")" = "$("$game" --verify "$recording")" ] ||
  fail "the link verified otherwise than its file: $("$game" --verify "$link")"
status=0
"$game" --verify "${link:0:200}" > "$E2E_OUT.verify" || status=$?
[ "$status" = 1 ] && [ "$(cat "$E2E_OUT.verify")" = "260: Invalid link: its recording is damaged or cut short" ] ||
  fail "a cut link gave status $status: $(cat "$E2E_OUT.verify")"
printf '%s' "$link" > "$E2E_OUT.link"  # longer than a line tmux types
run_in_terminal "clear; $game --replay \"\$(cat $E2E_OUT.link)\"; echo replay-exit=\$?"
press Space
wait_for_screen "$(expected 0)"
press q
wait_for_text '^replay-exit=0$'
echo "replay: a link replays and verifies as its file"
echo "replay_steering: passed"
