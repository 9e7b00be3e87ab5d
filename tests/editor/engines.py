"""The browsers the editor suites run in, behind one narrow interface:

  get(url)               open a page
  js(body, *args)        run a function body (its arguments as arguments[i]), give back what it returns
  keys(css, *parts)      focus an element and type: a string as text, a tuple as one chord ("Control", "a")
  click(css, index=0)    click the INDEX-th element CSS matches
  files(css, path)       choose a file, or a folder on a folder input, as its picker would
  focused()              the focused element's id
  screenshot(path)       the page as drawn, in PNG
  errors()               the console errors and uncaught errors since the last call
  quit()

Chromium (Debian's chromedriver) and WebKitGTK (WebKitWebDriver, MiniBrowser
under Xvfb) through Selenium; Firefox ESR through puppeteer-core's BiDi in
firefox_bridge.js. FOLDERS says whether the driver can hand a folder to a
folder input."""
import json
import os
import shutil
import subprocess
import tempfile
import time

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
WINDOW = (1400, 1000)


class Selenium:
    folders = True

    def __init__(self, driver):
        from selenium.webdriver import Keys
        self.d, self.named = driver, {"Control": Keys.CONTROL, "Home": Keys.HOME}

    def get(self, url):
        self.d.get(url)

    def js(self, body, *args):
        return self.d.execute_script(body, *args)

    def keys(self, css, *parts):
        e = self.element(css)
        for p in parts:  # one command each, at whose end the driver lets go of the modifiers
            e.send_keys(*([p] if isinstance(p, str) else [self.named.get(k, k) for k in p]))

    def click(self, css, index=0):
        self.element(css, index).click()

    def files(self, css, path):
        self.element(css).send_keys(path)

    def focused(self):
        return self.d.switch_to.active_element.get_attribute("id")

    def screenshot(self, path):
        self.d.save_screenshot(path)

    def element(self, css, index=0):
        from selenium.webdriver.common.by import By
        return self.d.find_elements(By.CSS_SELECTOR, css)[index]

    def quit(self):
        self.d.quit()


class Chromium(Selenium):
    """Headless, in the throwaway profile chromedriver makes, with none of the background traffic this closed
    network refuses; errors from its console log."""

    def __init__(self, downloads):
        from selenium.webdriver import Chrome, ChromeOptions
        from selenium.webdriver.chrome.service import Service
        o = ChromeOptions()
        o.binary_location = "/usr/bin/chromium"
        for a in ("--headless --no-sandbox --disable-gpu --disable-background-networking --disable-component-update "
                  "--disable-sync --no-first-run --force-device-scale-factor=1").split() + ["--window-size=%d,%d" % WINDOW]:
            o.add_argument(a)
        o.add_experimental_option("prefs", {"download.default_directory": downloads,
                                            "download.prompt_for_download": False})
        o.set_capability("goog:loggingPrefs", {"browser": "SEVERE"})
        super().__init__(Chrome(service=Service("/usr/bin/chromedriver"), options=o))

    def errors(self):
        return [e["message"] for e in self.d.get_log("browser") if e["level"] == "SEVERE"]


# WebKitWebDriver keeps no console log: this hook, put in after each load, keeps the page's errors.
HOOK = """if (!window.testErrors) {
  const seen = window.testErrors = [], error = console.error;
  addEventListener('error', (e) => seen.push(String(e.message)));
  addEventListener('unhandledrejection', (e) => seen.push('unhandled rejection: ' + (e.reason && e.reason.message || e.reason)));
  console.error = (...a) => { seen.push(a.join(' ')); error.apply(console, a); };
}"""


class WebKit(Selenium):
    """MiniBrowser, which has no headless mode, on the project's Xvfb display (started here when it is not up);
    it saves downloads unasked into the XDG download folder, set to DOWNLOADS. WebKitWebDriver sets a file input's
    files directly and never through its picker, so a folder arrives as one empty file: no folders."""
    folders = False

    def __init__(self, downloads):
        from selenium.webdriver import WebKitGTK, WebKitGTKOptions
        display, self.xvfb = os.environ.get("TAVLIN_XVFB_DISPLAY", ":71"), None
        if subprocess.run(["xdpyinfo", "-display", display], capture_output=True).returncode:
            self.xvfb = subprocess.Popen(["Xvfb", display, "-screen", "0", "1600x1200x24", "-nolisten", "tcp"],
                                         stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            for _ in range(100):
                if not subprocess.run(["xdpyinfo", "-display", display], capture_output=True).returncode:
                    break
                time.sleep(0.05)
        self.config = config = tempfile.mkdtemp(prefix="editor-xdg-", dir=os.path.dirname(downloads))
        with open(os.path.join(config, "user-dirs.dirs"), "w") as f:
            f.write('XDG_DOWNLOAD_DIR="%s"\n' % downloads)
        o = WebKitGTKOptions()
        o.binary_location = "/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser"
        o.add_argument("--automation")  # without it the session never matches
        # Else WebKit gives a file URL page's uncaught errors as "Script error." and no more.
        o.add_argument("--allow-file-access-from-file-urls=true")
        saved = dict(os.environ)
        os.environ.update(DISPLAY=display, XDG_CONFIG_HOME=config)  # the driver hands its own to the browser
        try:
            super().__init__(WebKitGTK(executable_path="/usr/bin/WebKitWebDriver", options=o))
        finally:
            os.environ.clear()
            os.environ.update(saved)
        self.d.set_window_size(*WINDOW)

    def get(self, url):
        self.d.get(url)
        self.d.execute_script(HOOK)

    def errors(self):
        return self.d.execute_script("return window.testErrors ? testErrors.splice(0) : []")

    def quit(self):
        super().quit()
        shutil.rmtree(self.config, True)
        if self.xvfb:
            self.xvfb.terminate()
            self.xvfb.wait()


class Firefox:
    """Headless Firefox ESR driven by firefox_bridge.js, puppeteer-core from build/node (scripts/bootstrap)."""
    folders = True

    def __init__(self, downloads):
        env = dict(os.environ, NODE_PATH=os.path.join(ROOT, "build", "node", "node_modules"))
        self.p = subprocess.Popen(["node", os.path.join(ROOT, "tests", "editor", "firefox_bridge.js")], env=env,
                                  stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True, encoding="utf-8")
        self.call("start", downloads)

    def call(self, op, *args):
        self.p.stdin.write(json.dumps([op, *args]) + "\n")
        self.p.stdin.flush()
        line = self.p.stdout.readline()
        if not line:
            raise RuntimeError("the Firefox bridge ended (%s)" % op)
        reply = json.loads(line)
        if "error" in reply:
            raise RuntimeError("Firefox, %s: %s" % (op, reply["error"]))
        return reply["value"]

    def get(self, url):
        self.call("get", url)

    def js(self, body, *args):
        return self.call("js", body, list(args))

    def keys(self, css, *parts):
        self.call("keys", css, list(parts))

    def click(self, css, index=0):
        self.call("click", css, index)

    def files(self, css, path):
        self.call("files", css, path)

    def focused(self):
        return self.call("focused")

    def screenshot(self, path):
        self.call("screenshot", path)

    def errors(self):
        return self.call("errors")

    def quit(self):
        try:
            self.call("quit")
        finally:
            self.p.stdin.close()
            self.p.wait(30)


ENGINES = {"chromium": Chromium, "firefox": Firefox, "webkit": WebKit}
