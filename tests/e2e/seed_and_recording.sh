#!/usr/bin/env bash
# A seed plays the game the clock would have chosen at that second; every game played in the
# terminal is recorded, and its recording verifies without a terminal.
set -euo pipefail
source "$(dirname "$0")/tmux.sh"
save="$E2E_HOME/.vh/vardenholt.sav"

# Plays the first area to a save, leaving the map (rows 0 to 18) in $E2E_OUT.map.
first_area_then_save() {
  run_in_terminal "clear; $game $1; echo game-over"
  wait_for_row 23 'Press any key to start playing\.'
  press x
  wait_for_row 0 '^#{59} Area: 1'
  screen_text | head -19 > "$E2E_OUT.map"
  press S
  press .
  wait_for_row 15 'Continue play\? \[Y/n\]'
  press n
  wait_for_text '^game-over$'
}

start_terminal
# The clock's second is the seed when the game starts within it: try until one does.
for attempt in 1 2 3 4 5; do
  before="$(date +%s)"
  first_area_then_save ""
  after_start="$(date -r "$E2E_HOME/.vh/vardenholt.lock" +%s)"
  rm -f "$save"
  [ "$before" = "$after_start" ] && break
done
[ "$before" = "$after_start" ] || fail "the clock ticked during every start"
mv "$E2E_OUT.map" "$E2E_OUT.clock"
first_area_then_save "--seed $before"
rm -f "$save"
diff "$E2E_OUT.clock" "$E2E_OUT.map" >&2 || fail "--seed $before showed another first area"
echo "seed: --seed $before shows the area of a run started at that second"


recording="$(ls "$E2E_HOME/.vh/recordings/"*.vhr | tail -1)"
grep -q "^seed $before\$" "$recording" || fail "the recording does not name its seed"
# Replays keep their files in memory: no temporary folder is needed, nor made.
HOME="$E2E_HOME" TMPDIR="$E2E_HOME/missing" "$game" --verify "$recording" > "$E2E_OUT.verify" ||
  fail "the recording did not verify: $(cat "$E2E_OUT.verify")"
grep -qE "^ending=saved area=1 score=0 .* turns=1 from=seed:$before\$" "$E2E_OUT.verify" ||
  fail "verify said: $(cat "$E2E_OUT.verify")"
[ "$(tail -2 "$E2E_HOME/.vh/games.log" | grep -c "	seed=$before	")" = 2 ] || fail "the log lacks a game"
echo "recording: verified"

# However long a recording is, verifying it takes the same small memory: 16 MB of keys after the
# game's end are counted, not held.
{ head -n -1 "$recording"; { yes 114 || true; } | head -n 4000000; tail -n 1 "$recording"; } > "$E2E_OUT.long"
status=0
(ulimit -v 100000 && HOME="$E2E_HOME" "$game" --verify "$E2E_OUT.long") > "$E2E_OUT.verify" 2>&1 ||
  status=$?
[ "$status" = 1 ] && [ "$(tail -1 "$E2E_OUT.verify")" = "4000000 keys are left over after the game ended" ] ||
  fail "a long recording gave status $status: $(head -c 300 "$E2E_OUT.verify")"
rm "$E2E_OUT.long"
echo "recording: a long one verified in bounded memory"

# Watching it shows the same area, touches none of the player's files, and ends when asked.
before_files="$(cd "$E2E_HOME/.vh" && ls -lR --time-style=full-iso)"
run_in_terminal "clear; $game --replay $recording; echo replay-exit=\$?"
wait_for_row 0 '^#{59} Area: 1'
[ "$(screen_text | head -19)" = "$(cat "$E2E_OUT.map")" ] || fail "the replay shows another area"
wait_for_row 23 'The recording is over: press any key to leave, or <- to go back\.'
press x
wait_for_text '^replay-exit=0$'
run_in_terminal "clear; $game -r $recording; echo replay-exit=\$?"
wait_for_row 0 '^#{59} Area: 1'
press q
wait_for_text '^replay-exit=0$'
# A recording cut short (a crash) shows as far as it goes.
head -n -2 "$recording" > "$E2E_OUT.cut"
run_in_terminal "clear; $game --replay $E2E_OUT.cut; echo replay-exit=\$?"
wait_for_row 23 'The recording stops here: press any key to leave, or <- to go back\.'
press x
wait_for_text '^replay-exit=0$'
# A hangup in the middle of a replay, with TMPDIR a file, leaves nothing behind anywhere.
touch "$E2E_OUT.tmp"
run_in_terminal "clear; TMPDIR=$E2E_OUT.tmp $game --replay $recording; echo replay-exit=\$?"
wait_for_row 0 '^#{59} Area: 1'
press ' '
kill -HUP "$(game_pid)"
wait_for_text '^replay-exit=0$'
[ "$(cd "$E2E_HOME/.vh" && ls -lR --time-style=full-iso)" = "$before_files" ] ||
  fail "a replay touched the player's files"
[ -z "$(find "$E2E_HOME" -name 'vardenholt-replay-*')" ] || fail "a replay left a folder"
echo "replay: watched and stopped"

# A recording that would write to the watcher's terminal through a damaged saved game inside it
# ends in one line of printable text, with the terminal given back.
{ sed -n 1,5p "$recording"; printf 'saved-game 24\n[372]I\033]0;owned\007\033[2J\033[5m\n'
  printf 'high-score none\nkeys\n120\n'; } > "$E2E_OUT.damaged"
run_in_terminal "clear; $game --replay $E2E_OUT.damaged 2>$E2E_OUT.err; echo replay-exit=\$?"
wait_for_row 23 'The recording cannot be replayed further: press any key to leave\.'
press x
wait_for_text '^replay-exit=1$'
[ "$(cat "$E2E_OUT.err")" = "vardenholt: 254: Invalid int to unmarshall : ?]0;owned??[2J?[5m" ] ||
  fail "the damaged replay said: $(od -c "$E2E_OUT.err" | head -5)"
echo "replay: a damaged recording ends in one filtered line"
# The game of the day is the seed of today's date in UTC, and the log says which games it was.
today="$(date -u +%Y%m%d)"
first_area_then_save --daily
rm -f "$save"
mv "$E2E_OUT.map" "$E2E_OUT.daily"
first_area_then_save "--seed $today"
rm -f "$save"
if [ "$(date -u +%Y%m%d)" = "$today" ]; then
  diff "$E2E_OUT.daily" "$E2E_OUT.map" >&2 || fail "--daily showed another area than --seed $today"
  [ "$(tail -2 "$E2E_HOME/.vh/games.log" | grep -c "	seed=$today	.*	daily=yes\$")" = 2 ] ||
    fail "the log does not mark the games of the day: $(tail -2 "$E2E_HOME/.vh/games.log")"
  echo "daily: --daily plays the game of seed $today"
fi
echo "seed_and_recording: passed"
