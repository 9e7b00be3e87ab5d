// The menu editor's page: fields, the preview and the files in and out.
// Every rule (where a value stands, what a count or a colour means, what
// hides a field, what the program shows, what the checker says) comes from
// the compiled core; these files only draw and wire: files.js opens and
// saves, forms.js holds the fields, preview.js the report and the preview
// (whose runs worker.js makes beside the page), and this one the shared
// state, the keys and the start.
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
const HEADER_FIELDS = ["MenuTitle", "ApplicationCaption", "DefaultDescription"];
const ITEM_FIELDS = ["ItemName", "ItemPath", "ItemFile", "ItemButtonCaption", "ItemInformation", "ItemDescription"];

let core, doc;
const state = {
  name: "tavlin.ini",
  disc: null,          // {entries: [{path, folder, size}], files: Map(path -> File), bytes: {path: Uint8Array}, dir}
  fileHandle: null,    // where Save writes, when the browser gives one
  item: 0,             // the item in the form, from 1; 0 for none
  lines: 0,            // the document's lines when the fields were last drawn
  view: "main",
  refused: null,
  pageGuessed: false,  // the code page was guessed from an opened file's bytes
  pictures: {},        // blob URLs of the disc's pictures, by lower-case name
  hidden: {},          // captions put aside by a hide switch, to come back when it is turned off
};

// A property written only when it changes: every write of the same value
// still costs the page a new layout, at every key.
const put = (node, key, value) => { if (node[key] !== value) node[key] = value; };
const putStyle = (node, key, value) => { if (node.style[key] !== value) node.style[key] = value; };
const rgb = (c) => c ? `rgb(${c.r}, ${c.g}, ${c.b})` : "";
const lineOf = (field, item = 0) => core.lineOf(core.MenuField[field], item);
const value = (field, item = 0) => doc.text(lineOf(field, item));

function showMessage(text) {
  const m = $("#message");
  m.textContent = text;
  m.hidden = !text;
}


// --- keys and start-up ---------------------------------------------------------

function historyStep(undo) {
  if (change(undo ? "undo" : "redo")) refreshAll();
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
  $("#item-list").addEventListener("keydown", (ev) => {
    const n = doc.items(), k = state.item;
    const to = {ArrowUp: k - 1, ArrowDown: k + 1, Home: 1, End: n, PageUp: k - 8, PageDown: k + 8}[ev.key];
    if (to === undefined || ev.ctrlKey || ev.metaKey || !n) return;
    ev.preventDefault();
    if (ev.altKey) {
      if (ev.key === "ArrowUp" || ev.key === "ArrowDown") itemAction(ev.key === "ArrowUp" ? "up" : "down");
    } else {
      chooseItem(Math.min(Math.max(to, 1), n));
    }
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
  startHelpers();
  buildForms();
  buildItemList();
  buildLineMap();
  wire();
  setDocument(core.menuTemplate(1), core.menuFile, false);
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
    idle: () => helpersIdle() && !opening,
    report: checkReport,
    listEntries: () => itemNames.length,
    previewEntries: () => shown.items.length,
    previewDrawn: () => !helpers.preview.busy && !helpers.preview.make,
    codePage: () => doc.codePage(),
    opened: () => documentsOpened,
  };
  document.body.dataset.ready = "true";
});
