#!/usr/bin/env bash
# tests/corpus/run.sh RESULTS.xml EXE WINMM.DLL LABEL: generates the bad-disc
# corpus and runs EXE on every disc of it under Wine (the caller has set up
# the prefix and display). Each case passes when the main window comes up in
# time, nothing crashes or hangs, the close box ends the process, and the
# disc's files are exactly as before. Then the planted-library case, with
# WINMM.DLL built for EXE's architecture. Writes JUnit results, each case
# named after LABEL.
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
out=$1 exe=$(realpath "$2") planted_dll=$(realpath "$3") label=$4
w64=$root/build/win64
for f in "$w64/disc_check.exe" "$exe" "$planted_dll"; do
  [[ -f "$f" ]] || { echo "corpus: $f is missing" >&2; exit 1; }
done
corpus=$root/build/corpus-$label
rm -rf "$corpus"
python3 "$root/tests/corpus/make_corpus.py" "$corpus" >/dev/null

snapshot() { (cd "$1" && find . -printf '%p %y %s %T@\n' | sort); }
results=()
record() {  # name ok detail
  results+=("$1|$2|$3")
  printf '%s  %s  %s\n' "$([[ $2 == 1 ]] && echo PASS || echo FAIL)" "$1" "$3"
}
check_disc() {  # name folder flags...
  local name=$1 disc=$2
  shift 2
  cp "$exe" "$disc/tavlin.exe"
  local before after line
  before=$(snapshot "$disc")
  line=$(wine "$w64/disc_check.exe" "$(winepath -w "$disc/tavlin.exe")" "$(winepath -w "$disc")" "$@" 2>/dev/null |
    tr -d '\r')
  after=$(snapshot "$disc")
  if [[ "$line" != PASS* ]]; then
    record "$name" 0 "${line:-no answer from disc_check}"
  elif [[ "$before" != "$after" ]]; then
    record "$name" 0 "the disc changed: $(diff <(echo "$before") <(echo "$after") | head -3 | tr '\n' ' ')"
  else
    record "$name" 1 "${line#PASS }"
  fi
}

while read -r name flags; do
  # shellcheck disable=SC2086
  check_disc "$name" "$corpus/$name" $flags
done <"$corpus/cases.txt"

# A winmm.dll planted on the disc must not be loaded, even where Wine is told
# to prefer a native one: the sound library comes from the system folder only.
planted=$corpus/planted-winmm
cp -r "$w64/disc" "$planted"
cp "$planted_dll" "$planted/winmm.dll"
python3 -c "import sys; sys.path.insert(0, '$root/tests/corpus'); import make_corpus; open('$planted/tavlin.wav', 'wb').write(make_corpus.wav())"
marker=$corpus/planted-winmm-loaded
rm -f "$marker"
export TAVLIN_PLANTED_MARKER
TAVLIN_PLANTED_MARKER=$(winepath -w "$marker")
WINEDLLOVERRIDES="mscoree,mshtml=;winmm=n,b" check_disc "planted-winmm-not-loaded" "$planted"
if [[ -e "$marker" ]]; then
  results[-1]="planted-winmm-not-loaded|0|the planted winmm.dll was loaded"
  echo "FAIL  planted-winmm-not-loaded  the planted winmm.dll was loaded"
fi

python3 - "$out" "$label" "${results[@]}" <<'PY'
import sys, xml.sax.saxutils as su
out, label, rows = sys.argv[1], sys.argv[2], [r.split("|", 2) for r in sys.argv[3:]]
with open(out, "w") as f:
    f.write('<?xml version="1.0"?>\n<testsuite name="%s: bad discs" tests="%d" failures="%d">\n'
            % (label, len(rows), sum(ok != "1" for _, ok, _ in rows)))
    for name, ok, detail in rows:
        f.write('  <testcase classname="%s: bad discs" name=%s>' % (label, su.quoteattr(name)))
        if ok != "1":
            f.write('<failure message=%s/>' % su.quoteattr(detail))
        f.write('</testcase>\n')
    f.write('</testsuite>\n')
PY
