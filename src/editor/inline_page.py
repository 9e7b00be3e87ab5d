#!/usr/bin/env python3
"""Makes the menu editor one self-contained HTML file: the page's CSS and
JavaScript, the compiled core (itself one file with its WebAssembly inside)
and the built-in artwork as data URLs, all inlined.

  inline_page.py editor.html tavlin-core.js ART_DIR OUT.html
"""
import base64
import json
import os
import re
import sys

page_html, core_js, art_dir, out = sys.argv[1:5]
page_dir = os.path.dirname(page_html)


def read(path):
    with open(path, encoding="utf-8") as f:
        return f.read()


def script(code, attributes=""):
    # Nothing inside may close the element early.
    return "<script%s>\n" % attributes + re.sub(r"</(script)", r"<\\/\1", code, flags=re.I) + "\n</script>"


def data_url(name, mime):
    with open(os.path.join(art_dir, name), "rb") as f:
        return "data:%s;base64,%s" % (mime, base64.b64encode(f.read()).decode("ascii"))


art = {"Background": data_url("background.jpg", "image/jpeg"), "AboutGrey": data_url("about_grey.bmp", "image/bmp"),
       "Wordmark": data_url("wordmark.bmp", "image/bmp")}
html = read(page_html)
parts = {
    '<link rel="stylesheet" href="editor.css">': "<style>\n" + read(os.path.join(page_dir, "editor.css")) + "</style>",
    '<script src="art.js"></script>': script("const ARTWORK = " + json.dumps(art) + ";"),
    # Its id lets the page start workers from the same text.
    '<script src="tavlin-core.js" id="tavlin-core"></script>': script(read(core_js), ' id="tavlin-core"'),
}
# The page's own scripts, in the order the page names them.
for name in re.findall(r'<script src="([a-z]+\.js)"></script>', html):
    if name not in ("art.js", "tavlin-core.js"):
        parts['<script src="%s"></script>' % name] = script(read(os.path.join(page_dir, name)))
for marker, content in parts.items():
    if marker not in html:
        sys.exit("inline_page.py: %s is not in %s" % (marker, page_html))
    html = html.replace(marker, content)
with open(out, "w", encoding="utf-8") as f:
    f.write(html)
