#!/usr/bin/env bash
# The game in each kind of terminal it was tried on. In every one it draws its first screen at
# the terminal's own size, whatever LINES and COLUMNS say; each key of the numeric keypad moves
# the King its own way whether the keypad sends digits or application sequences, and so do the
# keys it sends with NumLock off; anything else a terminal sends (a mouse report, an unknown
# function key, an Alt combination) is one illegal key; dark grey and the keypad's kinds of key
# can be seen, with colours or without; the help reads; and the terminal is given back as it was.
set -euo pipefail
source "$(dirname "$0")/tmux.sh"

e=$'\e'
column=29
row=9

# Sends a key and expects the King to have moved by $2 columns and $3 rows, the turn over.
step() {
  send_bytes "$1"
  column=$((column + $2))
  row=$((row + $3))
  wait_for_row "$row" "$(king_at "$column")"
  wait_for_row 22 '^ *$'
}

# Sends what must be one illegal key: the game says so; the next step shows the King stayed.
refused() {
  send_bytes "$1"
  wait_for_row 22 "That's not a legal move\."
}

# The sequence a terminal of type $1 sends for key $2, or nothing.
sequence() { TERM=$1 tput "$2" 2>/dev/null || true; }

# Plays in a terminal of type $1 (with further settings $4...), whose wait keys are drawn in the
# style $2 matches and whose help names dark grey as $3.
play_in() {
  local term=$1 wait_style=$2 dark_grey=$3
  shift 3
  echo "--- TERM=$term $*"
  tmux -L "$E2E_SOCKET" kill-session -t game 2>/dev/null || true
  start_from diagonal
  start_terminal "TERM=$term" COLUMNS=60 LINES=20 "$@"
  run_in_terminal "$game; { echo exit=\$?; stty -a; } > $E2E_OUT.part; mv $E2E_OUT.part $E2E_OUT"
  wait_for_row 23 'Press any key to start playing\.'
  press x
  column=29
  row=9
  wait_for_row 9 "$(king_at 29)"
  wait_for_row 0 '^#{59} Area: 1'

  # The one-step keys are bold; the wait key in the middle of the numeric picture has its style.
  local keys
  keys="$(styled_row 15)"
  grep -qE "${e}\[(1|[0-9;]*;1)m(${e}\[[0-9;]*m)*4" <<<"$keys" || fail "4 is not bold: $keys"
  grep -oE "4(${e}\[[0-9;]*m)*5" <<<"$keys" | grep -qE -- "$wait_style" ||
    fail "the wait key is not drawn as /$wait_style/: $(cat -v <<<"$keys")"

  # Application keypad mode: ESC O and the key plus 0x40.
  step "${e}Oy" 1 -1
  step "${e}Os" 1 1
  step "${e}Oq" -1 1
  step "${e}Ow" -1 -1
  step "${e}Ox" 0 -1
  step "${e}Or" 0 1
  step "${e}Ov" 1 0
  step "${e}Ot" -1 0
  refused "${e}Op"
  step "${e}Ou" 0 0
  # Numeric keypad mode: the digits themselves.
  step 9 1 -1
  step 1 -1 1
  # NumLock off: Home, PgUp, End and PgDn are 7, 9, 1 and 3, and the centre key waits.
  local seq cap dx dy
  for key in "khome -1 -1" "knp 1 1" "kpp 1 -1" "kend -1 1"; do
    read -r cap dx dy <<<"$key"
    seq="$(sequence "$term" "$cap")"
    [ -z "$seq" ] || step "$seq" "$dx" "$dy"
  done
  seq="$(sequence "$term" kb2)"
  if [ -n "$seq" ] && [[ "$seq" != "${e}O"[p-y] ]]; then
    refused "${e}Op"
    step "$seq" 0 0
  fi
  # A mouse report in both forms, an unknown function key, Alt-l, and window titles and device
  # strings ended either way: none of their bytes moves.
  send_bytes "${e}[Mlll${e}[<0;1;1M${e}[1;5C${e}l${e}]2;lll"$'\a'"${e}]0;l${e}\\${e}Plll${e}\\"
  step l 1 0

  press '?'
  wait_for_row 0 '^  Keyboard help:'
  wait_for_row 7 "^ *${dark_grey}: wait without moving"
  wait_for_row 22 'Press any key to exit help and go back to the game\.'
  press x
  wait_for_row 0 '^#{59} Area: 1'
  wait_for_row "$row" "$(king_at "$column")"
}

# Ends the game in play with a signal (it saves) and expects the terminal given back.
leave() {
  kill -s TERM "$(game_pid)"
  wait_for_file "$E2E_OUT"
  grep -q '^exit=0$' "$E2E_OUT" || fail "exit status: $(head -1 "$E2E_OUT")"
  grep -qE '(^| )icanon( |$)' "$E2E_OUT" || fail "terminal left without line editing"
  grep -qE '(^| )ixon( |$)' "$E2E_OUT" || fail "terminal left without flow control"
  rm -f "$E2E_OUT"
}

# Plays in a terminal of type $1 as play_in does, where this machine has its description.
play_in_known() {
  if TERM=$1 tput cols >/dev/null 2>&1; then
    play_in "$@"
    leave
  else
    echo "skipped: no description of $1 here (Debian packages ncurses-base, ncurses-term)"
  fi
}

bright_black="${e}\[90m"
black="${e}\[30m"
reverse="^4(${e}\[[0-9;]*m)*${e}\[([0-9;]*;)?7m(${e}\[39m|${e}\[49m)*5$"

play_in xterm-256color "$bright_black" "Dark grey" NO_COLOR=
# Flow control is off: Ctrl-S and Ctrl-Q are illegal keys, and the screen goes on changing.
refused $'\x13'
step l 1 0
refused $'\x11'
step h -1 0
# NumLock-off keys as tmux sends them, which this terminal's description does not name.
press Home
column=$((column - 1)) row=$((row - 1))
wait_for_row "$row" "$(king_at "$column")"
press End
column=$((column - 1)) row=$((row + 1))
wait_for_row "$row" "$(king_at "$column")"
# The notice that the terminal is too small fits in it, however small.
tmux -L "$E2E_SOCKET" resize-window -t game -x 24 -y 3
wait_for_row 0 '^Too small: make it at *$'
wait_for_row 1 '^least 80x24\. *$'
tmux -L "$E2E_SOCKET" resize-window -t game -x 80 -y 24
wait_for_row 11 'Controls'
wait_for_row "$row" "$(king_at "$column")"
leave

play_in_known screen "$black" "Dark grey"
play_in_known screen-256color "$bright_black" "Dark grey"
play_in_known linux "$black" "Dark grey"
play_in_known vt100 "$reverse" "Reverse"
play_in_known xterm-mono "$reverse" "Reverse"
play_in xterm-256color "$reverse" "Reverse" NO_COLOR=1
leave
echo "terminals: passed"
