#!/usr/bin/env bash
# Where the game cannot be played it leaves the terminal alone: it says in one line what it needs
# and leaves with status 1, at once. That is without a terminal on either side, with TERM unset
# or naming no known terminal, and on a terminal that cannot address the cursor.
set -euo pipefail
source "$(dirname "$0")/tmux.sh"
needs='^vardenholt: needs a terminal of at least 80x24 with cursor addressing \(.+\)$'

# Expects case $1 to have been refused with the reason $2, and to have written nothing else to
# an output that is not the terminal.
expect_refused() {
  local err="$E2E_HOME/$1.err" out="$E2E_HOME/$1.out"
  [ "$(cat "$E2E_HOME/$1.status")" = 1 ] || fail "$1: exit status $(cat "$E2E_HOME/$1.status")"
  if [ "$(wc -l <"$err")" != 1 ] || ! grep -qE "$needs" "$err"; then fail "$1 said: $(cat "$err")"; fi
  grep -qF "($2)" "$err" || fail "$1 gave another reason: $(cat "$err")"
  [ ! -s "$out" ] || fail "$1 wrote to its output: $(cat -v "$out")"
  echo "$1: $(cat "$err")"
}

# No terminal at all, as under make or cron: once the game spun here forever.
set +e
HOME="$E2E_HOME" timeout 20 "$game" </dev/null >"$E2E_HOME/none.out" 2>"$E2E_HOME/none.err"
echo $? >"$E2E_HOME/none.status"
set -e
expect_refused none "standard input is not one"

# A printing terminal, described where the game looks first: it could address the cursor, but
# nothing it prints can be redrawn.
cat >"$E2E_HOME/printer.ti" <<'DESCRIPTION'
vh-printer|printing terminal,
	am, hc, cols#80,
	bel=^G, cr=\r, cud1=\n, cup=\E[%i%p1%d;%p2%dH, ind=\n,
DESCRIPTION
tic -o "$E2E_HOME/.terminfo" "$E2E_HOME/printer.ti"

# In a real terminal, each case run in turn by the shell there.
cat >"$E2E_HOME/cases.sh" <<CASES
run() { name=\$1; shift; timeout 20 "\$@" 2>"$E2E_HOME/\$name.err"; echo \$? >"$E2E_HOME/\$name.status"; }
run dumb env TERM=dumb "$game"
run unset env -u TERM "$game"
run unknown env TERM=no-such-terminal "$game"
run printer env TERM=vh-printer "$game"
run input "$game" </dev/null
run output "$game" >"$E2E_HOME/output.out"
touch "$E2E_HOME/cases.done"
CASES
start_terminal
run_in_terminal "bash $E2E_HOME/cases.sh"
wait_for_file "$E2E_HOME/cases.done"
expect_refused dumb "this one cannot address the cursor"
expect_refused unset "TERM is not set"
expect_refused unknown "TERM names no terminal known here"
expect_refused printer "this one cannot address the cursor"
expect_refused output "standard output is not one"
expect_refused input "standard input is not one"
echo "refusal: passed"
