// The menu editor: the forms for the window's settings and the items.
"use strict";

// --- the forms ---------------------------------------------------------------

function buildForms() {
  const swatches = $("#swatches");
  for (let n = 0; n < 16; n++) {
    const id = `swatch-${n}`;
    const input = el("input", {type: "radio", name: "title-colour", id, value: String(n)});
    input.addEventListener("change", () => edit(() => change("setLine", lineOf("TitleColorIndex"), String(n)), null, 0));
    const chip = el("span", {className: "chip"});
    chip.style.background = rgb(core.colorOfNumber(n));
    const name = core.colorName(n);
    swatches.append(el("label", {htmlFor: id, className: "swatch", title: `${n}: ${name}`},
      input, chip, el("span", {className: "visually-hidden"}, `${n}, ${name}`)));
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
        edit(() => change("setLine", line, core.hideMarker), null, 0);
      } else {
        edit(() => change("setLine", line, state.hidden[field] ?? templateValue(field)), null, 0);
      }
    });
  }
  for (const input of document.querySelectorAll("input[data-field]:not([type=checkbox])")) {
    input.addEventListener("input", () => {
      const field = input.dataset.field, item = ITEM_FIELDS.includes(field) ? state.item : 0;
      if (!item && ITEM_FIELDS.includes(field)) return;
      edit(() => change("setLine", lineOf(field, item), input.value), input, field === "ItemName" ? item : 0);
    });
  }
  const pages = $("#code-page");
  for (const p of core.codePages()) pages.append(el("option", {value: String(p.number)}, p.description));
  pages.addEventListener("change", () => {
    change("setCodePage", Number(pages.value));  // the same bytes, read again
    state.pageGuessed = false;
    refreshAll();
  });
  $("#f-LabelColorFlag").addEventListener("change", (ev) =>
    edit(() => change("setLine", lineOf("LabelColorFlag"), ev.target.checked ? core.labelColorOn : "no"), null, 0));
}

function templateValue(field) {
  const t = new core.MenuDocument(core.menuTemplate(0), 1252);
  const v = t.text(lineOf(field));
  t.delete();
  return v;
}

// Runs a change of the document and shows its effects everywhere but in
// the field being typed into. A value typed changes one line: of the item
// list, only that item's entry, if any, is looked at again.
function edit(change, typing = null, listEntry = null) {
  change();
  refreshAll(typing, listEntry);
}

// `listEntry`: the one item whose entry may have changed, 0 for none, null for all.
function refreshAll(typing = null, listEntry = null) {
  state.item = Math.min(Math.max(state.item, doc.items() > 0 ? 1 : 0), doc.items());
  const refusal = doc.refusal(), refusedBefore = state.refused;
  state.refused = refusal.line ? refusal : null;
  // A value typed changes its own line alone, the other fields stay as they
  // are; unless it padded a short file, which gives lines such as the colour's.
  if (typing && doc.lineCount() === state.lines) refreshTyped(typing);
  else refreshFields(typing);
  state.lines = doc.lineCount();
  if (listEntry === null) refreshItems();
  else if (listEntry) refreshItems(listEntry, listEntry);
  requestPreview();
  requestCheck();
  if (state.refused || refusedBefore) showWarnings();
  refreshState();
}

function setInput(input, text, typing) {
  if (input !== typing && input.value !== text) input.value = text;
}

let codePageList = null;
const codePage = () => (codePageList ||= core.codePages()).find((p) => p.number === doc.codePage());
const codePageName = () => codePage().name;

function refreshCodePage() {
  const page = codePage();
  put($("#code-page"), "value", String(page.number));
  put($("#code-page-note"), "textContent", (state.pageGuessed ? `The file is read as ${page.name}, the code page that ` +
    "reads its bytes most plausibly; if its letters look wrong, choose another: that reads the same bytes again " +
    "and changes none. " : "") + `Save writes ${page.name}: the menu shows right only on a Windows whose ANSI code ` +
    "page it is, so choose the one your readers' Windows has.");
}

// A caption that holds the hide marker, typed or not, is shown as hidden.
function refreshCaption(field, typing) {
  const text = value(field), hidden = core.isHideMarker(text);
  const input = $(`#f-${field}`);
  put($(`#hide-${field}`), "checked", hidden);
  put(input, "disabled", hidden);
  setInput(input, hidden ? "" : text, typing);
}

function refreshTyped(input) {
  const field = input.dataset.field;
  if (CAPTIONS.some(([f]) => f === field)) refreshCaption(field, input);
  if (field === "ItemPath") refreshFileList();
}

function refreshFields(typing) {
  refreshCodePage();
  for (const f of HEADER_FIELDS) setInput($(`#f-${f}`), value(f), typing);
  for (const [field] of CAPTIONS) refreshCaption(field, typing);
  put($("#f-LabelColorFlag"), "checked", core.turnsLabelColorOn(value("LabelColorFlag")));
  const colourLine = lineOf("TitleColorIndex");
  const set = doc.lineCount() >= colourLine, text = value("TitleColorIndex");
  const n = set ? core.colorNumber(text) : 0;
  const shown = core.titleColor(set ? text : null) ? n : null;
  for (const r of document.querySelectorAll("input[name=title-colour]")) put(r, "checked", Number(r.value) === shown);
  put($("#colour-note"), "textContent", !set ? `Line ${colourLine} is not in the file: the title is black.`
    : shown === null ? `Design colour: line ${colourLine} holds “${text}”, which is no colour 0 to 15, so the title keeps its design colour.`
    : text !== String(n) ? `Line ${colourLine} holds “${text}”, read as ${n}.` : "");
  const item = state.item;
  put($("#item-form"), "disabled", !item);
  put($("#item-legend"), "textContent", item ? `Item ${item}` : "Item (none: add one)");
  for (const f of ITEM_FIELDS) {
    const input = $(`#f-${f}`);
    setInput(input, item ? value(f, item) : "", typing);
    put(input, "title", item ? `line ${lineOf(f, item)}` : "");
  }
  for (const f of HEADER_FIELDS.concat(CAPTIONS.map((c) => c[0]))) put($(`#f-${f}`), "title", `line ${lineOf(f)}`);
  refreshFileList();
}

// The item list, drawn as far as it is scrolled; its entries' names kept here.
let itemList;
const itemNames = [];
function buildItemList() {
  const box = $("#item-list");
  itemList = windowed(box, box, () => el("div", {className: "spacer"}), (i, entry) => {
    if (!entry) {
      entry = el("div", {className: "item-entry"});
      entry.setAttribute("role", "option");
      entry.addEventListener("click", () => chooseItem(Number(entry.dataset.item)));
    }
    const text = `${i + 1}. ${itemNames[i]}`, selected = i + 1 === state.item;
    if (entry.dataset.item !== String(i + 1)) {
      entry.dataset.item = i + 1;
      entry.id = `item-entry-${i + 1}`;
    }
    put(entry, "textContent", text);
    if (entry.classList.contains("selected") !== selected) {
      entry.classList.toggle("selected", selected);
      entry.setAttribute("aria-selected", String(selected));
    }
    return entry;
  }, 18);
}

// An item chosen in the list: in the form, and clicked in the preview's list.
function chooseItem(k) {
  previewSelect = k - 1;
  selectItem(k);
}

// The entries of items `from` to `to` brought up to date (all by default).
function refreshItems(from = 1, to = Infinity) {
  const n = doc.items(), changed = [];
  itemNames.length = Math.min(itemNames.length, n);
  for (let k = from; k <= Math.min(n, to); k++) {
    const name = value("ItemName", k);
    if (itemNames[k - 1] !== name) {
      itemNames[k - 1] = name;
      changed.push(k - 1);
    }
  }
  itemList.redraw();  // the selection
  itemList.resize(n, changed);
  const box = $("#item-list");
  if (state.item && state.item !== itemList.chosen) itemList.show(state.item - 1);
  itemList.chosen = state.item;
  const active = state.item ? `item-entry-${state.item}` : "";
  if ((box.getAttribute("aria-activedescendant") || "") !== active) {
    if (active) box.setAttribute("aria-activedescendant", active);
    else box.removeAttribute("aria-activedescendant");
  }
  put($("#remove-item"), "disabled", !state.item);
  put($("#duplicate-item"), "disabled", !state.item);
  put($("#item-up"), "disabled", state.item <= 1);
  put($("#item-down"), "disabled", !state.item || state.item >= n);
}

function refreshState() {
  const modified = doc.modified();
  put($("#file-state"), "textContent", `${state.name}${state.disc ? " in the disc folder" : ""}` +
    (modified ? ", changed since it was saved" : ""));
  put(document, "title", `${modified ? "* " : ""}${state.name} - Tavlin menu editor`);
  put($("#undo"), "disabled", !doc.canUndo());
  put($("#redo"), "disabled", !doc.canRedo());
}

function selectItem(k, focus = null) {
  state.item = k;
  refreshFields(null);
  refreshItems(1, 0);
  requestPreview();
  if (focus) focus.focus();
}

function itemAction(action) {
  const k = state.item, n = doc.items();
  const done = {
    add: () => change("addItem") && (state.item = doc.items()),
    duplicate: () => change("duplicateItem", k) && (state.item = k + 1),
    remove: () => change("removeItem", k) && (state.item = Math.min(k, n - 1)),
    up: () => change("moveItem", k, k - 1) && (state.item = k - 1),
    down: () => change("moveItem", k, k + 1) && (state.item = k + 1),
  }[action]();
  if (done === false) {
    showMessage(action === "add" || action === "duplicate" ? `A menu holds at most ${core.maxMenuItems} items.` : "");
  }
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

let fileListFor = null;
function refreshFileList() {
  const files = $("#files");
  const folder = state.disc && state.item &&
    value("ItemPath", state.item).replaceAll("\\", "/").replace(/^\.?\/?|\/$/g, "").toLowerCase();
  if (fileListFor && fileListFor.disc === state.disc && fileListFor.folder === folder) return;
  fileListFor = {disc: state.disc, folder};
  files.replaceChildren();
  if (!state.disc || !state.item) return;
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
  const role = doc.roleOf(line), row = lineMapRow(line);
  if (!role.value) {
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

