#!/usr/bin/env bash
# tests/windows/run.sh RESULTS.xml EXE LABEL [GTEST ARGS...]: runs the Windows
# tests under Wine against EXE (the caller has set up the prefix and display)
# and writes JUnit results whose suites are named "LABEL: Suite", so that
# every result says which exe it ran against. The driver, the probe and the
# example disc lie in build/win64.
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
out=$(realpath -m "$1") exe=$(realpath "$2") label=$3
shift 3
driver=$root/build/win64/windows_tests.exe
[[ -f "$driver" && -f "$exe" ]] || { echo "run.sh: $driver or $2 is missing: build the presets first" >&2; exit 1; }
mkdir -p "$(dirname "$out")" && rm -f "$out" && cd "$(dirname "$out")" || exit 1
# The whole run takes about a minute and a half; a hung program must not hold CI.
TAVLIN_EXE=$(winepath -w "$exe") timeout --kill-after=10 600 wine "$driver" --gtest_output="xml:$(basename "$out")" "$@"
status=$?
[[ -f "$out" ]] && sed -i -e "s/<testsuite name=\"/<testsuite name=\"$label: /" \
  -e "s/classname=\"/classname=\"$label: /" "$out"
exit $status
