#!/usr/bin/env bash
# Waiting for a key costs nothing: while the game waits it makes no system call at all, so it
# never wakes, and a key still answers at once. A second copy started meanwhile without a
# terminal reports the game in play before anything else. IDLE_SECONDS sets how long the wait is
# watched (2 seconds unless given).
set -euo pipefail
source "$(dirname "$0")/tmux.sh"
seconds="${IDLE_SECONDS:-2}"
skip() {
  echo "SKIP: $*"
  exit 77
}
command -v strace >/dev/null || skip "strace is not installed (Debian package strace)"

# Counts the system calls of process $1 over $seconds seconds into $made.
count_calls() {
  local calls="$E2E_HOME/calls" tracer
  strace -c -o "$calls" -p "$1" 2>"$E2E_HOME/strace.err" &
  tracer=$!
  for _ in $(seq 200); do
    grep -qs attached "$E2E_HOME/strace.err" && break
    kill -0 "$tracer" 2>/dev/null || skip "strace cannot trace here: $(cat "$E2E_HOME/strace.err")"
    sleep 0.05
  done
  sleep "$seconds"  # the wait being measured
  kill -INT "$tracer"
  wait "$tracer" || true
  made="$(awk '$NF == "total" { print $4 }' "$calls")"
  made="${made:-0}"
  rm -f "$E2E_HOME/strace.err"
}

play_open_floor
count_calls "$(game_pid)"
echo "idle: $made system calls in $seconds seconds of waiting for a key"
[ "$made" = 0 ] || fail "the waiting game made system calls: $(cat "$E2E_HOME/calls")"
press l
wait_for_row 9 "$(king_at 30)"

set +e
HOME="$E2E_HOME" timeout 20 "$game" </dev/null 2>"$E2E_HOME/second.err"
status=$?
set -e
[ "$status" = 1 ] || fail "second copy exit status $status"
grep -q '^vardenholt: a game is already running' "$E2E_HOME/second.err" ||
  fail "second copy said: $(cat "$E2E_HOME/second.err")"

# A replay sleeps between the keys it shows, too: at 1.6 s a key, a few calls a key.
press S
press .
wait_for_row 15 'Continue play\? \[Y/n\]'
press n
recording="$(ls "$E2E_HOME/.vh/recordings/"*.vhr)"
run_in_terminal "clear; $game --replay $recording"
wait_for_row 0 'Area: 1'
press - - -
count_calls "$(game_pid)"
echo "idle: $made system calls in $seconds seconds of a slow replay"
[ "$made" -lt 100 ] || fail "the replay spun between keys: $(cat "$E2E_HOME/calls")"
press q
echo "idle: passed"
