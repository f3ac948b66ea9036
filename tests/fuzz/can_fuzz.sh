#!/usr/bin/env bash
# Succeeds when clang++ can build a libFuzzer program here; otherwise says why not. Debian ships
# the fuzzer runtime apart from clang (libclang-rt-*-dev), so finding clang++ is not enough.
set -uo pipefail
if ! command -v clang++ >/dev/null 2>&1; then
  echo "clang++ is not installed"
  exit 1
fi
probe=$(mktemp -d)
trap 'rm -rf "$probe"' EXIT
printf '%s\n' '#include <cstddef>' '#include <cstdint>' \
  'extern "C" int LLVMFuzzerTestOneInput(const uint8_t*, size_t) { return 0; }' >"$probe/probe.cpp"
if ! clang++ -fsanitize=fuzzer "$probe/probe.cpp" -o "$probe/probe" >"$probe/log" 2>&1; then
  echo "clang++ cannot link a fuzzer (is its fuzzer runtime, libclang-rt-*-dev, installed?):"
  sed 's/^/  /' "$probe/log" | tail -3
  exit 1
fi
