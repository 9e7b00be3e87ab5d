#!/usr/bin/env bash
# tests/corpus/run.sh RESULTS.xml EXE WINMM.DLL LABEL: generates the bad-disc
# corpus, with WINMM.DLL (built for EXE's architecture) planted on one disc,
# and runs EXE on every disc under Wine (the caller has set up the prefix and
# display). Each case passes when disc_check does, the disc's files are
# exactly as before and the planted library was not loaded. Writes JUnit
# results, each case named after LABEL.
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
out=$1 exe=$(realpath "$2") planted_dll=$(realpath "$3") label=$4
check=$root/build/win64/disc_check.exe corpus=$root/build/corpus-$label
for f in "$check" "$exe" "$planted_dll"; do
  [[ -f "$f" ]] || { echo "corpus: $f is missing" >&2; exit 1; }
done
python3 "$root/tests/corpus/make_corpus.py" "$corpus" "$planted_dll" >/dev/null || exit 1
marker=$corpus/planted-winmm-loaded
export TAVLIN_PLANTED_MARKER
TAVLIN_PLANTED_MARKER=$(winepath -w "$marker")

snapshot() { (cd "$1" && find . -printf '%p %y %s %T@\n' | sort); }
cases=0 failures=0 xml=
while read -r name flags; do
  disc=$corpus/$name
  cp "$exe" "$disc/tavlin.exe"
  before=$(snapshot "$disc")
  # Even where Wine is told to prefer a native winmm.dll, the planted one must not load.
  overrides=${WINEDLLOVERRIDES:-mscoree,mshtml=}
  [[ $flags == planted ]] && overrides="$overrides;winmm=n,b"
  # shellcheck disable=SC2086
  line=$(WINEDLLOVERRIDES=$overrides wine "$check" "$(winepath -w "$disc/tavlin.exe")" "$(winepath -w "$disc")" $flags \
    2>/dev/null | tr -d '\r')
  failure=
  if [[ "$line" != PASS* ]]; then
    failure=${line:-no answer from disc_check}
  elif [[ "$before" != "$(snapshot "$disc")" ]]; then
    failure="the disc changed: $(diff <(echo "$before") <(snapshot "$disc") | head -3 | tr '\n' ' ')"
  elif [[ -e "$marker" ]]; then
    failure="the planted winmm.dll was loaded"
  fi
  ((cases++))
  xml+="  <testcase classname=\"$label: bad discs\" name=\"$name\">"
  # The message in an XML attribute, without the characters that would need escaping.
  [[ -n "$failure" ]] && ((++failures)) && xml+="<failure message=\"${failure//[<>&\"]/_}\"/>"
  xml+=$'</testcase>\n'
  printf '%s  %s  %s\n' "$([[ -z $failure ]] && echo PASS || echo FAIL)" "$name" "${failure:-${line#PASS }}"
done <"$corpus/cases.txt"

printf '<?xml version="1.0"?>\n<testsuite name="%s: bad discs" tests="%d" failures="%d">\n%s</testsuite>\n' \
  "$label" "$cases" "$failures" "$xml" >"$out"
((failures == 0))
