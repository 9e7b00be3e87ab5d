#!/usr/bin/python3
"""locale_test.py JUNIT.xml (build/web, build/native and build/win64 built
first): for each of four Windows code pages, a menu typed into the editor in
the page's language, with its folders and files so named on the disc, saved
and run under Wine in a locale of that page: every caption, list entry and
field of the window read back as wide text is what was typed, each item's
button starts its file in its folder, and the preview has the window's
rectangles within 2 pixels (in Japanese, those the editor does not call
approximate). Screenshots of the window and the page go beside JUNIT.xml."""
import os
import shutil
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import editor_test as ed  # noqa: E402  (its browser and helpers; its cases run only as a script)
import testlib  # noqa: E402
from engines import ENGINES  # noqa: E402
from testlib import ROOT, check  # noqa: E402

testlib.CASES.clear()  # the editor suite's own cases, registered when it was imported
HEADER = ["MenuTitle", "ApplicationCaption", "PathCaption", "FilenameCaption", "InformationCaption",
          "DescriptionCaption", "DefaultDescription"]
ITEM = ["ItemName", "ItemPath", "ItemFile", "ItemButtonCaption", "ItemInformation", "ItemDescription"]
# What shows each header value, and each value of the item chosen.
HEADER_SHOWN = ["Label6", "Label1", "Label2", "Label3", "Label4", "Label5", "Text4"]
ITEM_SHOWN = [None, "Text1", "Text2", "Command1", "Text3", "Text4"]
# code page: locale, the header's values, then two items' (each item's file is a probe in its folder)
LANGUAGES = {
    1250: ("pl_PL", ["Witaj na płycie — zażółć gęślą jaźń", "Programy na płycie", "Katalog", "Plik", "Informacje",
                     "Opis", "Wybierz pozycję z listy."],
           [["Instalacja", "Narzędzia", "Uruchom ćwiczenie.exe", "Zainstaluj teraz", "Wersja 1.0, łatwa",
             "Instaluje program na dysku."],
            ["Przeczytaj", "Dokumenty źródłowe", "Życzenia.exe", "Otwórz", "Zwykły tekst",
             "Uwagi o płycie: ĄĘŚĆŃŁÓŻŹ ąęśćńłóżź."]]),
    1251: ("ru_RU", ["Добро пожаловать на диск", "Приложения", "Папка", "Файл", "Сведения", "Описание",
                     "Выберите пункт из списка."],
           [["Установка", "Программы", "Установка.exe", "Установить", "Версия 1.0", "Устанавливает программу."],
            ["Прочтите", "Документы", "Прочти меня.exe", "Открыть", "Обычный текст",
             "Заметки о диске: ЁЖЩЪЭЮЯ ёжщъэюя."]]),
    1253: ("el_GR", ["Καλώς ορίσατε στον δίσκο", "Εφαρμογές", "Φάκελος", "Αρχείο", "Πληροφορίες", "Περιγραφή",
                     "Επιλέξτε ένα στοιχείο από τη λίστα."],
           [["Εγκατάσταση", "Προγράμματα", "Εγκατάσταση.exe", "Εγκατάσταση τώρα", "Έκδοση 1.0",
             "Εγκαθιστά το πρόγραμμα."],
            ["Διάβασέ με", "Έγγραφα", "Σημειώσεις.exe", "Άνοιγμα", "Απλό κείμενο",
             "Σημειώσεις για τον δίσκο: ΐΰϊϋς ΆΈΉΊΌΎΏ."]]),
    # ソ and 表 end in the byte of a backslash, which a reader that is blind to lead bytes splits names at.
    932: ("ja_JP", ["ディスクへようこそ", "アプリケーション", "フォルダー", "ファイル", "情報", "説明",
                    "一覧から項目を選んでください。"],
          [["インストール", "プログラム", "セットアップ.exe", "今すぐインストール", "バージョン 1.0",
            "プログラムをインストールします。"],
           ["お読みください", "表示", "ソフト.exe", "開く", "テキスト", "ディスクについての注意：ソ表能"]]),
}
# The window's rectangles, then its texts as wide text before an entry is chosen and after each click on one.
REAL = r"""
source "$1/scripts/lib/wine.sh"
export LANG=$3
wine_setup --own-display
trap wine_stop EXIT
wine reg query 'HKLM\System\CurrentControlSet\Control\Nls\CodePage' /v ACP | tr -d '\r' | grep -w ACP
(cd "$2" && exec timeout --kill-after=5 90 wine tavlin.exe) >/dev/null 2>&1 &
root=$1
texts() { timeout 60 wine "$root/build/win64/window_texts.exe" "Tavlin v3.0" "$@"; }
texts rects texts select:1 texts && import -display "$DISPLAY" -window root "$4" &&
  texts press select:2 texts press && timeout 30 bash -c 'until [[ -s "$0" && -s "$1" ]]; do sleep 0.2; done' "${@:5}"
echo "exit $?"
"""
SHOTS = os.path.dirname(os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else "build/locale.xml"))


def check_page(page, exe, scratch):
    locale, header, items = LANGUAGES[page]
    if locale.lower() + ".utf8" not in subprocess.run(["locale", "-a"], capture_output=True, text=True).stdout.lower():
        raise testlib.Skip("the locale %s.UTF-8 is not generated here (scripts/bootstrap makes it)" % locale)
    codec, disc = "cp%d" % page, os.path.join(scratch, "disc")
    probe = testlib.read(os.path.join(ROOT, "build", "win64", "probe.exe"))
    testlib.write_files(disc, {os.path.join(i[1], i[2]): probe for i in items})
    # At the root, as on a disc: the button's handler goes back to the program's folder after a launch.
    shutil.copy(os.path.join(ROOT, exe), os.path.join(disc, "tavlin.exe"))

    b = ed.b
    ed.open_path(disc)
    b.js("const s = document.querySelector('#code-page'); s.value = arguments[0]; s.dispatchEvent(new Event('change'))",
         str(page))
    for field, text in zip(HEADER, header):
        ed.type_into(field, text)
    for k, item in enumerate(items):
        if k:
            b.click("#add-item")
        for field, text in zip(ITEM, item):
            ed.type_into(field, text)
    got = b.js("return [tavlinEditor.codePage(), [...document.querySelectorAll('#warnings li')].map(w => w.textContent),"
               "!!document.getElementById('sizes-approximate')]")
    check(got == [page, [], page == 932], "code page, warnings, sizes called approximate: %s" % got)
    rects, _, width, height = ed.preview_rects()
    shown = {"client": [0, 0, width, height], **rects}
    design = {c["name"]: c["text"] for c in b.js("return tavlinEditor.design('Form1')")["controls"]}
    # Which sizes the preview calls approximate, from the page's own run of the window.
    sizes = b.js("return core.mainWindow(doc.encode().bytes, null, -1, doc.codePage()).controls")
    b.js("scrollTo(0, 0)")
    b.screenshot(os.path.join(SHOTS, "locale-%d-editor.png" % page))

    # Saved: the download holds each value in the code page, on its line.
    b.click("#save")
    path = os.path.join(ed.DOWNLOADS, "tavlin.ini")
    ed.until(lambda: os.path.isfile(path) and os.path.getsize(path) > 0, "the download")
    lines = testlib.read(path).split(b"\r\n")
    shutil.move(path, os.path.join(disc, "tavlin.ini"))
    want = {11: header[0], 14: header[1], 15: header[2], 16: header[3], 17: header[4], 18: header[5], 21: header[6]}
    want.update({8 * k + 16 + i: text for k, item in enumerate(items, 1) for i, text in enumerate(item)})
    wrong = ["line %d: %r, not %r" % (n, lines[n - 1], t.encode(codec)) for n, t in want.items()
             if lines[n - 1] != t.encode(codec)]
    check(lines[1] == b"2" and not wrong, "saved: count %r\n%s" % (lines[1], "\n".join(wrong)))
    rc, out, _ = testlib.run([os.path.join(ROOT, "build", "native", "tavlin-check"), "--code-page", str(page), disc])
    check(rc == 0, "tavlin-check --code-page %d: %s" % (page, out[out.find("\n\n", out.find("line by line")):]))
    # Opened again, the file is read in its code page, guessed from its bytes alone.
    ed.open_path(disc)
    got = b.js("return [tavlinEditor.codePage()].concat(arguments[0].map(f => document.getElementById('f-' + f).value))",
               HEADER + ITEM)
    check(got == [page] + header + items[0], "opened again: %s" % got)

    # The window under Wine in the locale: what it shows, as wide text, before and after each click.
    shot = os.path.join(SHOTS, "locale-%d-window.png" % page)
    logs = [os.path.join(disc, i[1], "probe.log") for i in items]
    _, out, err = testlib.run(["bash", "-c", REAL, "real", ROOT, disc, locale + ".UTF-8", shot] + logs, timeout=300)
    rows = [line.split() for line in out.splitlines() if line.strip()]
    acp = [r[-1] for r in rows if r[0] == "ACP"]
    started = [os.path.relpath(f, disc) for f in logs if os.path.isfile(f)]
    check(acp == [str(page)] and ["exit", "0"] in rows, "Wine's ANSI code page %s, the buttons started %s; Wine:\n%s%s"
          % (acp, started, out, err))
    states = [{}]
    for r in rows:
        if r[0] == "text":
            if r[1] in states[-1]:
                states.append({})
            states[-1][r[1]] = bytes.fromhex(r[2] if len(r) > 2 else "").decode("utf-16-le")
    before = {"Form1": "Tavlin v3.0", "Command1": design["Command1"], "Label7": design["Label7"], "Text1": "",
              "Text2": "", "Text3": "", **dict(zip(HEADER_SHOWN, header)),
              **{"List1.%d" % k: item[0] for k, item in enumerate(items, 1)}}
    want = [before] + [{**before, **{n: t for n, t in zip(ITEM_SHOWN, item) if n}} for item in items]
    # The web line's copyright sign is the design's own text, in every code page (932 once made it a katakana).
    off = ["%s %s: shows %r, not %r" % (["before a click", "entry 1", "entry 2"][i], n, s.get(n), t)
           for i, (w, s) in enumerate(zip(want, states + [{}] * 3)) for n, t in w.items() if s.get(n) != t]
    off += ["preview %s: %r, typed %r" % (n, shown[n][6], before[n]) for n in HEADER_SHOWN if shown[n][6] != before[n]]
    if len(states) != 3:
        off.append("texts read: %s" % states)

    # Side by side: each rectangle of the preview against the real window's.
    real = {r[1]: [int(v) for v in r[2:]] for r in rows if r[0] == "rect"}
    cx, cy = real["client"][:2]
    for n, e in sorted(shown.items()):
        e, r = [round(v) for v in e[:4]], [real[n][0] - cx, real[n][1] - cy, *real[n][2:]]
        diff, approx = max(abs(a - b) for a, b in zip(e, r)), sizes.get(n, {}).get("approximate", False)
        print("  %4d %-8s editor %-18s real %-18s diff %d%s" % (page, n, e, r, diff, approx and " (approximate)" or ""))
        if diff > 2 and not approx:
            off.append("%s: editor %s, real %s" % (n, e, r))
    check(not off, "\n".join(off))


def main():
    os.makedirs(SHOTS, exist_ok=True)
    i686 = testlib.run(["bash", "-c", "source scripts/lib/wine.sh; echo $TAVLIN_WINE_I686"])[1].strip() == "1"
    exe = "build/win32/tavlin.exe" if i686 else "build/win64/tavlin.exe"
    print("the exe: %s%s" % (exe, "" if i686 else " (the x86-64 build: this machine runs no 32-bit programs)"))
    for page, (locale, _, _) in LANGUAGES.items():
        testlib.case("code page %d (%s.UTF-8), %s: a menu typed in its language is saved in the page, opens again "
                     "in it, and under Wine shows every caption, entry and field as typed; each button starts its "
                     "file in its folder; the preview's rectangles are the window's within 2 px%s" % (
                         page, locale, exe, " where not approximate" if page == 932 else ""))(
            lambda scratch, page=page: check_page(page, exe, scratch))
    ed.b = ENGINES["chromium"](ed.DOWNLOADS)
    try:
        testlib.main("menus in four locales")
    finally:
        ed.b.quit()
        shutil.rmtree(ed.DOWNLOADS, True)


if __name__ == "__main__":
    main()
