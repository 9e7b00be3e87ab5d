// The menu editor's long work, beside the page: the program's run of the main
// window for the preview, and the checker over the menu and the disc. Both
// run the same compiled core as the page, in a Web Worker of their own, so
// that typing never waits for them. Each keeps its own copy of the document,
// changed by the same calls as the page's, so that a key sends a line, not
// the file; and each answers with what changed since its last answer, so
// that the page touches only that. Where a browser gives the page no worker,
// the same code runs on the page, between events, on the page's document.
"use strict";

// The work itself, for one helper: takes a request, posts its answer.
// pageDocument: the page's own document, where this runs on the page.
function tavlinWork(core, post, pageDocument = null) {
  let own = null, good = new Uint8Array(0);
  const doc = () => (pageDocument ? pageDocument() : own);
  // The last bytes that could be saved: a character the code page lacks
  // leaves the preview and the checker on what was there before it.
  const menu = () => {
    const e = doc().encode();
    if (e.bytes) good = e.bytes;
    return good;
  };
  let disc = null;  // {entries, files: Map(path -> File), bytes: {path: Uint8Array}}
  let picture = null;
  let lastItems = [], lastWindow = null, lastMap = [], lastFindings = [];

  // [[index, value], ...] where `now` differs from `old`, for a list as long as `now`.
  function changes(old, now, same) {
    const out = [];
    for (let i = 0; i < now.length; i++) if (i >= old.length || !same(old[i], now[i])) out.push([i, now[i]]);
    return out;
  }
  const sameRow = (a, b) => a.number === b.number && a.field === b.field && a.shown === b.shown;
  const sameFinding = (a, b) => a.file === b.file && a.line === b.line && a.severity === b.severity &&
    a.message === b.message;

  function preview(m) {
    const run = core.mainWindow(menu(), picture, m.select, doc().codePage());
    const controls = {};
    let items = [];
    for (const [name, c] of Object.entries(run.controls)) {
      const {items: entries, ...rest} = c;
      controls[name] = rest;
      if (name === "List1") items = entries;
    }
    const list = {itemCount: items.length, itemChanges: changes(lastItems, items, (a, b) => a === b)};
    lastItems = items;
    // Most keys change a value the window does not show until its item is chosen: then only the list is sent.
    const drawn = JSON.stringify([run.caption, run.menupic, controls]);
    if (drawn === lastWindow) return post({type: "preview", list});
    lastWindow = drawn;
    post({type: "preview", list, caption: run.caption, menupic: run.menupic, controls});
  }

  async function check(m) {
    // Changes that come while the disc's files are read wait for the next run.
    const bytes = menu(), codePage = doc().codePage();
    let r;
    for (;;) {
      r = core.check(disc ? disc.entries : [], disc ? disc.bytes : {}, bytes, codePage);
      if (!r.wanted.length || !disc) break;
      // The checker asks for the bytes of the files it reads (pictures, the menu's own).
      await Promise.all(r.wanted.map(async (p) => {
        disc.bytes[p] = new Uint8Array(await disc.files.get(p).arrayBuffer());
      }));
    }
    const out = {type: "check",
      mapLength: r.map.length, mapChanges: changes(lastMap, r.map, sameRow),
      findingsLength: r.findings.length, findingChanges: changes(lastFindings, r.findings, sameFinding),
      summary: r.report.trim().split("\n").pop()};
    // The whole report holds the line map: sent when asked for, not at every key.
    if (m.wantReport) out.report = r.report;
    lastMap = r.map;
    lastFindings = r.findings;
    post(out);
  }

  // A request brings the document's changes since the last one, and the disc
  // and the picture only when they changed.
  return async (m) => {
    for (const c of m.changes || []) {
      if (c.type === "open") {
        if (own) own.delete();
        own = new core.MenuDocument(c.bytes, c.codePage);
      } else {
        own[c.name](...c.args);
      }
    }
    if (m.disc !== undefined) disc = m.disc && {entries: m.disc.entries, files: m.disc.files, bytes: {}};
    if (m.picture !== undefined) picture = m.picture;
    if (m.type === "preview") preview(m);
    else await check(m);
  };
}

// A worker's start: its messages wait until the core is compiled. A failure
// is said to the page, which would otherwise wait for an answer forever.
function tavlinWorkerMain() {
  const waiting = [];
  let work = null, ready = false;
  const run = (m) => work(m).catch((e) => self.postMessage({type: "failed", message: String((e && e.stack) || e)}));
  self.onmessage = (e) => (ready ? run(e.data) : waiting.push(e.data));
  TavlinCore().then(async (core) => {
    work = tavlinWork(core, (m) => self.postMessage(m));
    while (waiting.length) await run(waiting.shift());
    ready = true;
  });
}
