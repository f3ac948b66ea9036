#!/usr/bin/env bash
# The manual page renders with no warning, under groff and under man as Debian's checks run it,
# has the sections a reader looks for, and describes every option the program's help lists.
set -euo pipefail
page="$1" game="$2"
problems=()

warnings="$(groff -t -man -ww -z "$page" 2>&1)"
[ -z "$warnings" ] || problems+=("groff: $warnings")
if command -v man >/dev/null; then
  warnings="$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z \
    "$page" 2>&1 >/dev/null)"
  [ -z "$warnings" ] || problems+=("man: $warnings")
fi

for section in NAME SYNOPSIS DESCRIPTION OPTIONS KEYS FILES ENVIRONMENT "EXIT STATUS"; do
  grep -qx "\.SH \"\?$section\"\?" "$page" || problems+=("no section $section")
done

# Each option of the help, short and long, as the page writes it: \fB\-h\fR, \fB\-\-help\fR.
for option in $("$game" --help | grep -oE '^  -[[:alnum:]], --[[:alnum:]-]+' | tr -d ','); do
  grep -qF -- "${option//-/\\-}" "$page" || problems+=("the help lists $option, the page does not")
done

if [ "${#problems[@]}" -gt 0 ]; then
  printf '%s\n' "${problems[@]}"
  exit 1
fi
echo "manual: renders cleanly and documents every option"
