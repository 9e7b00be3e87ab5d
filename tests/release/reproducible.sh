#!/usr/bin/env bash
# tests/release/reproducible.sh RESULTS.xml: builds both exes again from a
# copy of the sources at another path, in another build folder, and checks
# that they come out byte for byte the same as build/win32 and build/win64.
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
out=$1
work=$(mktemp -d /tmp/tavlin-repro.XXXXXX)
trap 'rm -rf "$work"' EXIT
(cd "$root" && git ls-files -z --cached --others --exclude-standard | tar --null -T - -cf - | tar -xf - -C "$work")
rows=()
for preset in win32 win64; do
  if cmake -S "$work" --preset "$preset" -B "$work/build-$preset" >/dev/null 2>&1 &&
     cmake --build "$work/build-$preset" --target tavlin >/dev/null 2>&1; then
    a=$(sha256sum <"$root/build/$preset/tavlin.exe" | cut -d' ' -f1)
    b=$(sha256sum <"$work/build-$preset/tavlin.exe" | cut -d' ' -f1)
    if [[ "$a" == "$b" ]]; then rows+=("$preset|1|$a"); else rows+=("$preset|0|$a differs from $b"); fi
  else
    rows+=("$preset|0|the second build failed")
  fi
done
status=0
{
  echo '<?xml version="1.0"?>'
  echo "<testsuite name=\"reproducible build\" tests=\"${#rows[@]}\">"
  for r in "${rows[@]}"; do
    IFS='|' read -r preset ok detail <<<"$r"
    echo -n "  <testcase classname=\"reproducible build\" name=\"$preset exe is the same from a second clean build\">"
    [[ $ok == 1 ]] || { echo -n "<failure message=\"$detail\"/>"; status=1; }
    echo '</testcase>'
    echo "$([[ $ok == 1 ]] && echo PASS || echo FAIL)  reproducible $preset  $detail" >&2
  done
  echo '</testsuite>'
} >"$out"
exit $status
