#!/bin/sh
# The package's strip: also drops the compilers' version notes, which the C library's start files
# bring into the binary and plain strip keeps.
exec strip --remove-section=.comment "$@"
