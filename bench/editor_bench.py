#!/usr/bin/python3
"""editor_bench.py OUT.md PAGE.html [OLD.html]: the menu editor's cost at 1, 100
and 1000 items, in headless Chromium, driven as an author drives it (the
file input, real key presses and clicks). With OLD.html the two pages are
measured in turn, menu by menu and action by action, so that both see the
same machine.

Main-thread work is Chromium's own count (the Performance domain's
TaskDuration: every task the renderer's main thread ran) from just before
an action to the page's being idle again, the delayed check included. The
quiet row is that count for the same wait with no action: what the
measurement itself costs."""
import os
import statistics
import subprocess
import sys
import tempfile
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, os.path.join(ROOT, "tests", "editor"))
from engines import Chromium  # noqa: E402

SIZES = (1, 100, 1000)
ROUNDS = int(os.environ.get("TAVLIN_BENCH_ROUNDS", "15"))
SETTLE = 0.25  # past the page's delayed check, before idle() is first asked


class Page:
    def __init__(self, browser, path):
        self.b, self.url = browser, "file://" + os.path.abspath(path)

    def js(self, body, *args):
        return self.b.js(body, *args)

    def busy_ms(self):
        metrics = self.b.d.execute_cdp_cmd("Performance.getMetrics", {})["metrics"]
        return next(m["value"] for m in metrics if m["name"] == "TaskDuration") * 1000

    def wait_idle(self):
        time.sleep(SETTLE)
        while not self.js("return tavlinEditor.idle()"):
            time.sleep(0.02)

    def cdp(self, command, **params):
        return self.b.d.execute_cdp_cmd(command, params)

    # Input as the browser's own input pipeline delivers it (trusted events), without the driver's element checks,
    # whose scripts run on the page's main thread and would be counted.
    def key(self, text):
        self.cdp("Input.dispatchKeyEvent", type="keyDown", key=text, text=text, unmodifiedText=text)
        self.cdp("Input.dispatchKeyEvent", type="keyUp", key=text)

    def centre(self, css):
        return self.js("const e = document.querySelector(arguments[0]); e.scrollIntoView({block: 'center'});"
                       "const r = e.getBoundingClientRect(); return [r.left + r.width / 2, r.top + r.height / 2]", css)

    def click(self, at):
        for kind in ("mousePressed", "mouseReleased"):
            self.cdp("Input.dispatchMouseEvent", type=kind, x=at[0], y=at[1], button="left", clickCount=1)

    def measured(self, action):
        """Main-thread milliseconds from just before ACTION until the page is idle."""
        before = self.busy_ms()
        action()
        self.wait_idle()
        return self.busy_ms() - before

    def open(self, menu, items):
        """Milliseconds from the file's change event until the list and the preview show every item (the next
        frame painted), and the main-thread work of the whole opening."""
        self.b.get(self.url)
        self.b.d.execute_cdp_cmd("Performance.enable", {})
        until(lambda: self.js("return !!window.tavlinEditor && tavlinEditor.idle()"))
        self.js("""
          const items = arguments[0], before = tavlinEditor.opened(), e = tavlinEditor;
          window.benchOpened = null;
          document.querySelector('#menu-input').addEventListener('change', (ev) => {
            const t0 = ev.timeStamp;
            // The old page drew everything in the handler; the new one draws the list at once, the preview
            // when its worker answers.
            const drawn = () => e.opened() > before && (e.previewDrawn ? e.previewDrawn() : true) &&
              (e.listEntries ? e.listEntries() : document.querySelector('#item-list').options.length) === items &&
              (e.previewEntries ? e.previewEntries()
               : document.querySelectorAll('#preview [data-control="List1"] .entry').length) === items;
            const tick = () => drawn() ? requestAnimationFrame(() => setTimeout(() => {
              window.benchOpened = performance.now() - t0; })) : requestAnimationFrame(tick);
            tick();
          }, {capture: true, once: true});""", items)
        work = self.measured(lambda: self.b.files("#menu-input", menu))
        return until(lambda: self.js("return window.benchOpened")), work


def until(fn, timeout=120):
    end = time.monotonic() + timeout
    while not (v := fn()):
        if time.monotonic() > end:
            raise RuntimeError("the page did not get there")
        time.sleep(0.02)
    return v


def series(page, items):
    """{action: [ms, ...]} for one opened menu."""
    middle = max(1, items // 2)
    page.js("selectItem(arguments[0])", middle)
    page.wait_idle()
    out = {"quiet": [page.measured(lambda: None) for _ in range(ROUNDS)]}
    page.click(page.centre("#f-ItemName"))
    page.wait_idle()
    out["typed character"] = [page.measured(lambda: page.key("x")) for _ in range(ROUNDS)]
    # The same keys counted in the main thread's own CPU time: what the page did, without the time the shared
    # machine gave its cores to others meanwhile.
    page.cdp("Performance.disable")
    page.cdp("Performance.enable", timeDomain="threadTicks")
    out["typed character, CPU time"] = [page.measured(lambda: page.key("x")) for _ in range(ROUNDS)]
    page.cdp("Performance.disable")
    page.cdp("Performance.enable")
    if items == 1000:  # room for the one added
        page.click(page.centre("#remove-item"))
        page.wait_idle()
    add, remove = [], page.centre("#remove-item")
    at = page.centre("#add-item")
    for _ in range(ROUNDS):
        add.append(page.measured(lambda: page.click(at)))
        page.click(remove)
        page.wait_idle()
    out["add an item"] = add
    page.js("selectItem(arguments[0])", middle)
    page.wait_idle()
    up, down = page.centre("#item-up"), page.centre("#item-down")
    out["move an item"] = [page.measured(lambda: page.click(up if i % 2 == 0 else down)) for i in range(ROUNDS)]
    return out


def summary(values):
    return "%.1f (%.1f to %.1f)" % (statistics.median(values), min(values), max(values))


def main():
    out_md, pages = sys.argv[1], sys.argv[2:]
    names = ["new", "old"][:len(pages)] if len(pages) > 1 else ["page"]
    scratch = tempfile.mkdtemp(prefix="bench-editor-", dir=os.path.join(ROOT, "build"))
    checker = os.path.join(ROOT, "build", "native", "tavlin-check")
    menus = {}
    for n in SIZES:
        menus[n] = os.path.join(scratch, "items%d" % n, "tavlin.ini")
        os.makedirs(os.path.dirname(menus[n]))
        with open(menus[n], "wb") as f:
            f.write(subprocess.run([checker, "--template", str(n)], stdout=subprocess.PIPE, check=True).stdout)
    b = Chromium(scratch)
    results = {}  # (page, items) -> {action: [ms]}
    try:
        browsers = [Page(b, p) for p in pages]
        for n in SIZES:
            opens = {name: ([], []) for name in names}
            per = {name: {} for name in names}
            for r in range(max(5, ROUNDS // 3)):  # A B A B: the pages take turns
                for name, page in zip(names, browsers):
                    shown, work = page.open(menus[n], n)
                    opens[name][0].append(shown)
                    opens[name][1].append(work)
            for name, page in zip(names, browsers):
                page.open(menus[n], n)
                per[name] = series(page, n)
            for name in names:
                per[name]["open until drawn (wall)"] = opens[name][0]
                per[name]["open, main-thread work"] = opens[name][1]
                results[(name, n)] = per[name]
            print("measured %d items" % n, file=sys.stderr)
    finally:
        b.quit()
    actions = ["open until drawn (wall)", "open, main-thread work", "typed character", "typed character, CPU time",
               "add an item", "move an item", "quiet"]
    lines = ["# The editor at 1, 100 and 1000 items", "",
             "Headless Chromium, main-thread milliseconds as median (min to max); %d keys or clicks each, opening %d "
             "times per page, the pages in turn. Ratio: the median at 1000 items over the one at 1 item." %
             (ROUNDS, max(5, ROUNDS // 3)), ""]
    head = "| action | " + " | ".join("%s %d" % (name, n) for name in names for n in SIZES) + " | " + \
        " | ".join("%s 1000/1" % name for name in names) + " |"
    lines += [head, "|" + "---|" * (1 + len(names) * (len(SIZES) + 1))]
    for a in actions:
        cells = [summary(results[(name, n)][a]) for name in names for n in SIZES]
        ratios = ["%.2f" % (statistics.median(results[(name, 1000)][a]) /
                            max(statistics.median(results[(name, 1)][a]), 0.01)) for name in names]
        lines.append("| %s | %s | %s |" % (a, " | ".join(cells), " | ".join(ratios)))
    text = "\n".join(lines) + "\n"
    with open(out_md, "w") as f:
        f.write(text)
    print(text)


if __name__ == "__main__":
    main()
