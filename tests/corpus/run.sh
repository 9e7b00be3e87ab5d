#!/usr/bin/env bash
# tests/corpus/run.sh RESULTS.xml EXE WINMM.DLL LABEL: generates the bad-disc
# corpus, with EXE at every disc's root and WINMM.DLL (built for EXE's
# architecture) planted on one disc, and runs the Windows tests' bad-disc
# cases on it (the caller has set up the prefix and display).
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
corpus=$root/build/corpus-$4
[[ -f "$2" && -f "$3" ]] || { echo "corpus: $2 or $3 is missing" >&2; exit 1; }
python3 "$root/tests/corpus/make_corpus.py" "$corpus" "$(realpath "$3")" >/dev/null || exit 1
for disc in "$corpus"/*/; do cp "$2" "$disc/tavlin.exe"; done
# The planted library, if ever loaded, leaves the marker; Wine is told to
# prefer a native winmm.dll, so that only the menu's own care keeps it out.
TAVLIN_CORPUS=$(winepath -w "$corpus") TAVLIN_PLANTED_MARKER=$(winepath -w "$corpus/planted-winmm-loaded") \
  WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=};winmm=n,b" \
  exec "$root/tests/windows/run.sh" "$1" "$2" "$4" --gtest_filter='Corpus/*'
