#!/usr/bin/env bash
# tests/release/reproducible.sh RESULTS.xml: builds the x86-64 exe again from a
# copy of the sources at another path and checks that it comes out byte for
# byte as build/win64 holds it. (The i686 release is rebuilt elsewhere inside
# its zip by release_test.py.)
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d /tmp/tavlin-repro.XXXXXX)
trap 'rm -rf "$work"' EXIT
(cd "$root" && git ls-files -z --cached --others --exclude-standard | tar --null -T - -cf - | tar -xf - -C "$work")
ours=$root/build/win64/tavlin.exe theirs=$work/build/tavlin.exe failure=
name="win64 exe is the same from a second clean build"
again() { cmake -S "$work" --preset win64 -B "$work/build" && cmake --build "$work/build" --target tavlin; }
if ! again >/dev/null 2>&1; then
  failure="the second build failed"
elif ! cmp -s "$ours" "$theirs"; then
  failure="sha256 $(sha256sum <"$ours" | cut -c1-16)... differs from $(sha256sum <"$theirs" | cut -c1-16)..."
fi
echo "$([[ -z $failure ]] && echo PASS || echo FAIL)  $name  $failure" >&2
case="<testcase classname=\"reproducible build\" name=\"$name\">${failure:+<failure message=\"$failure\"/>}</testcase>"
echo "<testsuite name=\"reproducible build\" tests=\"1\">$case</testsuite>" >"$1"
[[ -z $failure ]]
