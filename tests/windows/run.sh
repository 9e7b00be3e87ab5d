#!/usr/bin/env bash
# tests/windows/run.sh RESULTS.xml: runs the Windows tests under Wine (the
# caller has set up the prefix and display) and writes JUnit results.
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
out=$1
exe=$root/build/win64/windows_tests.exe
if [[ ! -f "$exe" ]]; then
  echo "no Windows tests built yet" >&2
  exit 0
fi
cd "$(dirname "$out")"
wine "$exe" --gtest_output="xml:$(basename "$out")"
