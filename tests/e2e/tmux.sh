# Helpers for tests that run the real game in a real 80x24 terminal under tmux.
# Each test gets its own tmux server and HOME, and everything is torn down on exit.

# Every test script is called with the game and the fixture that writes known saved games.
game="$1"
fixture="${2:-}"
E2E_SOCKET="vh-e2e-$$"
E2E_HOME="$(mktemp -d)"
E2E_OUT="$E2E_HOME/out"

# Closing the windows hangs up on a game still running, which then saves: let it finish first.
cleanup() {
  local pid
  pid="$(game_pid 2>/dev/null || true)"
  tmux -L "$E2E_SOCKET" kill-server 2>/dev/null || true
  [ -z "$pid" ] || wait_for_exit "$pid" 2>/dev/null || true
  rm -rf "$E2E_HOME" || true
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  echo "--- screen ---" >&2
  screen_text >&2
  exit 1
}

# Starts a shell in an 80x24 window; commands are typed into it with run_in_terminal. A second,
# idle session keeps the server up when a test closes the game's window. Arguments such as
# TERM=vt100 are added to the shell's environment.
start_terminal() {
  tmux -L "$E2E_SOCKET" has-session -t keeper 2>/dev/null ||
    tmux -L "$E2E_SOCKET" -f /dev/null new-session -d -s keeper
  tmux -L "$E2E_SOCKET" new-session -d -s game -x 80 -y 24 \
    "env -i HOME=$E2E_HOME HISTFILE=/dev/null TERM=xterm-256color PATH=/usr/bin:/bin $* bash --norc --noprofile"
}

run_in_terminal() { tmux -L "$E2E_SOCKET" send-keys -t game "$1" Enter; }
press() { tmux -L "$E2E_SOCKET" send-keys -t game "$@"; }
screen_text() { tmux -L "$E2E_SOCKET" capture-pane -p -t game; }
screen_row() { screen_text | sed -n "$(($1 + 1))p"; }
# One screen row with the escape sequences that give each cell its colour and attributes.
styled_row() { tmux -L "$E2E_SOCKET" capture-pane -e -p -t game -S "$1" -E "$1"; }
# Sends a string's bytes as they are, as a terminal would send them, one argument per byte.
# shellcheck disable=SC2046
send_bytes() { tmux -L "$E2E_SOCKET" send-keys -t game -H $(printf '%s' "$1" | od -An -tx1); }

# Waits up to twenty seconds for a screen row (0-based) to match an extended regular expression.
wait_for_row() {
  local row=$1 pattern=$2
  for _ in $(seq 400); do
    screen_row "$row" | grep -qE -- "$pattern" && return 0
    sleep 0.05
  done
  fail "row $row never matched /$pattern/"
}

# Waits up to twenty seconds for any row to match an extended regular expression.
wait_for_text() {
  for _ in $(seq 200); do
    screen_text | grep -qE -- "$1" && return 0
    sleep 0.1
  done
  fail "the screen never showed /$1/"
}

# Waits up to twenty seconds for the screen, its lines joined, to match: for text the terminal
# wrapped because it was longer than a line.
wait_for_joined_text() {
  for _ in $(seq 400); do
    tmux -L "$E2E_SOCKET" capture-pane -p -J -t game | grep -qE -- "$1" && return 0
    sleep 0.05
  done
  fail "the screen never showed /$1/, even with its lines joined"
}

# The process the shell in the window is running (the game, while it plays).
game_pid() {
  pgrep -P "$(tmux -L "$E2E_SOCKET" display-message -p -t game '#{pane_pid}' 2>/dev/null)"
}

# Waits up to twenty seconds for a process to end.
wait_for_exit() {
  for _ in $(seq 200); do
    kill -0 "$1" 2>/dev/null || return 0
    sleep 0.1
  done
  echo "process $1 is still running" >&2
  return 1
}

# Waits up to twenty seconds for a file to appear.
wait_for_file() {
  for _ in $(seq 200); do
    [ -e "$1" ] && return 0
    sleep 0.1
  done
  fail "$1 never appeared"
}

# Writes a known saved game (see Fixture.cpp) for the next run to continue, so that no test
# depends on the area the clock would choose.
start_from() { HOME="$E2E_HOME" "$fixture" "$1"; }

# The King's row on the open floor, with him at screen column $1 (pieces may share the row).
king_at() { printf '^#.{%d}@' "$(($1 - 1))"; }

# Runs the command line $1 (the game by default) in a new terminal on the open-floor saved game,
# and waits for the King on his first square.
play_open_floor() {
  start_from open
  start_terminal
  run_in_terminal "${1:-$game}"
  wait_for_row 23 'Press any key to start playing\.'
  press x
  wait_for_row 9 "$(king_at 29)"
}

# Waits up to twenty seconds for the rows above the bottom one to be the text of file $1, but
# for blanks at the ends of rows, which a terminal does not tell apart from empty cells.
wait_for_screen() {
  local want
  want="$(sed 's/ *$//' "$1")"
  for _ in $(seq 400); do
    [ "$(screen_text | head -23 | sed 's/ *$//')" = "$want" ] && return 0
    sleep 0.05
  done
  echo "--- expected ---" >&2
  cat "$1" >&2
  fail "the screen never became $1"
}
