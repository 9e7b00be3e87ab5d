#!/usr/bin/env bash
# tests/release/reproducible.sh RESULTS.xml: builds both exes again from a copy
# of the sources at another path and checks that they come out byte for byte
# as build/win32 and build/win64 hold them.
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d /tmp/tavlin-repro.XXXXXX)
trap 'rm -rf "$work"' EXIT
(cd "$root" && git ls-files -z --cached --others --exclude-standard | tar --null -T - -cf - | tar -xf - -C "$work")
status=0 cases=
for preset in win32 win64; do
  ours=$root/build/$preset/tavlin.exe again=$work/build-$preset/tavlin.exe failure=
  if ! { cmake -S "$work" --preset "$preset" -B "$work/build-$preset" &&
    cmake --build "$work/build-$preset" --target tavlin; } >/dev/null 2>&1; then
    failure="the second build failed"
  elif ! cmp -s "$ours" "$again"; then
    failure="sha256 $(sha256sum <"$ours" | cut -c1-16)... differs from $(sha256sum <"$again" | cut -c1-16)..."
  fi
  name="$preset exe is the same from a second clean build"
  echo "$([[ -z $failure ]] && echo PASS || echo FAIL)  $name  $failure" >&2
  cases+="<testcase classname=\"reproducible build\" name=\"$name\">${failure:+<failure message=\"$failure\"/>}</testcase>"
  [[ -z $failure ]] || status=1
done
echo "<testsuite name=\"reproducible build\" tests=\"2\">$cases</testsuite>" >"$1"
exit $status
