// The menu editor's page: fields, the preview and the files in and out.
// Every rule (where a value stands, what a count or a colour means, what
// hides a field, what the program shows, what the checker says) comes from
// the compiled core; this file only draws and wires.
"use strict";

const $ = (selector) => document.querySelector(selector);
const el = (tag, props = {}, ...children) => {
  const e = Object.assign(document.createElement(tag), props);
  for (const c of children) e.append(c);
  return e;
};

const FIELD_LABELS = {
  ItemCount: "item count", TitleColorIndex: "title colour", LabelColorFlag: "label colour switch",
  MenuTitle: "title", ApplicationCaption: "heading above the list", PathCaption: "label of the folder field",
  FilenameCaption: "label of the file field", InformationCaption: "label of the information field",
  DescriptionCaption: "label of the description field", DefaultDescription: "description before an item is chosen",
  ItemName: "name", ItemPath: "folder", ItemFile: "file", ItemButtonCaption: "button caption",
  ItemInformation: "information", ItemDescription: "description",
};
const CAPTIONS = [
  ["PathCaption", "Label of the folder field"], ["FilenameCaption", "Label of the file field"],
  ["InformationCaption", "Label of the information field"], ["DescriptionCaption", "Label of the description field"],
];
const COLOUR_NAMES = ["black", "blue", "green", "cyan", "red", "magenta", "yellow", "white", "grey", "light blue",
  "light green", "light cyan", "light red", "light magenta", "light yellow", "bright white"];
const HEADER_FIELDS = ["MenuTitle", "ApplicationCaption", "DefaultDescription"];
const ITEM_FIELDS = ["ItemName", "ItemPath", "ItemFile", "ItemButtonCaption", "ItemInformation", "ItemDescription"];

let core, doc;
const state = {
  name: "tavlin.ini",
  disc: null,          // {entries: [{path, folder, size}], files: Map(path -> File), bytes: {path: Uint8Array}, dir}
  fileHandle: null,    // where Save writes, when the browser gives one
  item: 0,             // the item in the form, from 1; 0 for none
  view: "main",
  good: new Uint8Array(0),  // the last bytes that could be saved, for the preview and the checker
  refused: null,
  pictures: {},        // blob URLs of the disc's pictures, by lower-case name
  hidden: {},          // captions put aside by a hide switch, to come back when it is turned off
};

const rgb = (c) => c ? `rgb(${c.r}, ${c.g}, ${c.b})` : "";
const lineOf = (field, item = 0) => core.lineOf(core.MenuField[field], item);
const value = (field, item = 0) => doc.text(lineOf(field, item));

function showMessage(text) {
  const m = $("#message");
  m.textContent = text;
  m.hidden = !text;
}

// --- opening -----------------------------------------------------------------

let documentsOpened = 0;
function setDocument(bytes, name) {
  documentsOpened++;
  if (doc) doc.delete();
  doc = new core.MenuDocument(bytes);
  state.name = name;
  state.item = doc.items() > 0 ? 1 : 0;
  state.hidden = {};
  showMessage("");
  refreshAll();
}

function newMenu() {
  if (!confirmDiscard()) return;
  state.fileHandle = null;
  setDocument(core.menuTemplate(1), core.menuFile);
}

function confirmDiscard() {
  return !doc || !doc.modified() || confirm("The menu has changes that are not saved. Discard them?");
}

async function openMenu() {
  if (!confirmDiscard()) return;
  if (window.showOpenFilePicker) {
    let handle;
    try {
      [handle] = await showOpenFilePicker({types: [{description: "Tavlin menu", accept: {"text/plain": [".ini"]}}]});
    } catch (e) {
      return;  // the author cancelled
    }
    const file = await handle.getFile();
    state.disc = null;
    state.fileHandle = handle;
    setDocument(new Uint8Array(await file.arrayBuffer()), file.name);
  } else {
    $("#menu-input").click();
  }
}

async function menuChosen(input) {
  const file = input.files[0];
  input.value = "";
  if (!file) return;
  opening = true;
  try {
    const bytes = new Uint8Array(await file.arrayBuffer());
    state.disc = null;
    state.fileHandle = null;
    setDocument(bytes, file.name);
  } finally {
    opening = false;
  }
}

async function openDisc() {
  if (!confirmDiscard()) return;
  if (!window.showDirectoryPicker) return $("#disc-input").click();
  let dir;
  try {
    dir = await showDirectoryPicker({mode: "readwrite"});
  } catch (e) {
    return;
  }
  const entries = [], files = new Map();
  async function walk(folder, prefix) {
    for await (const [name, handle] of folder.entries()) {
      const path = prefix + name;
      if (handle.kind === "directory") {
        entries.push({path, folder: true, size: 0});
        await walk(handle, path + "/");
      } else {
        const file = await handle.getFile();
        entries.push({path, folder: false, size: file.size});
        files.set(path, file);
      }
    }
  }
  await walk(dir, "");
  await discOpened({entries, files, bytes: {}, dir});
}

async function discChosen(input) {
  opening = true;
  try {
    await readChosenDisc(input);
  } finally {
    opening = false;
  }
}

async function readChosenDisc(input) {
  const chosen = [...input.files];
  input.value = "";
  if (!chosen.length) return;
  // Paths come as "folder/inner/file": the folder chosen is the disc's root.
  const entries = [], files = new Map(), folders = new Set();
  for (const file of chosen) {
    const parts = file.webkitRelativePath.split("/").slice(1);
    for (let i = 1; i < parts.length; i++) folders.add(parts.slice(0, i).join("/"));
    const path = parts.join("/");
    entries.push({path, folder: false, size: file.size});
    files.set(path, file);
  }
  for (const path of folders) entries.push({path, folder: true, size: 0});
  await discOpened({entries, files, bytes: {}, dir: null});
}

const rootFile = (disc, name) =>
  disc.entries.find((e) => !e.folder && !e.path.includes("/") && e.path.toLowerCase() === name);

async function loadBytes(disc, path) {
  if (!disc.bytes[path]) disc.bytes[path] = new Uint8Array(await disc.files.get(path).arrayBuffer());
  return disc.bytes[path];
}

let opening = false;
async function discOpened(disc) {
  for (const url of Object.values(state.pictures)) URL.revokeObjectURL(url);
  state.pictures = {};
  state.disc = disc;
  state.fileHandle = null;
  for (const name of [core.backgroundFile, core.splashFile]) {
    const e = rootFile(disc, name);
    if (e) {
      const bytes = await loadBytes(disc, e.path);
      if (core.pictureSize(bytes)) state.pictures[name] = URL.createObjectURL(new Blob([bytes]));
    }
  }
  const menu = rootFile(disc, core.menuFile);
  if (menu) {
    setDocument(await loadBytes(disc, menu.path), menu.path);
  } else {
    setDocument(core.menuTemplate(1), core.menuFile);
    showMessage("The folder has no tavlin.ini: a new menu from the template. Save puts it at the folder's root.");
  }
  refreshDiscLists();
}

// --- saving ------------------------------------------------------------------

function describeLine(line) {
  const role = doc.roleOf(line);
  if (role.kind !== "value") return `the note on line ${line}`;
  const what = FIELD_LABELS[role.field];
  return (role.item ? `the ${what} of item ${role.item}` : `the ${what}`) + ` (line ${line})`;
}

// The bytes Save writes, or the message that refuses them.
function bytesToSave() {
  const e = doc.encode();
  if (e.bytes) return {bytes: e.bytes};
  return {refused: `Not saved: ${describeLine(e.line)} holds “${e.character}”, which Windows-1252 cannot hold. ` +
    "Replace it and save again.", line: e.line};
}

async function save() {
  const out = bytesToSave();
  if (out.refused) {
    showMessage(out.refused);
    goToLine(out.line);
    return;
  }
  try {
    let handle = state.fileHandle;
    if (!handle && state.disc && state.disc.dir) {
      handle = await state.disc.dir.getFileHandle(state.name, {create: true});
    }
    if (handle) {
      const w = await handle.createWritable();
      await w.write(out.bytes);
      await w.close();
    } else {
      const a = el("a", {href: URL.createObjectURL(new Blob([out.bytes])), download: state.name.split("/").pop()});
      document.body.append(a);
      a.click();
      a.remove();
      setTimeout(() => URL.revokeObjectURL(a.href), 10000);
    }
  } catch (e) {
    showMessage(`Not saved: ${e.message}`);
    return;
  }
  doc.markSaved();
  showMessage("");
  refreshState();
}

// --- the forms ---------------------------------------------------------------

function buildForms() {
  const swatches = $("#swatches");
  for (let n = 0; n < 16; n++) {
    const id = `swatch-${n}`;
    const input = el("input", {type: "radio", name: "title-colour", id, value: String(n)});
    input.addEventListener("change", () => edit(() => doc.setLine(lineOf("TitleColorIndex"), String(n))));
    const chip = el("span", {className: "chip"});
    chip.style.background = rgb(core.colorOfNumber(n));
    swatches.append(el("label", {htmlFor: id, className: "swatch", title: `${n}: ${COLOUR_NAMES[n]}`},
      input, chip, el("span", {className: "visually-hidden"}, `${n}, ${COLOUR_NAMES[n]}`)));
  }
  const captions = $("#captions");
  for (const [field, label] of CAPTIONS) {
    const input = el("input", {id: `f-${field}`});
    input.dataset.field = field;
    const hide = el("input", {type: "checkbox", id: `hide-${field}`});
    hide.dataset.hides = field;
    captions.append(el("div", {className: "row caption"}, el("label", {htmlFor: input.id}, label), input,
      el("span", {className: "hide"}, hide, el("label", {htmlFor: hide.id}, "Hide this field"))));
    hide.addEventListener("change", () => {
      const line = lineOf(field);
      if (hide.checked) {
        state.hidden[field] = doc.text(line);
        edit(() => doc.setLine(line, core.hideMarker));
      } else {
        edit(() => doc.setLine(line, state.hidden[field] ?? templateValue(field)));
      }
    });
  }
  for (const input of document.querySelectorAll("input[data-field]:not([type=checkbox])")) {
    input.addEventListener("input", () => {
      const item = ITEM_FIELDS.includes(input.dataset.field) ? state.item : 0;
      if (item || !ITEM_FIELDS.includes(input.dataset.field)) edit(() => doc.setLine(lineOf(input.dataset.field, item), input.value), input);
    });
  }
  $("#f-LabelColorFlag").addEventListener("change", (ev) =>
    edit(() => doc.setLine(lineOf("LabelColorFlag"), ev.target.checked ? core.labelColorOn : "no")));
}

function templateValue(field) {
  const t = new core.MenuDocument(core.menuTemplate(0));
  const v = t.text(lineOf(field));
  t.delete();
  return v;
}

// Runs a change of the document and shows its effects everywhere but in
// the field being typed into.
function edit(change, typing = null) {
  change();
  refreshAll(typing);
}

function refreshAll(typing = null) {
  state.item = Math.min(Math.max(state.item, doc.items() > 0 ? 1 : 0), doc.items());
  const encoded = doc.encode();
  state.refused = encoded.bytes ? null : encoded;
  if (encoded.bytes) state.good = encoded.bytes;
  refreshFields(typing);
  refreshItems();
  refreshPreview();
  scheduleCheck();
  refreshState();
}

function setInput(input, text, typing) {
  if (input !== typing && input.value !== text) input.value = text;
}

function refreshFields(typing) {
  for (const f of HEADER_FIELDS) setInput($(`#f-${f}`), value(f), typing);
  for (const [field] of CAPTIONS) {
    const text = value(field), hidden = core.isHideMarker(text);
    const input = $(`#f-${field}`);
    $(`#hide-${field}`).checked = hidden;
    input.disabled = hidden;
    setInput(input, hidden ? "" : text, typing);
  }
  $("#f-LabelColorFlag").checked = core.turnsLabelColorOn(value("LabelColorFlag"));
  const colourLine = lineOf("TitleColorIndex");
  const set = doc.lineCount() >= colourLine, text = value("TitleColorIndex");
  const n = set ? core.colorNumber(text) : 0;
  const shown = core.titleColor(set ? text : null) ? n : null;
  for (const r of document.querySelectorAll("input[name=title-colour]")) r.checked = Number(r.value) === shown;
  $("#colour-note").textContent = !set ? `Line ${colourLine} is not in the file: the title is black.`
    : shown === null ? `Design colour: line ${colourLine} holds “${text}”, which is no colour 0 to 15, so the title keeps its design colour.`
    : text !== String(n) ? `Line ${colourLine} holds “${text}”, read as ${n}.` : "";
  const item = state.item;
  $("#item-form").disabled = !item;
  $("#item-legend").textContent = item ? `Item ${item}` : "Item (none: add one)";
  for (const f of ITEM_FIELDS) {
    const input = $(`#f-${f}`);
    setInput(input, item ? value(f, item) : "", typing);
    input.title = item ? `line ${lineOf(f, item)}` : "";
  }
  for (const f of HEADER_FIELDS.concat(CAPTIONS.map((c) => c[0]))) $(`#f-${f}`).title = `line ${lineOf(f)}`;
  refreshFileList();
}

function refreshItems() {
  const list = $("#item-list"), n = doc.items();
  while (list.options.length > n) list.remove(list.options.length - 1);
  for (let k = 1; k <= n; k++) {
    const text = `${k}. ${value("ItemName", k)}`;
    if (k > list.options.length) list.add(el("option", {value: String(k)}, text));
    else if (list.options[k - 1].text !== text) list.options[k - 1].text = text;
  }
  list.selectedIndex = state.item - 1;
  $("#remove-item").disabled = $("#duplicate-item").disabled = !state.item;
  $("#item-up").disabled = state.item <= 1;
  $("#item-down").disabled = !state.item || state.item >= n;
}

function refreshState() {
  const modified = doc.modified();
  $("#file-state").textContent = `${state.name}${state.disc ? " in the disc folder" : ""}` +
    (modified ? ", changed since it was saved" : "");
  document.title = `${modified ? "* " : ""}${state.name} - Tavlin menu editor`;
  $("#undo").disabled = !doc.canUndo();
  $("#redo").disabled = !doc.canRedo();
}

function selectItem(k, focus = null) {
  state.item = k;
  refreshFields(null);
  refreshItems();
  refreshPreview();
  if (focus) focus.focus();
}

function itemAction(action) {
  const k = state.item, n = doc.items();
  const done = {
    add: () => doc.addItem() && (state.item = doc.items()),
    duplicate: () => doc.duplicateItem(k) && (state.item = k + 1),
    remove: () => doc.removeItem(k) && (state.item = Math.min(k, n - 1)),
    up: () => doc.moveItem(k, k - 1) && (state.item = k - 1),
    down: () => doc.moveItem(k, k + 1) && (state.item = k + 1),
  }[action]();
  if (done === false) showMessage(action === "add" || action === "duplicate" ? "A menu holds at most 1000 items." : "");
  refreshAll();
  if (action === "add") $("#f-ItemName").focus();
}

// Folders and files of the opened disc, spelled as on the disc.
function refreshDiscLists() {
  const folders = $("#folders");
  folders.replaceChildren();
  if (!state.disc) return;
  for (const e of state.disc.entries.filter((x) => x.folder).sort((a, b) => a.path.localeCompare(b.path))) {
    folders.append(el("option", {value: e.path.replaceAll("/", "\\")}));
  }
  refreshFileList();
}

function refreshFileList() {
  const files = $("#files");
  files.replaceChildren();
  if (!state.disc || !state.item) return;
  const folder = value("ItemPath", state.item).replaceAll("\\", "/").replace(/^\.?\/?|\/$/g, "").toLowerCase();
  for (const e of state.disc.entries) {
    if (e.folder) continue;
    const slash = e.path.lastIndexOf("/");
    if ((slash < 0 ? "" : e.path.slice(0, slash)).toLowerCase() === folder) {
      files.append(el("option", {value: e.path.slice(slash + 1)}));
    }
  }
}

// --- going to a line ---------------------------------------------------------

function goToLine(line) {
  const role = doc.roleOf(line);
  document.querySelectorAll("#line-map tr.current").forEach((r) => r.classList.remove("current"));
  const row = $(`#line-map tr[data-line="${line}"]`);
  if (row) row.classList.add("current");
  if (role.kind !== "value") {
    if (row) row.scrollIntoView({block: "center"});
    if (row) row.focus();
    return;
  }
  if (role.item) selectItem(role.item);
  const target = role.field === "ItemCount" ? $("#item-list")
    : role.field === "TitleColorIndex" ? ($("input[name=title-colour]:checked") || $("#swatch-0"))
    : $(`#f-${role.field}`).disabled ? $(`#hide-${role.field}`) : $(`#f-${role.field}`);
  target.focus();
  target.scrollIntoView({block: "center"});
}

// --- the checker -------------------------------------------------------------

let checkTimer = 0, checkRun = 0, checkPending = false;
function scheduleCheck() {
  clearTimeout(checkTimer);
  checkPending = true;
  checkTimer = setTimeout(runCheck, state.good.length > 1e6 ? 400 : 30);
}

async function runCheck() {
  const run = ++checkRun, disc = state.disc;
  let r;
  for (;;) {
    r = core.check(disc ? disc.entries : [], disc ? disc.bytes : {}, state.good);
    if (!r.wanted.length || !disc) break;
    await Promise.all(r.wanted.map((p) => loadBytes(disc, p)));
    if (run !== checkRun) return;
  }
  showCheck(r);
  if (run === checkRun) checkPending = false;
}

function showCheck(r) {
  const list = $("#warnings");
  list.replaceChildren();
  if (state.refused) {
    list.append(el("li", {className: "error"}, el("button", {type: "button", onclick: () => goToLine(state.refused.line)},
      `${describeLine(state.refused.line)}: “${state.refused.character}” is not in Windows-1252; the file cannot be saved`)));
  }
  for (const f of r.findings) {
    const where = f.file + (f.line ? `:${f.line}` : "");
    const text = `${where}: ${f.severity}: ${f.message}`;
    const onMenu = f.line > 0 && f.file.toLowerCase() === core.menuFile;
    const item = el("li", {className: f.severity});
    item.dataset.line = f.line;
    item.append(onMenu ? el("button", {type: "button", onclick: () => goToLine(f.line)}, text) : el("span", {}, text));
    list.append(item);
  }
  const summary = r.report.trim().split("\n").pop();
  $("#check-summary").textContent = (state.disc ? "" : "Only the menu file is checked; open the disc folder to check folders and files too. ") + summary;
  $("#check-summary").dataset.report = r.report;
  const body = $("#line-map tbody");
  body.replaceChildren();
  for (const m of r.map) {
    const row = el("tr", {tabIndex: -1}, el("td", {}, String(m.number)), el("td", {}, m.field), el("td", {}, m.shown));
    row.dataset.line = m.number;
    row.addEventListener("click", () => goToLine(m.number));
    body.append(row);
  }
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

function refreshPreview() {
  const figure = $("#preview");
  for (const b of ["main", "splash", "about"]) $(`#show-${b}`).setAttribute("aria-pressed", String(state.view === b));
  figure.replaceChildren();
  if (state.view === "splash") return figure.append(splashPreview());
  if (state.view === "about") return figure.append(aboutPreview());
  figure.append(mainPreview());
}

function mainPreview() {
  const design = designs.Form1;
  const menupic = state.disc && rootFile(state.disc, core.backgroundFile);
  const pic = menupic && state.pictures[core.backgroundFile] ? state.disc.bytes[menupic.path] : null;
  if (previewSelect >= doc.items()) previewSelect = -1;
  const run = core.mainWindow(state.good, pic, previewSelect);
  const {frame, client} = windowFrame(Object.assign({}, design, {caption: run.caption}), true);
  client.append(el("img", {className: "background", alt: "",
    src: run.menupic ? state.pictures[core.backgroundFile] : ARTWORK.Background}));
  for (const c of design.controls) {
    if (c.kind === "Timer") continue;
    const s = run.controls[c.name];
    const node = place(el("div"), c);
    if (s.width !== undefined) {  // a self-sizing label's, for its caption now
      node.style.width = `${s.width}px`;
      node.style.height = `${s.height}px`;
    }
    node.style.visibility = s.visible ? "" : "hidden";
    const fore = s.foreColor || c.foreColor;
    if (fore) node.style.color = rgb(fore);
    if (c.backColor) node.style.background = rgb(c.backColor);
    if (c.kind === "Label") {
      node.append(accessText(s.text));
      if (c.center) node.style.textAlign = "center";
    } else if (c.kind === "TextBox") {
      node.append(el("span", {}, s.text));
    } else if (c.kind === "CommandButton") {
      node.append(el("span", {}, accessText(s.text)));
    } else if (c.kind === "ListBox") {
      node.setAttribute("role", "listbox");
      node.setAttribute("aria-label", "The menu's list");
      node.tabIndex = 0;
      s.items.forEach((text, i) => {
        const entry = el("div", {className: "entry" + (i === s.listIndex ? " selected" : ""), textContent: text});
        entry.setAttribute("role", "option");
        entry.setAttribute("aria-selected", String(i === s.listIndex));
        entry.addEventListener("click", () => listClick(i));
        node.append(entry);
      });
      node.addEventListener("keydown", (ev) => {
        const step = {ArrowDown: 1, ArrowUp: -1}[ev.key];
        if (!step) return;
        ev.preventDefault();
        listClick(Math.min(Math.max(previewSelect + step, 0), s.items.length - 1), true);
      });
    }
    client.append(node);
  }
  return frame;
}

// The program's list click, and the same item in the form.
function listClick(index, keepFocus = false) {
  previewSelect = index;
  state.item = index + 1;
  refreshFields(null);
  refreshItems();
  refreshPreview();
  if (keepFocus) $('#preview [data-control="List1"]').focus();
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

// --- keys and start-up ---------------------------------------------------------

function historyStep(undo) {
  if (undo ? doc.undo() : doc.redo()) refreshAll();
}

function wire() {
  $("#new-menu").onclick = newMenu;
  $("#open-menu").onclick = openMenu;
  $("#open-disc").onclick = openDisc;
  $("#save").onclick = save;
  $("#undo").onclick = () => historyStep(true);
  $("#redo").onclick = () => historyStep(false);
  $("#menu-input").onchange = (ev) => menuChosen(ev.target);
  $("#disc-input").onchange = (ev) => discChosen(ev.target);
  $("#add-item").onclick = () => itemAction("add");
  $("#duplicate-item").onclick = () => itemAction("duplicate");
  $("#remove-item").onclick = () => itemAction("remove");
  $("#item-up").onclick = () => itemAction("up");
  $("#item-down").onclick = () => itemAction("down");
  $("#item-list").addEventListener("change", (ev) => {
    previewSelect = Number(ev.target.value) - 1;
    selectItem(Number(ev.target.value));
  });
  $("#item-list").addEventListener("keydown", (ev) => {
    if (!ev.altKey || !["ArrowUp", "ArrowDown"].includes(ev.key)) return;
    ev.preventDefault();
    itemAction(ev.key === "ArrowUp" ? "up" : "down");
    $("#item-list").focus();
  });
  for (const view of ["main", "splash", "about"]) {
    $(`#show-${view}`).onclick = () => { state.view = view; refreshPreview(); };
  }
  document.addEventListener("keydown", (ev) => {
    if (!(ev.ctrlKey || ev.metaKey)) return;
    const key = ev.key.toLowerCase();
    const action = {z: ev.shiftKey ? "redo" : "undo", y: "redo", s: "save", o: "open"}[key];
    if (!action) return;
    ev.preventDefault();
    if (action === "undo" || action === "redo") historyStep(action === "undo");
    else if (action === "save") save();
    else openMenu();
  });
  window.addEventListener("beforeunload", (ev) => {
    if (doc && doc.modified()) {
      ev.preventDefault();
      ev.returnValue = "";
    }
  });
}

TavlinCore().then((module) => {
  core = module;
  designs = {Form1: core.design("Form1"), Form3: core.design("Form3"), Form6: core.design("Form6")};
  buildForms();
  wire();
  setDocument(core.menuTemplate(1), core.menuFile);
  // For the tests, and for anyone who wants to script the editor.
  window.tavlinEditor = {
    bytesToSave: () => {
      const out = bytesToSave();
      if (out.refused) return {refused: out.refused};
      let s = "";
      for (let i = 0; i < out.bytes.length; i += 0x8000) s += String.fromCharCode(...out.bytes.subarray(i, i + 0x8000));
      return {bytes: btoa(s)};
    },
    lineOf: (field, item = 0) => lineOf(field, item),
    design: (name) => designs[name],
    idle: () => !checkPending && !opening,
    opened: () => documentsOpened,
  };
  document.body.dataset.ready = "true";
});
