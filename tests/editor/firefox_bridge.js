// firefox_bridge.js: headless Firefox ESR through its WebDriver BiDi
// (puppeteer-core), for engines.py: one JSON request a line on stdin,
// [op, ...args], one line back on stdout, {value} or {error}.
"use strict";
const fs = require("fs");
const puppeteer = require("puppeteer-core");

// Run in the browser's own (chrome) window: the file picker, which answers
// with the folder to choose, and the consent Firefox asks before a page reads
// a folder, given once its button is enabled; its text comes back once closed.
const PICK_FOLDER = `(path) => {
  globalThis.testFolder = path;
  if (globalThis.testPicker) return;
  globalThis.testPicker = {
    createInstance: (iid) => ({
      init() {}, appendFilter() {}, appendFilters() {}, displayDirectory: null,
      get file() { const f = Cc["@mozilla.org/file/local;1"].createInstance(Ci.nsIFile); f.initWithPath(testFolder); return f; },
      open: (done) => Services.tm.dispatchToMainThread(() => done.done(Ci.nsIFilePicker.returnOK)),
      QueryInterface: ChromeUtils.generateQI(["nsIFilePicker"]),
    }).QueryInterface(iid),
    QueryInterface: ChromeUtils.generateQI(["nsIFactory"]),
  };
  Components.manager.QueryInterface(Ci.nsIComponentRegistrar).registerFactory(
    Components.ID("{4b1e8a6e-5b0b-4f57-9d1e-3a7f0b1c2d33}"), "test folder picker", "@mozilla.org/filepicker;1", testPicker);
}`;
const ACCEPT_UPLOAD = `async () => {
  const dialog = () => gBrowser.browsers.map((b) => b.tabDialogBox?.getTabDialogManager().dialogs[0]).find((d) => d);
  let text = null;
  for (let i = 0; i < 2400; i++, await new Promise((r) => setTimeout(r, 25))) {
    const d = dialog()?.frameContentWindow?.Dialog;
    if (text !== null && !dialog()) return text;
    if (text === null && d?.ui.button0 && !d.ui.button0.disabled) {
      text = d.args.text;
      d.ui.button0.click();
    }
  }
  return null;
}`;

let browser, page;
const errors = [];
const bidi = (method, params) => browser.connection.send(method, params).then((r) => r.result);

async function inChrome(fn, ...args) {
  const [chrome] = (await bidi("browsingContext.getTree", {"moz:scope": "chrome"})).contexts;
  const r = await bidi("script.callFunction", {functionDeclaration: fn, awaitPromise: true,
    target: {context: chrome.context}, arguments: args.map((value) => ({type: "string", value}))});
  if (r.type === "exception") throw new Error(r.exceptionDetails.text);
  return r.result.value;
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
      for (const m of part.slice(0, -1)) await page.keyboard.down(m);
      await page.keyboard.press(part.at(-1));
      for (const m of part.slice(0, -1).reverse()) await page.keyboard.up(m);
    }
  },
  click: async (css, index) => (await page.$$(css))[index].click(),
  async files(css, path) {
    const input = await page.$(css);
    if (!fs.statSync(path).isDirectory()) return input.uploadFile(path);
    await inChrome(PICK_FOLDER, path);
    // Firefox grants a realm's scripts user activation once and lets it
    // expire: dropping it makes the click's a fresh one, which a picker needs.
    await bidi("script.callFunction", {functionDeclaration: "() => {}", awaitPromise: false,
      target: {context: page.mainFrame()._id}, userActivation: false});
    await input.evaluate((e) => e.click());
    if (!(await inChrome(ACCEPT_UPLOAD))) throw new Error("Firefox asked no consent to read " + path);
  },
  focused: () => page.evaluate(() => document.activeElement && document.activeElement.id),
  screenshot: (path) => page.screenshot({path}).then(() => null),
  errors: () => errors.splice(0),
  quit: () => browser.close(),
};

(async () => {
  for await (const line of require("readline").createInterface({input: process.stdin})) {
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
