#!/usr/bin/env bash
# Draws the PNGs of the icon from its SVG, with the browser the page's tests use; run it after
# changing the drawing and commit what it writes.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for size in 16 32 48 64 128 192 256 512; do
  cat >"$work/page.html" <<HTML
<!doctype html><style>html,body{margin:0;background:transparent}img{display:block}</style>
<img src="file://$here/vardenholt.svg" width="$size" height="$size">
HTML
  chromium --headless=new --no-sandbox --disable-gpu --hide-scrollbars \
    --allow-file-access-from-files --default-background-color=00000000 \
    --window-size="$size,$size" --screenshot="$here/vardenholt-$size.png" \
    "file://$work/page.html" >/dev/null 2>&1
done
