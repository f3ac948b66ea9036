#!/usr/bin/env bash
# A save that cannot be written (here a file size limit far below a saved game) is reported and
# the game goes on; a signal's save that fails says so once the terminal is back, and the saved
# game that was there is kept.
set -euo pipefail
source "$(dirname "$0")/tmux.sh"
save="$E2E_HOME/.vh/vardenholt.sav"

play_open_floor "(ulimit -f 8; $game); echo exit=\$?"
press S
press l
wait_for_row 22 '^1: File Error: '
# A long path wraps onto the next line.
screen_text | sed -n '23,24p' | tr -d ' \n' | grep -q '/\.vh/vardenholt\.sav:Filetoolarge' ||
  fail "the error does not name the file and the reason"
wait_for_row 20 'The game was not saved\. Press S to try again, or play on\.'
press l
wait_for_row 9 "$(king_at 31)"
[ ! -e "$save" ] || fail "a saved game appeared"
[ -z "$(ls "$E2E_HOME/.vh" | grep '^vardenholt\.sav')" ] || fail "files left behind: $(ls "$E2E_HOME/.vh")"
kill -TERM "$(game_pid)"
wait_for_text '^exit=0$'
wait_for_joined_text '1: File Error: [^ ]*/\.vh/vardenholt\.sav: File too large'
echo "full_disk: passed"
