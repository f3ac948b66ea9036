#!/usr/bin/env bash
# The manual page renders with no warning at all.
set -euo pipefail
warnings="$(groff -t -man -ww -z "$1" 2>&1)"
if [ -n "$warnings" ]; then
  echo "$warnings"
  exit 1
fi
echo "manual: renders cleanly"
