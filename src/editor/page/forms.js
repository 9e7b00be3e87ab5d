// The menu editor: the forms for the window's settings and the items.
"use strict";

// --- the forms ---------------------------------------------------------------

function buildForms() {
  const swatches = $("#swatches");
  for (let n = 0; n < 16; n++) {
    const id = `swatch-${n}`;
    const input = el("input", {type: "radio", name: "title-colour", id, value: String(n)});
    input.addEventListener("change", () => edit(() => doc.setLine(lineOf("TitleColorIndex"), String(n))));
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
  const pages = $("#code-page");
  for (const p of core.codePages()) pages.append(el("option", {value: String(p.number)}, p.description));
  pages.addEventListener("change", () => {
    doc.setCodePage(Number(pages.value));  // the same bytes, read again
    state.pageGuessed = false;
    refreshAll();
  });
  $("#f-LabelColorFlag").addEventListener("change", (ev) =>
    edit(() => doc.setLine(lineOf("LabelColorFlag"), ev.target.checked ? core.labelColorOn : "no")));
}

function templateValue(field) {
  const t = new core.MenuDocument(core.menuTemplate(0), 1252);
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

const codePageName = () => core.codePages().find((p) => p.number === doc.codePage()).name;

function refreshCodePage() {
  const page = core.codePages().find((p) => p.number === doc.codePage());
  $("#code-page").value = String(page.number);
  $("#code-page-note").textContent = (state.pageGuessed ? `The file is read as ${page.name}, the code page that ` +
    "reads its bytes most plausibly; if its letters look wrong, choose another: that reads the same bytes again " +
    "and changes none. " : "") + `Save writes ${page.name}: the menu shows right only on a Windows whose ANSI code ` +
    "page it is, so choose the one your readers' Windows has.";
}

function refreshFields(typing) {
  refreshCodePage();
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

