#!/usr/bin/env bash
# The command line: what each kind of argument prints, where, and with which exit status. The
# game must never start here: its standard input is not a terminal, and a timeout guards it.
set -uo pipefail
game="$1" version="$2"
out="$(mktemp)" err="$(mktemp)" home="$(mktemp -d)"
trap 'rm -rf "$out" "$err" "$home"' EXIT
failures=0

fail() {
  echo "FAIL: vardenholt $1: $2" >&2
  failures=$((failures + 1))
}

# expect STATUS STREAM PATTERN ARGUMENT...: the status, and the whole of STREAM (stdout or stderr),
# newlines included, matching the extended regular expression PATTERN while the other stream
# stays empty.
expect() {
  local status=$1 stream=$2 pattern=$3
  shift 3
  local line="$*"
  HOME="$home" timeout 10 "$game" "$@" </dev/null >"$out" 2>"$err"
  local actual=$?
  [ "$actual" -eq "$status" ] || fail "$line" "exit status $actual, expected $status"
  local written=$out silent=$err
  [ "$stream" = stdout ] || { written=$err; silent=$out; }
  [ -s "$silent" ] && fail "$line" "unexpected output: $(head -c 200 "$silent")"
  local text
  text="$(cat "$written"; echo .)"
  [[ "${text%.}" =~ $pattern ]] || fail "$line" "output did not match /$pattern/: ${text:0:300}"
}

n=$'\n'
usage='Usage: vardenholt \[-s N \| --seed N \| --daily\] \[-r FILE \| --replay FILE\]
                  \[--verify FILE\.\.\.\] \[--recover FILE\] \[--recordings\]
                  \[--scores \[--daily\]\] \[-h \| --help\] \[-V \| --version\]'
expect 0 stdout "^vardenholt ${version//./\\.}$n$" --version
expect 0 stdout "^vardenholt ${version//./\\.}$n$" -V
expect 0 stdout "^$usage$n.*--version.*man 6 vardenholt$n$" --help
expect 0 stdout "^$usage$n" -h
expect 0 stdout "^$usage$n" --vers --he             # abbreviations; help wins over version
expect 2 stderr "^vardenholt: unrecognised option '--bogus'$n$usage$n$" --bogus
expect 2 stderr "^vardenholt: unrecognised option '-x'$n$usage$n$" -hx
expect 2 stderr "^vardenholt: unrecognised option '-x'$n$usage$n$" --help -xh  # the letter at fault
ambiguous="option '--ver' is ambiguous; possibilities: '--verify' '--version'"
expect 2 stderr "^vardenholt: $ambiguous$n$usage$n$" --ver
expect 2 stderr "^vardenholt: option '--s=1' is ambiguous; possibilities: '--scores' '--seed'$n$usage$n$" \
  --s=1
expect 2 stderr "^vardenholt: unrecognised option '--help=yes'$n$usage$n$" --help=yes
expect 2 stderr "^vardenholt: unexpected argument 'save'$n$usage$n$" save
expect 2 stderr "^vardenholt: unexpected argument 'save'$n$usage$n$" --help save  # a mistake wins
expect 2 stderr "^vardenholt: unexpected argument '-'$n$usage$n$" -- -
seed="the seed must be a whole number from 0 to 2147483647"
expect 2 stderr "^vardenholt: $seed, not '2147483648'$n$usage$n$" --seed 2147483648
expect 2 stderr "^vardenholt: $seed, not '-1'$n$usage$n$" -s -1
expect 2 stderr "^vardenholt: $seed, not '7x'$n$usage$n$" --seed=7x
expect 2 stderr "^vardenholt: $seed, not ''$n$usage$n$" --seed=
expect 2 stderr "^vardenholt: option '--seed' needs a value$n$usage$n$" --seed
expect 2 stderr "^vardenholt: option '-r' needs a value$n$usage$n$" -r
choose="choose one of --seed, --replay, --verify, --recover, --recordings and --scores"
expect 2 stderr "^vardenholt: $choose$n$usage$n$" --seed 1 --scores
expect 2 stderr "^vardenholt: $choose$n$usage$n$" --recordings --scores
expect 0 stdout "^No games yet\.$n$" --scores
expect 0 stdout "^No games of the day yet\.$n$" --scores --daily
alone="--daily plays the game of the day, or with --scores lists its best games, and goes with nothing else"
expect 2 stderr "^vardenholt: $alone$n$usage$n$" --daily --seed 1
expect 2 stderr "^vardenholt: $alone$n$usage$n$" --replay x --daily
# Listing the recordings makes no folder for them.
expect 0 stdout "^No recordings yet in $home/\.vh/recordings/: every game records itself\.$n$" --recordings
[ ! -e "$home/.vh/recordings" ] || fail "--recordings" "it made the folder of recordings"
# A seeded game is a new one: with a game saved it refuses, and leaves the save as it was.
mkdir -p -m 700 "$home/.vh"
printf 'saved' >"$home/.vh/vardenholt.sav"
expect 1 stderr "^vardenholt: a saved game exists in $home/\.vh/; run vardenholt without --seed to continue it$n$" \
  --seed 5
expect 1 stderr "^vardenholt: a saved game exists in $home/\.vh/; run vardenholt without --daily to continue it$n$" \
  --daily
[ "$(cat "$home/.vh/vardenholt.sav")" = saved ] || fail "--seed 5" "the saved game changed"
rm "$home/.vh/vardenholt.sav"
# The scores read the log even when started with standard input closed, so that the save folder
# is opened on descriptor 0.
printf 'version=1.0.0\tstart=2026-12-07T01:00:00Z\tend=2026-12-07T01:30:00Z\tseed=42\tending=win\tarea=20\tscore=1060\tpawns=1\tknights=2\tbishops=1\trooks=1\tqueens=5\tking=1\tturns=812\trecording=\n' \
  >"$home/.vh/games.log"
HOME="$home" timeout 10 "$game" --scores <&- >"$out" 2>"$err"
grep -q '^   1   1060  win        20  2026-12-07  42$' "$out" ||
  fail "--scores <&-" "the log was not read: $(head -c 200 "$out" "$err")"
# The game of the day is marked, and --daily lists only today's.
today="$(date -u +%Y%m%d)" started="$(date -u +%Y-%m-%dT%H:%M:%SZ)"
game_line() {
  printf 'version=1.2.0\tstart=%s\tend=%s\tseed=%s\tending=lose\tarea=%s\tscore=%s\tpawns=1\tknights=0\tbishops=0\trooks=0\tqueens=0\tking=0\tturns=9\trecording=\n' "$@"
}
{ game_line "$started" "$started" "$today" 3 300; game_line 2026-12-01T10:00:00Z 2026-12-01T10:10:00Z 20261201 4 400
  game_line "$started" "$started" 42 5 500; } >>"$home/.vh/games.log"
HOME="$home" timeout 10 "$game" --scores >"$out" 2>&1
[ "$(sed -n 's/^ *\([0-9]*\) *\([0-9]*\) .*  \([0-9*]*\)$/\1 \2 \3/p' "$out")" = "1 1060 42
2 500 42
3 400 20261201*
4 300 $today*" ] && tail -1 "$out" | grep -q '^\* the game of the day' ||
  fail "--scores" "the games of the day are not marked: $(cat "$out")"
HOME="$home" timeout 10 "$game" --scores --daily >"$out" 2>&1
[ "$(sed -n 's/^ *\([0-9]*\) *\([0-9]*\) .*  \([0-9*]*\)$/\1 \2 \3/p' "$out")" = "1 300 $today*" ] ||
  fail "--scores --daily" "not today's game alone: $(cat "$out")"
rm "$home/.vh/games.log"
# What the user typed reaches the terminal without its control characters.
expect 2 stderr "^vardenholt: unrecognised option '--\?\[2J'$n$usage$n$" $'--\e[2J'

# An answer that cannot be written is a failure, not a success.
timeout 10 "$game" --version >/dev/full 2>"$err"
status=$?
[ "$status" -eq 1 ] || fail "--version >/dev/full" "exit status $status, expected 1"
grep -q 'cannot write' "$err" || fail "--version >/dev/full" "no complaint on standard error"

[ "$failures" -eq 0 ] || exit 1
echo "options: passed"
