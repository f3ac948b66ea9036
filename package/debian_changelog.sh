#!/usr/bin/env bash
# Writes CHANGELOG.md in the format Debian reads from a package's changelog: one entry for each
# released version, newest first, with its sections and items as written.
#   debian_changelog.sh CHANGELOG.md PACKAGE "MAINTAINER <ADDRESS>"
set -euo pipefail
awk -v package="$2" -v maintainer="$3" '
  function finish() {
    if (!released) return
    cmd = "date -u -R -d " date
    cmd | getline stamp
    close(cmd)
    printf "\n -- %s  %s\n", maintainer, stamp
    released = 0
  }
  /^## \[/ {
    finish()
    if ($0 !~ /^## \[[^]]+\] - [0-9]+-[0-9]+-[0-9]+$/) next  # the unreleased changes
    version = substr($2, 2, length($2) - 2)
    date = $4
    printf "%s%s (%s) unstable; urgency=medium\n", (entries++ ? "\n" : ""), package, version
    released = 1
    next
  }
  !released || /^$/ || /^\[/ { next }
  /^### / { printf "\n  %s:\n", substr($0, 5); next }
  /^- / { print "  * " substr($0, 3); next }
  /^  / { print "  " $0; next }
  { print "  " $0 }
  END { finish() }
' "$1"
