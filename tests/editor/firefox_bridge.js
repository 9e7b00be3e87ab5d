// firefox_bridge.js DOWNLOADS: headless Firefox ESR through its WebDriver BiDi
// (puppeteer-core), for engines.py. One JSON request a line on stdin,
// [op, ...args], one line back on stdout: {value} or {error}.
"use strict";
const fs = require("fs");
const readline = require("readline");
const puppeteer = require("puppeteer-core");

// Run in the browser's own (chrome) window: the file picker that an author
// answers by choosing a folder, and the consent Firefox asks for before a page
// reads one. The picker is Firefox's own for every other purpose.
const PICK_FOLDER = `(path) => {
  globalThis.testFolder = path;
  if (globalThis.testPicker) return;
  globalThis.testPicker = {
    createInstance: (iid) => ({
      init() {}, appendFilter() {}, appendFilters() {}, displayDirectory: null,
      get file() { const f = Cc["@mozilla.org/file/local;1"].createInstance(Ci.nsIFile); f.initWithPath(globalThis.testFolder); return f; },
      open: (done) => Services.tm.dispatchToMainThread(() => done.done(Ci.nsIFilePicker.returnOK)),
      QueryInterface: ChromeUtils.generateQI(["nsIFilePicker"]),
    }).QueryInterface(iid),
    QueryInterface: ChromeUtils.generateQI(["nsIFactory"]),
  };
  Components.manager.QueryInterface(Ci.nsIComponentRegistrar).registerFactory(
    Components.ID("{4b1e8a6e-5b0b-4f57-9d1e-3a7f0b1c2d33}"), "test folder picker", "@mozilla.org/filepicker;1",
    globalThis.testPicker);
}`;
// Its button is clicked once it is enabled, and the prompt's text given back once it has closed.
const ACCEPT_UPLOAD = `async () => {
  const dialog = () => gBrowser.browsers.map((b) => b.tabDialogBox?.getTabDialogManager().dialogs[0]).find((d) => d);
  let text = null;
  for (let i = 0; i < 2400; i++) {
    const d = dialog()?.frameContentWindow?.Dialog;
    if (text !== null && !dialog()) return text;
    if (text === null && d?.ui.button0 && !d.ui.button0.disabled) {
      text = d.args.text;
      d.ui.button0.click();
    }
    await new Promise((r) => setTimeout(r, 25));
  }
  return null;
}`;

let browser, page, chrome;
const errors = [];

async function inChrome(fn, ...args) {
  const r = await browser.connection.send("script.callFunction", {
    functionDeclaration: fn, awaitPromise: true, target: {context: chrome},
    arguments: args.map((value) => ({type: "string", value}))});
  if (r.result.type === "exception") throw new Error(r.result.exceptionDetails.text);
  return r.result.result.value;
}

const ops = {
  async start(downloads) {
    browser = await puppeteer.launch({
      browser: "firefox", executablePath: "/usr/bin/firefox-esr", headless: true,
      defaultViewport: {width: 1400, height: 1000}, args: ["-remote-allow-system-access"],
      // The consent's one-second guard on its button is no use to a script.
      extraPrefsFirefox: {"browser.download.dir": downloads, "browser.download.folderList": 2,
                          "security.dialog_enable_delay": 0},
    });
    page = await browser.newPage();
    page.on("console", (m) => m.type() === "error" && errors.push(m.text()));
    page.on("pageerror", (e) => errors.push(e.message));
    const tree = await browser.connection.send("browsingContext.getTree", {"moz:scope": "chrome"});
    chrome = tree.result.contexts[0].context;
  },
  get: (url) => page.goto(url).then(() => null),
  js: (body, args) => page.evaluate((body, args) => Function(body).apply(null, args), body, args),
  async keys(css, parts) {
    await (await page.$(css)).focus();
    for (const part of parts) {
      if (typeof part === "string") {
        await page.keyboard.type(part);
        continue;
      }
      const key = part[part.length - 1], modifiers = part.slice(0, -1);
      for (const m of modifiers) await page.keyboard.down(m);
      await page.keyboard.press(key);
      for (const m of modifiers.reverse()) await page.keyboard.up(m);
    }
  },
  click: async (css, index) => (await page.$$(css))[index].click(),
  async files(css, path) {
    const input = await page.$(css);
    if (!fs.statSync(path).isDirectory()) return input.uploadFile(path);
    await inChrome(PICK_FOLDER, path);
    // Firefox grants a realm's script its user activation once and lets it
    // expire: dropping it makes the click's a fresh one, which a picker needs.
    await browser.connection.send("script.callFunction", {
      functionDeclaration: "() => {}", awaitPromise: false, target: {context: page.mainFrame()._id},
      userActivation: false});
    await input.evaluate((e) => e.click());
    const asked = await inChrome(ACCEPT_UPLOAD);
    if (!asked) throw new Error("Firefox asked no consent to read " + path);
  },
  focused: () => page.evaluate(() => document.activeElement && document.activeElement.id),
  screenshot: (path) => page.screenshot({path}).then(() => null),
  errors: () => errors.splice(0),
  quit: () => browser.close(),
};

(async () => {
  const lines = readline.createInterface({input: process.stdin});
  for await (const line of lines) {
    const [op, ...args] = JSON.parse(line);
    let reply;
    try {
      reply = {value: (await ops[op](...args)) ?? null};
    } catch (e) {
      reply = {error: String(e && e.message || e)};
    }
    process.stdout.write(JSON.stringify(reply) + "\n");
    if (op === "quit") break;
  }
})();
