#!/usr/bin/env bash
# tests/release/reproducible.sh RESULTS.xml: from a copy of the sources at
# another path, scripts/release gives the same zip (the i686 exe inside) and
# the x86-64 preset the same exe, byte for byte as build/ holds them.
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d /tmp/tavlin-repro.XXXXXX)
trap 'rm -rf "$work"' EXIT
(cd "$root" && git ls-files -z --cached --others --exclude-standard | tar --null -T - -cf - | tar -xf - -C "$work")
cases=
same() { # NAME FILE COMMAND...: COMMAND in the copy makes FILE as build/ holds it
  local name=$1 ours=$root/$2 theirs=$work/$2 failure=
  (cd "$work" && "${@:3}") >/dev/null 2>&1 || failure="the build failed"
  [[ -n $failure ]] || cmp -s "$ours" "$theirs" ||
    failure="sha256 $(sha256sum <"$ours" | cut -c1-16)... differs from $(sha256sum <"$theirs" | cut -c1-16)..."
  echo "$([[ -z $failure ]] && echo PASS || echo FAIL)  $name  $failure" >&2
  local tc="<testcase classname=\"reproducible build\" name=\"$name\">"
  cases+="$tc${failure:+<failure message=\"$failure\"/>}</testcase>"
}
"$root/scripts/release" >/dev/null 2>&1 # ours, so that this runs alone too; a second or two after release_test.py
same "the release zip is the same from another path" build/release/tavlin-3.0.zip scripts/release
same "the win64 exe is the same from another path" build/win64/tavlin.exe \
  bash -c "cmake --preset win64 && cmake --build --preset win64 --target tavlin"
echo "<testsuite name=\"reproducible build\" tests=\"2\">$cases</testsuite>" >"$1"
[[ $cases != *"<failure "* ]]
