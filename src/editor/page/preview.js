// The menu editor: the checker's report and the preview of the windows.
"use strict";

// --- the helpers beside the page --------------------------------------------

// The preview's and the checker's runs, each in a worker of its own (worker.js)
// with one request in flight: a change made meanwhile waits, and only the
// newest is sent, so that fast typing never queues work. Every change of the
// document goes to the workers' copies too (change()).
const helpers = {};

function startHelpers() {
  const script = document.getElementById("tavlin-core");
  const source = `${script ? script.textContent : ""}\n${tavlinWork}\n(${tavlinWorkerMain})();`;
  for (const [kind, answered] of [["preview", previewAnswered], ["check", checkAnswered]]) {
    const h = helpers[kind] = {busy: false, make: null, sent: {}, answered, last: null, onPage: false, changes: []};
    const answer = (m) => {
      if (m.type === "failed") console.error(`The ${kind} failed: ${m.message}`);
      else h.answered(m);
      h.busy = false;
      pump(h);
    };
    // Where the page gets no worker: the same work between its events, on its own document.
    const onPage = (why) => {
      console.warn(`The ${kind} runs on the page: ${why}`);
      const work = tavlinWork(core, (m) => setTimeout(() => answer(m)), () => doc);
      h.onPage = true;
      h.sent = {};
      h.changes = [];
      h.port = {postMessage: (m) => setTimeout(() => work(m).catch((e) => answer({type: "failed", message: e.stack || e})))};
      if (!h.busy) return;
      // The request the worker never answered, or a newer one, again.
      if (h.make) h.last = h.make(h.sent);
      h.make = null;
      h.port.postMessage(h.last);
    };
    try {
      h.port = new Worker(URL.createObjectURL(new Blob([source], {type: "text/javascript"})));
      h.port.onmessage = (e) => answer(e.data);
      h.port.onerror = (e) => {
        e.preventDefault();
        onPage(e.message || "its worker did not start");
      };
    } catch (e) {
      onPage(e.message);
    }
  }
}

// A change of the page's document, made in the workers' copies too: it goes
// with their next request, so that a key costs one message to each.
function change(name, ...args) {
  const result = doc[name](...args);
  for (const h of Object.values(helpers)) if (!h.onPage) h.changes.push({type: "change", name, args});
  return result;
}

// A new document: the workers read the same bytes in the same code page.
function tellHelpers(m) {
  for (const h of Object.values(helpers)) if (!h.onPage) h.changes.push(m);
}

function ask(kind, make) {
  const h = helpers[kind];
  h.make = make;
  pump(h);
}

function pump(h) {
  if (h.busy || !h.make) return;
  h.last = h.make(h.sent);
  h.last.changes = h.changes.splice(0);
  h.make = null;
  h.busy = true;
  h.port.postMessage(h.last);
}

const helpersIdle = () => Object.values(helpers).every((h) => !h.busy && !h.make);

// --- the checker -------------------------------------------------------------

// What the checker said last, as the helper sends it: only what changed.
const checked = {findings: [], map: [], summary: ""};
// Who asked for the checker's whole report (tavlinEditor.report), and who waits for the run that makes it.
let reportWanted = [], reportComing = [];
let currentLine = 0;

function requestCheck() {
  ask("check", (sent) => {
    const m = {type: "check", wantReport: reportWanted.length > 0};
    reportComing = reportWanted.splice(0);
    if (sent.disc !== state.disc) {
      sent.disc = state.disc;
      m.disc = state.disc && {entries: state.disc.entries, files: state.disc.files};
    }
    return m;
  });
}

// The checker's whole report on the document as it now stands, as tavlin-check prints it.
function checkReport() {
  return new Promise((resolve) => {
    reportWanted.push(resolve);
    requestCheck();
  });
}

function checkAnswered(m) {
  for (const [i, f] of m.findingChanges) checked.findings[i] = f;
  checked.findings.length = m.findingsLength;
  checked.summary = m.summary;
  if (m.report !== undefined) for (const done of reportComing.splice(0)) done(m.report);
  for (const [i, row] of m.mapChanges) checked.map[i] = row;
  checked.map.length = m.mapLength;
  lineMap.resize(m.mapLength, m.mapChanges.map(([i]) => i));
  showWarnings();
}

// The warnings: the refusal to save first, then the checker's; an entry is
// made anew only where its text changed.
function showWarnings() {
  const rows = (state.refused ? [{refused: state.refused}] : []).concat(checked.findings);
  const list = $("#warnings");
  rows.forEach((f, i) => {
    const key = f.refused ? `refused ${f.refused.line} ${f.refused.character} ${doc.codePage()}`
      : `${f.file}:${f.line}: ${f.severity}: ${f.message}`;
    const old = list.children[i];
    if (old && old.dataset.key === key) return;
    const item = warning(f);
    item.dataset.key = key;
    if (old) old.replaceWith(item);
    else list.append(item);
  });
  while (list.children.length > rows.length) list.lastChild.remove();
  put($("#check-summary"), "textContent", (state.disc ? "" : "Only the menu file is checked; open the disc folder to " +
    "check folders and files too. ") + checked.summary);
}

function warning(f) {
  if (f.refused) {
    return el("li", {className: "error"}, el("button", {type: "button", onclick: () => goToLine(f.refused.line)},
      `${describeLine(f.refused.line)}: “${f.refused.character}” is not in ${codePageName()}; the file cannot be saved`));
  }
  const text = `${f.file}${f.line ? `:${f.line}` : ""}: ${f.severity}: ${f.message}`;
  const onMenu = f.line > 0 && f.file.toLowerCase() === core.menuFile;
  const item = el("li", {className: f.severity});
  item.dataset.line = f.line;
  item.append(onMenu ? el("button", {type: "button", onclick: () => goToLine(f.line)}, text) : el("span", {}, text));
  return item;
}

// A long list drawn a window at a time: only the rows near what is scrolled
// to exist, between two spacers that hold the place of the rest. Rows have
// one height, measured from the first ones drawn. draw(i, old) makes row i,
// or brings `old` up to date. The box's place and size are read once and its
// scrolling followed from its events: a read of the layout at every key would
// make the page lay itself out twice.
function windowed(box, body, spacer, draw, rowHeight) {
  const top = spacer(), bottom = spacer(), drawn = new Map();
  body.append(top, bottom);
  let count = 0, queued = false, start = null, height = 0, scrolled = 0;
  const measure = () => {
    if (start === null) start = body.getBoundingClientRect().top - box.getBoundingClientRect().top + box.scrollTop;
    // A box that grows with its rows up to a limit is sized by that limit.
    if (!height) height = Math.max(box.clientHeight, parseFloat(getComputedStyle(box).maxHeight) || 0);
  };
  const view = {
    resize(n, changed = []) {
      count = n;
      for (const [i, e] of drawn) if (i >= n) { e.remove(); drawn.delete(i); }
      for (const i of changed) if (drawn.has(i)) drawn.set(i, draw(i, drawn.get(i)));
      view.render();
    },
    redraw() {
      for (const [i, e] of drawn) drawn.set(i, draw(i, e));
    },
    render() {
      if (!box.isConnected) return;
      measure();
      const first = Math.max(0, Math.floor((scrolled - start) / rowHeight) - 20);
      const last = Math.min(count, Math.ceil((scrolled - start + (height || 800)) / rowHeight) + 20);
      for (const [i, e] of drawn) if (i < first || i >= last) { e.remove(); drawn.delete(i); }
      let next = bottom;
      for (let i = last - 1; i >= first; i--) {
        let e = drawn.get(i);
        if (!e) drawn.set(i, e = draw(i, null));
        if (e.nextSibling !== next) body.insertBefore(e, next);
        next = e;
      }
      if (last > first + 1 && !view.measured) {
        view.measured = true;
        const rows = [drawn.get(first), drawn.get(last - 1)];
        const h = (rows[1].getBoundingClientRect().bottom - rows[0].getBoundingClientRect().top) / (last - first);
        if (h > 0 && Math.abs(h - rowHeight) > 0.01) { rowHeight = h; return view.render(); }
      }
      putStyle(top, "height", `${first * rowHeight}px`);
      putStyle(bottom, "height", `${(count - last) * rowHeight}px`);
    },
    // Row i scrolled into the box (to its middle, if it was out of sight), drawn, and returned.
    show(i) {
      measure();
      const at = start + i * rowHeight;
      if (at < scrolled || at + rowHeight > scrolled + height) {
        box.scrollTop = at - (height - rowHeight) / 2;
        scrolled = box.scrollTop;
      }
      view.render();
      return drawn.get(i);
    },
  };
  box.addEventListener("scroll", () => {
    scrolled = box.scrollTop;
    if (queued) return;
    queued = true;
    requestAnimationFrame(() => { queued = false; view.render(); });
  }, {passive: true});
  addEventListener("resize", () => { height = 0; view.render(); });
  return view;
}

let lineMap;
function buildLineMap() {
  const box = $("#line-map-box"), body = $("#line-map tbody");
  const spacer = () => {
    const r = el("tr", {className: "spacer"}, el("td", {colSpan: 3}));
    r.setAttribute("aria-hidden", "true");
    return r;
  };
  lineMap = windowed(box, body, spacer, (i, row) => {
    const m = checked.map[i];
    if (!row) {
      row = el("tr", {tabIndex: -1}, el("td"), el("td"), el("td"));
      row.addEventListener("click", () => goToLine(Number(row.dataset.line)));
    }
    if (row.dataset.line !== String(m.number)) row.dataset.line = m.number;
    if (row.getAttribute("aria-rowindex") !== String(i + 2)) row.setAttribute("aria-rowindex", String(i + 2));
    row.classList.toggle("current", m.number === currentLine);
    [String(m.number), m.field, m.shown].forEach((t, c) => {
      if (row.cells[c].textContent !== t) row.cells[c].textContent = t;
    });
    put(row.cells[2], "title", m.shown);
    return row;
  }, 19);
  const resize = lineMap.resize;
  lineMap.resize = (n, changed) => {
    $("#line-map").setAttribute("aria-rowcount", String(n + 1));
    resize(n, changed);
  };
}

// The line map's row for `line`, drawn and marked as the current one.
function lineMapRow(line) {
  currentLine = line;
  lineMap.redraw();
  let lo = 0, hi = checked.map.length - 1;
  while (lo <= hi) {
    const mid = (lo + hi) >> 1, n = checked.map[mid].number;
    if (n === line) return lineMap.show(mid);
    if (n < line) lo = mid + 1;
    else hi = mid - 1;
  }
  return null;
}

// --- the preview -------------------------------------------------------------

function cssFont(f) {
  return `${f.bold ? "bold " : ""}${f.points}pt "${f.face}", sans-serif`;
}

// A caption as the window system draws it: & underlines the next letter, && is one &.
function accessText(text) {
  const frag = document.createDocumentFragment();
  let plain = "";
  for (let i = 0; i < text.length; i++) {
    if (text[i] !== "&" || i + 1 >= text.length) { plain += text[i]; continue; }
    i++;
    if (text[i] === "&") { plain += "&"; continue; }
    frag.append(plain, el("u", {}, text[i]));
    plain = "";
  }
  frag.append(plain);
  return frag;
}

function windowFrame(design, titled) {
  const frame = el("div", {className: "window" + (titled ? " titled" : "")});
  if (titled) {
    frame.append(el("div", {className: "titlebar"}, el("span", {className: "icon"}),
      el("span", {className: "caption"}, design.caption)));
    // Windows shows both boxes when either is wanted, the unwanted one greyed.
    if (design.minButton || design.maxButton) {
      frame.firstChild.append(el("span", {className: "min" + (design.minButton ? "" : " off")}, "_"),
        el("span", {className: "max" + (design.maxButton ? "" : " off")}, "□"));
    }
    frame.firstChild.append(el("span", {className: "close"}, "×"));
    for (const box of frame.firstChild.querySelectorAll(".min, .max, .close")) box.setAttribute("aria-hidden", "true");
  }
  const client = el("div", {className: "client"});
  client.dataset.form = design.name;
  client.style.width = `${design.clientWidth}px`;
  client.style.height = `${design.clientHeight}px`;
  client.style.font = cssFont(design.font);
  frame.append(client);
  return {frame, client};
}

function place(node, c) {
  node.dataset.control = c.name;
  node.style.left = `${c.left}px`;
  node.style.top = `${c.top}px`;
  node.style.width = `${c.width}px`;
  node.style.height = `${c.height}px`;
  node.style.font = cssFont(c.font);
  node.className = `control ${c.kind}`;
  return node;
}

let designs;
let previewSelect = -1;
// The main window as the program's run last filled it, its list entries whole.
const shown = {caption: "", menupic: false, controls: null, items: []};
let mainView = null;

function refreshPreview(changedItems = null) {
  const figure = $("#preview");
  for (const b of ["main", "splash", "about"]) $(`#show-${b}`).setAttribute("aria-pressed", String(state.view === b));
  if (state.view === "main") {
    if (!mainView) mainView = buildMainView();
    if (figure.firstChild !== mainView.root) figure.replaceChildren(mainView.root);
    if (shown.controls) drawMainView(changedItems);
    return;
  }
  figure.replaceChildren(state.view === "splash" ? splashPreview() : aboutPreview());
}

function requestPreview() {
  ask("preview", (sent) => {
    if (previewSelect >= doc.items()) previewSelect = -1;
    const menupic = state.disc && rootFile(state.disc, core.backgroundFile);
    const picture = menupic && state.pictures[core.backgroundFile] ? state.disc.bytes[menupic.path] : null;
    const m = {type: "preview", select: previewSelect};
    if (sent.picture !== picture) m.picture = sent.picture = picture;
    return m;
  });
}

function previewAnswered(m) {
  for (const [i, text] of m.list.itemChanges) shown.items[i] = text;
  shown.items.length = m.list.itemCount;
  const changed = m.list.itemChanges.map(([i]) => i);
  if (m.controls) {
    Object.assign(shown, {caption: m.caption, menupic: m.menupic, controls: m.controls});
    if (state.view === "main") refreshPreview(changed);
  } else if (state.view === "main" && mainView) {
    mainView.list.resize(shown.items.length, changed);
  }
}

// The window's frame and controls, made once; drawMainView fills them.
function buildMainView() {
  const design = designs.Form1;
  const {frame, client} = windowFrame(design, true);
  const background = el("img", {className: "background", alt: ""});
  client.append(background);
  const nodes = {};
  let list = null;
  for (const c of design.controls) {
    if (c.kind === "Timer") continue;
    const node = nodes[c.name] = place(el("div"), c);
    if (c.backColor) node.style.background = rgb(c.backColor);
    if (c.kind === "Label" && c.center) node.style.textAlign = "center";
    if (c.kind === "ListBox") list = buildList(node);
    client.append(node);
  }
  const note = el("p", {className: "note", id: "sizes-approximate"});
  return {root: el("div", {}, frame), frame, background, nodes, list, note, texts: {}};
}

// The program's list: its entries drawn as far as it is scrolled.
function buildList(node) {
  node.setAttribute("role", "listbox");
  node.setAttribute("aria-label", "The menu's list");
  node.tabIndex = 0;
  const view = windowed(node, node, () => el("div", {className: "spacer"}), (i, entry) => {
    if (!entry) {
      entry = el("div", {className: "entry"});
      entry.setAttribute("role", "option");
      entry.addEventListener("click", () => listClick(Number(entry.dataset.index)));
    }
    const selected = i === shown.controls.List1.listIndex;
    if (entry.dataset.index !== String(i)) entry.dataset.index = i;
    if (entry.textContent !== shown.items[i]) entry.textContent = shown.items[i];
    entry.classList.toggle("selected", selected);
    if (entry.getAttribute("aria-selected") !== String(selected)) entry.setAttribute("aria-selected", String(selected));
    return entry;
  }, 13);
  node.addEventListener("keydown", (ev) => {
    const step = {ArrowDown: 1, ArrowUp: -1}[ev.key];
    if (!step) return;
    ev.preventDefault();
    listClick(Math.min(Math.max(previewSelect + step, 0), shown.items.length - 1), true);
  });
  return view;
}

function drawMainView(changedItems = null) {
  const v = mainView, design = designs.Form1;
  put(v.frame.querySelector(".titlebar .caption"), "textContent", shown.caption);
  const src = shown.menupic ? state.pictures[core.backgroundFile] : ARTWORK.Background;
  if (v.background.getAttribute("src") !== src) v.background.src = src;
  for (const c of design.controls) {
    if (c.kind === "Timer") continue;
    const s = shown.controls[c.name], node = v.nodes[c.name];
    if (s.width !== undefined) {  // a self-sizing label's, for its caption now
      putStyle(node, "width", `${s.width}px`);
      putStyle(node, "height", `${s.height}px`);
    }
    putStyle(node, "visibility", s.visible ? "" : "hidden");
    const fore = s.foreColor || c.foreColor;
    putStyle(node, "color", fore ? rgb(fore) : "");
    if (c.kind === "ListBox" || v.texts[c.name] === s.text) continue;
    v.texts[c.name] = s.text;
    if (c.kind === "Label") node.replaceChildren(accessText(s.text));
    else if (c.kind === "TextBox") node.replaceChildren(el("span", {}, s.text));
    else if (c.kind === "CommandButton") node.replaceChildren(el("span", {}, accessText(s.text)));
  }
  v.list.redraw();
  v.list.resize(shown.items.length, changedItems || []);
  const approximate = Object.values(shown.controls).some((s) => s.approximate);
  if (!approximate) return v.note.remove();
  v.note.textContent = `Label sizes are approximate: for some letters of ${codePageName()} the editor knows no ` +
    "exact width, so a label may end a little earlier or later than in the real window. The text is the menu's own.";
  v.root.append(v.note);
}

// The program's list click, and the same item in the form.
function listClick(index, keepFocus = false) {
  previewSelect = index;
  state.item = index + 1;
  refreshFields(null);
  refreshItems();
  requestPreview();
  if (keepFocus) {
    mainView.list.show(index);
    mainView.nodes.List1.focus();
  }
}

function splashPreview() {
  const {frame, client} = windowFrame(designs.Form6, false);
  const url = state.pictures[core.splashFile];
  if (url) client.append(el("img", {className: "background", alt: "The disc's splash picture", src: url}));
  const note = url ? "shown for three seconds before the menu" : "The disc has no splash.jpg the program shows: the menu opens at once.";
  return el("div", {}, frame, el("p", {className: "note"}, note));
}

function aboutPreview() {
  const design = designs.Form3;
  const {frame, client} = windowFrame(design, false);
  frame.classList.add("dialog");
  for (const c of design.controls) {
    if (c.kind === "Timer") continue;
    const node = place(el("div"), c);
    if (c.kind === "Label") node.append(accessText(c.text));
    if (c.kind === "Frame") node.append(el("div", {className: "edge"}));
    if (c.picture) node.append(el("img", {src: ARTWORK[c.picture], alt: c.name === "Image1" ? "Tavlin" : ""}));
    client.append(node);
  }
  return el("div", {}, frame, el("p", {className: "note"}, "Opens on a click on the folder label or the web line; closes on any click or after five seconds."));
}

