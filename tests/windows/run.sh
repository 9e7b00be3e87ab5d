#!/usr/bin/env bash
# tests/windows/run.sh RESULTS.xml [GTEST ARGS...]: runs the Windows tests
# under Wine (the caller has set up the prefix and display) and writes JUnit
# results. The driver finds tavlin.exe, probe.exe and the example disc beside
# itself in build/win64.
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
out=$1
shift
exe=$root/build/win64/windows_tests.exe
if [[ ! -f "$exe" ]]; then
  echo "no Windows tests built yet" >&2
  exit 0
fi
mkdir -p "$(dirname "$out")"
cd "$(dirname "$out")"
# The whole run takes about a minute and a half; a hung program must not hold CI.
timeout --kill-after=10 600 wine "$exe" --gtest_output="xml:$(basename "$out")" "$@"
