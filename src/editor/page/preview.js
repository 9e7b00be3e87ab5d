// The menu editor: the checker's report and the preview of the windows.
"use strict";

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
    r = core.check(disc ? disc.entries : [], disc ? disc.bytes : {}, state.good, doc.codePage());
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
      `${describeLine(state.refused.line)}: “${state.refused.character}” is not in ${codePageName()}; the file cannot be saved`)));
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
  const run = core.mainWindow(state.good, pic, previewSelect, doc.codePage());
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
  const approximate = Object.values(run.controls).some((s) => s.approximate);
  if (!approximate) return frame;
  return el("div", {}, frame, el("p", {className: "note", id: "sizes-approximate"},
    `Label sizes are approximate: for some letters of ${codePageName()} the editor knows no exact width, so a label ` +
    "may end a little earlier or later than in the real window. The text is the menu's own."));
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

