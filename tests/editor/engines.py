"""The browsers the editor suites run in, behind one narrow interface: get(url);
js(body, *args), a function body run with its arguments; keys(css, *parts),
text or, as a tuple, one chord such as ("Control", "a"); click(css, index=0);
files(css, path), a file or a folder as its picker would give it; focused(),
the focused element's id; screenshot(path); errors(), the console and uncaught
errors since the last call; quit(). Chromium and WebKitGTK through Selenium,
Firefox ESR through firefox_bridge.js. FOLDERS: whether the driver can hand a
folder to a folder input."""
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
        for p in parts:  # one command each, at whose end the driver lets go of the modifiers
            self.element(css).send_keys(*([p] if isinstance(p, str) else [self.named.get(k, k) for k in p]))

    def click(self, css, index=0):
        self.element(css, index).click()

    def files(self, css, path):
        self.element(css).send_keys(path)

    def focused(self):
        return self.d.switch_to.active_element.get_attribute("id")

    def screenshot(self, path):
        self.d.save_screenshot(path)

    def element(self, css, index=0):
        return self.d.find_elements("css selector", css)[index]

    def quit(self):
        self.d.quit()


class Chromium(Selenium):
    """Headless, in chromedriver's throwaway profile, with none of the background traffic this closed network
    refuses; errors from its console log."""

    def __init__(self, downloads):
        from selenium.webdriver import Chrome, ChromeOptions
        from selenium.webdriver.chrome.service import Service
        o = ChromeOptions()
        o.binary_location = "/usr/bin/chromium"
        for a in ("--headless --no-sandbox --disable-gpu --disable-background-networking --disable-component-update "
                  "--disable-sync --no-first-run --force-device-scale-factor=1 --window-size=%d,%d" % WINDOW).split():
            o.add_argument(a)
        o.add_experimental_option("prefs", {"download.default_directory": downloads,
                                            "download.prompt_for_download": False})
        o.set_capability("goog:loggingPrefs", {"browser": "SEVERE"})
        super().__init__(Chrome(service=Service("/usr/bin/chromedriver"), options=o))

    def errors(self):
        return [e["message"] for e in self.d.get_log("browser")]


# WebKitWebDriver keeps no console log: this hook, put in after each load, keeps the page's errors.
HOOK = """if (!window.testErrors) {
  const seen = window.testErrors = [], error = console.error;
  addEventListener('error', (e) => seen.push(String(e.message)));
  addEventListener('unhandledrejection', (e) => seen.push('unhandled rejection: ' + (e.reason && e.reason.message || e.reason)));
  console.error = (...a) => { seen.push(a.join(' ')); error.apply(console, a); };
}"""


class WebKit(Selenium):
    """MiniBrowser, which has no headless mode, on the project's Xvfb display (started here unless it is up);
    it saves downloads unasked into the XDG download folder, set to DOWNLOADS. WebKitWebDriver sets an input's
    files itself, never through the picker, so a folder arrives as one empty file: no folders."""
    folders = False

    def __init__(self, downloads):
        from selenium.webdriver import WebKitGTK, WebKitGTKOptions
        display, self.xvfb = os.environ.get("TAVLIN_XVFB_DISPLAY", ":71"), None
        up = lambda: not subprocess.run(["xdpyinfo", "-display", display], capture_output=True).returncode  # noqa
        if not up():
            self.xvfb = subprocess.Popen(["Xvfb", display, "-screen", "0", "1600x1200x24", "-nolisten", "tcp"],
                                         stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            while not up() and self.xvfb.poll() is None:
                time.sleep(0.05)
        self.config = tempfile.mkdtemp(prefix="editor-xdg-", dir=os.path.dirname(downloads))
        with open(os.path.join(self.config, "user-dirs.dirs"), "w") as f:
            f.write('XDG_DOWNLOAD_DIR="%s"\n' % downloads)
        o = WebKitGTKOptions()
        o.binary_location = "/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser"
        o.add_argument("--automation")  # without it the session never matches
        # Else WebKit gives a file URL page's uncaught errors as "Script error." and no more.
        o.add_argument("--allow-file-access-from-file-urls=true")
        saved = dict(os.environ)
        os.environ.update(DISPLAY=display, XDG_CONFIG_HOME=self.config)  # the driver passes its own on
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
    """Headless Firefox ESR, each call one request to firefox_bridge.js (puppeteer-core from build/node)."""
    folders = True

    def __init__(self, downloads):
        env = dict(os.environ, NODE_PATH=os.path.join(ROOT, "build", "node", "node_modules"))
        self.p = subprocess.Popen(["node", os.path.join(ROOT, "tests", "editor", "firefox_bridge.js")], env=env,
                                  stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True, encoding="utf-8")
        self.start(downloads)

    def __getattr__(self, op):
        return lambda *args: self.call(op, *args)

    def call(self, op, *args):
        self.p.stdin.write(json.dumps([op, *args]) + "\n")
        self.p.stdin.flush()
        line = self.p.stdout.readline()
        reply = json.loads(line) if line else {"error": "the bridge ended"}
        if "error" in reply:
            raise RuntimeError("Firefox, %s: %s" % (op, reply["error"]))
        return reply["value"]

    def js(self, body, *args):
        return self.call("js", body, list(args))

    def keys(self, css, *parts):
        self.call("keys", css, list(parts))

    def click(self, css, index=0):
        self.call("click", css, index)

    def quit(self):
        try:
            self.call("quit")
        finally:
            self.p.stdin.close()
            self.p.wait(30)


ENGINES = {"chromium": Chromium, "firefox": Firefox, "webkit": WebKit}
