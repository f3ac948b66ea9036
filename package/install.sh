#!/usr/bin/env bash
# `make install` and `make uninstall`:
#   install.sh install BUILD_FOLDER PREFIX [DESTDIR]
#   install.sh uninstall PREFIX [DESTDIR]
# Installing writes, beside the installed documentation, a record of the files it installed and
# of the folders it had to create; uninstalling reads that record, so it needs nothing from the
# build folder, and removes those folders again once they are empty.
set -euo pipefail

# The folders above each path read that do not exist yet.
missing_folders() {
  local path folder
  while IFS= read -r path; do
    folder=$(dirname "$path")
    while [ "$folder" != / ] && [ ! -d "$destdir$folder" ]; do
      echo "$folder"
      folder=$(dirname "$folder")
    done
  done
}

install_files() {
  local build=$1 stage files folders
  stage=$(mktemp -d)
  trap "rm -rf '$stage'" EXIT
  # A staged install first, to learn which files the real one writes.
  DESTDIR="$stage" cmake --install "$build" --prefix "$prefix" >/dev/null
  files=$( (cd "$stage" && find . ! -type d | sed 's|^\.||'; echo "$record") | sort -u)
  # Deepest first, and with the folders an earlier install created, which it may not see now.
  folders=$({
    missing_folders <<<"$files"
    [ ! -f "$destdir$record" ] || sed -n 's/^folder //p' "$destdir$record"
  } | sort -ru)
  DESTDIR="$destdir" cmake --install "$build" --prefix "$prefix"
  {
    echo "# Written by make install: make uninstall removes these files, then these folders"
    echo "# when they are empty."
    sed 's/^/file /' <<<"$files"
    [ -z "$folders" ] || sed 's/^/folder /' <<<"$folders"
  } >"$destdir$record"
}

uninstall_files() {
  local listed kind path
  if [ ! -f "$destdir$record" ]; then
    echo "nothing installed under $destdir$prefix" >&2
    exit 1
  fi
  listed=$(<"$destdir$record")  # the record lists itself among the files
  grep '^file ' <<<"$listed" | while read -r kind path; do rm -fv "$destdir$path"; done
  sed -n 's/^folder //p' <<<"$listed" | while IFS= read -r path; do
    if rmdir "$destdir$path" 2>/dev/null; then echo "removed folder '$destdir$path'"; fi
  done
}

case $1 in
  install) prefix=$3 destdir=${4-} ;;
  uninstall) prefix=$2 destdir=${3-} ;;
  *)
    echo "usage: $0 install BUILD_FOLDER PREFIX [DESTDIR] | uninstall PREFIX [DESTDIR]" >&2
    exit 2
    ;;
esac
record="$prefix/share/doc/vardenholt/installed-files"
if [ "$1" = install ]; then install_files "$2"; else uninstall_files; fi
