#!/usr/bin/python3
"""label_metrics_check.py [JUNIT.xml [PAGE ...]] (build/native and build/win64
built first): the editor's size of each self-sizing label of Form1 beside the
real window's under Wine in a locale of each Windows code page, for captions
in its language and for every byte of the page (of a double-byte page, its
ASCII): within 2 pixels, but for those the editor calls approximate in a
double-byte page (its estimates of two-byte characters); in a single-byte
page, approximate only says that Wine draws a box or another letter there,
as the editor counts. ASCII is never approximate.
TAVLIN_SHOTS=DIR saves a screenshot of each page's window with its language.
Prints each label's editor and real width x height."""
import os
import subprocess
import sys
import unicodedata

sys.path.insert(0, os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
import testlib  # noqa: E402

SIZES = os.path.join(testlib.ROOT, "build", "native", "label_sizes")
# Lines 11 and 14 to 18 hold the captions of these labels.
LABELS = {10: "Label6", 13: "Label1", 14: "Label2", 15: "Label3", 16: "Label4", 17: "Label5"}
# code page: locale, then the title, heading and field labels in its language
PAGES = {
    1252: ("C", "Bienvenue à bord — ça marche", "Anwendung", "Dossier", "Fichier", "Información", "Descrição"),
    1250: ("pl_PL", "Zażółć gęślą jaźń", "Aplikacja", "Složka", "Plik", "Informacje", "Opis"),
    1251: ("ru_RU", "Добро пожаловать", "Приложение", "Папка", "Файл", "Сведения", "Описание"),
    1253: ("el_GR", "Καλώς ορίσατε", "Εφαρμογή", "Φάκελος", "Αρχείο", "Πληροφορίες", "Περιγραφή"),
    1254: ("tr_TR", "Hoş geldiniz", "Uygulama", "Klasör", "Dosya", "Bilgi", "Açıklama"),
    1255: ("he_IL", "ברוכים הבאים", "יישום", "תיקייה", "קובץ", "מידע", "תיאור"),
    1256: ("ar_EG", "مرحبا بكم", "التطبيق", "المجلد", "الملف", "معلومات", "الوصف"),
    1257: ("lt_LT", "Sveiki atvykę", "Programa", "Aplankas", "Failas", "Informacija", "Aprašymas"),
    1258: ("vi_VN", "Chào mừng đến với đĩa", "Ứng dụng", "Thư mục", "Tệp", "Thông tin", "Mô tả"),
    874: ("th_TH", "ยินดีต้อนรับ", "โปรแกรม", "โฟลเดอร์", "ไฟล์", "ข้อมูล", "คำอธิบาย"),
    932: ("ja_JP", "ようこそディスクへ", "アプリケーション", "フォルダー", "ファイル", "情報", "説明"),
    936: ("zh_CN", "欢迎使用光盘", "应用程序", "文件夹", "文件", "信息", "说明"),
    949: ("ko_KR", "환영합니다", "응용 프로그램", "폴더", "파일", "정보", "설명"),
    950: ("zh_TW", "歡迎使用光碟", "應用程式", "資料夾", "檔案", "資訊", "說明"),
}
DOUBLE_BYTE = {932, 936, 949, 950}

# Wine's ANSI code page, then each label's rectangle, in the locale given.
REAL_RECTS = r"""
source "$1/scripts/lib/wine.sh"
export LANG=$3
wine_setup --own-display
trap wine_stop EXIT
wine reg query 'HKLM\System\CurrentControlSet\Control\Nls\CodePage' /v ACP | tr -d '\r' | grep -w ACP
(cd "$2" && exec timeout --kill-after=5 60 wine "$1/build/win64/tavlin.exe") >/dev/null 2>&1 &
rect() { timeout 60 wine "$1/build/win64/winwait.exe" --rect "${@:2}" "Tavlin v3.0" 30000 | tr -d '\r'; }
for c in ${4}; do echo "$c $(rect "$1" --child "Form1.$c")"; done
[[ -z "$5" ]] || import -display "$DISPLAY" -window root "$5"
"""


def encode(text, page):
    """Each character whole where the page has it, else its letter with one
    of its marks precomposed where the page has that, then the other marks
    as combining characters (as Vietnamese is written in 1258)."""
    codec, out = "cp%d" % page, b""
    for ch in text:
        d = unicodedata.normalize("NFD", ch)
        tries = [ch] + [unicodedata.normalize("NFC", d[0] + m) + d[1:i] + d[i + 1:] for i, m in enumerate(d) if i]
        for t in tries + [d]:
            try:
                out += t.encode(codec)
                break
            except UnicodeEncodeError:
                pass
        else:
            raise ValueError("%r is not in %s" % (ch, codec))
    return out


def menu(captions):
    """A menu of one item whose title and label lines hold CAPTIONS (line: bytes)."""
    lines = [b"label sizes", b"1", b"", b"", b"14", b"", b"", b"yes"] + [b""] * 14
    for line, caption in captions.items():
        lines[line] = caption
    lines += [b"", b"item", b"docs", b"readme.txt", b"Open", b"info", b"desc", b""]
    return b"\r\n".join(lines) + b"\r\n"


def discs(page):
    """Menus in PAGE: {name: {line: caption}}."""
    words = {line: encode(text, page) for line, text in zip(LABELS, PAGES[page][1:])}
    # Every byte from 0x20 (ASCII alone in a double-byte page): in four parts
    # over the MS Sans Serif labels, whole in the Arial ones. Not the marks
    # that join or order letters without a glyph (1255, 1256): after a letter
    # Wine gives them the letter's width in a bitmap font, whose files give
    # them none.
    every = bytes(b for b in range(0x20, 0x80 if page in DOUBLE_BYTE else 0x100)
                  if bytes([b]).decode("cp%d" % page, "ignore") not in {"\u200c", "\u200d", "\u200e", "\u200f"})
    part = -(-len(every) // 4)
    bytes_ = {10: every, 17: every, **{13 + i: every[part * i:part * (i + 1)] for i in range(4)}}
    return {"words": words, "bytes": bytes_}


def editor_sizes(page, captions):
    lines = "".join("%d %s %s\n" % (page, LABELS[line], c.hex()) for line, c in captions.items())
    p = subprocess.run([SIZES], input=lines.encode(), capture_output=True, check=True)
    out = {}
    for line, row in zip(captions, p.stdout.decode().splitlines()):
        w, h, approximate = row.split()
        out[LABELS[line]] = (int(w), int(h), approximate == "1")
    return out


def check_page(page, scratch):
    locale = PAGES[page][0]
    rows, off = [], []
    for name, captions in discs(page).items():
        disc = testlib.write_files(os.path.join(scratch, name), {"tavlin.ini": menu(captions)})
        editor = editor_sizes(page, captions)
        shots = os.environ.get("TAVLIN_SHOTS", "")
        shot = os.path.join(shots, "labels-%d-%s.png" % (page, locale)) if shots and name == "words" else ""
        _, out, err = testlib.run(["bash", "-c", REAL_RECTS, "real-rects", testlib.ROOT, disc, locale + ".UTF-8",
                                   " ".join(editor), shot], timeout=300)
        real = {line.split()[0]: [int(v) for v in line.split()[1:] if v.isdigit()]
                for line in out.splitlines() if line.strip()}
        testlib.check(real.get("ACP") == [page], "Wine's ANSI code page in %s: %s\n%s" % (locale, real.get("ACP"), err))
        testlib.check(all(len(real.get(n, [])) == 4 for n in editor), "Wine: %r\n%s" % (out, err))
        for n, (w, h, approx) in editor.items():
            rw, rh = real[n][2:]
            diff = max(abs(w - rw), abs(h - rh))
            rows.append("%5d %-6s %-5s %-6s editor %4d x %-3d real %4d x %-3d diff %3d%s" % (
                page, locale, name, n, w, h, rw, rh, diff, "  (approximate)" if approx else ""))
            if approx and max(captions[next(line for line in captions if LABELS[line] == n)]) < 0x80:
                off.append("%s %s: the editor calls the size of ASCII approximate" % (name, n))
            elif diff > 2 and not (approx and page in DOUBLE_BYTE):
                off.append("%s %s: editor %d x %d, real %d x %d" % (name, n, w, h, rw, rh))
    print("\n".join(rows))
    testlib.check(not off, "\n".join(off))


for p in [int(a) for a in sys.argv[2:]] or PAGES:
    testlib.case("code page %d (%s): each label's size in the editor is the real window's under Wine, within 2 "
                 "pixels where not called approximate" % (p, PAGES[p][0]))(lambda scratch, p=p: check_page(p, scratch))

if __name__ == "__main__":
    testlib.main("label sizes by code page", sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        testlib.ROOT, "build", "label-metrics.xml"))
