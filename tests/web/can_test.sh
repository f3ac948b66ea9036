#!/usr/bin/env bash
# Succeeds when the browser test can run here: emscripten builds the page and Chromium plays it.
# Otherwise says why not. Node.js comes with emscripten; npm is needed to install the driver.
set -uo pipefail
if ! command -v emcc >/dev/null 2>&1 || ! command -v emcmake >/dev/null 2>&1; then
  echo "emscripten is not installed (Debian: apt install emscripten)"
  exit 1
fi
if ! command -v chromium >/dev/null 2>&1; then
  echo "Chromium is not installed (Debian: apt install chromium)"
  exit 1
fi
