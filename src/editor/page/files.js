// The menu editor: opening a menu or a whole disc folder, and saving.
"use strict";

// Without the File System Access API (Firefox, Safari) a disc folder is read
// through the folder input and never written: Save downloads, and says so.
if (!window.showDirectoryPicker) {
  const save = document.getElementById("save");
  save.textContent = "Download tavlin.ini";
  save.title = "Download the menu into this browser's download folder (Ctrl+S)";
  document.getElementById("open-disc").title = "Read the disc folder that holds tavlin.ini, so that the checker " +
    "sees its folders and files (the browser may ask first; nothing leaves this computer)";
}

function showNote(text) {
  const n = document.getElementById("note");
  n.textContent = text;
  n.hidden = !text;
}

// --- opening -----------------------------------------------------------------

let documentsOpened = 0;
// A new menu takes the code page of the browser's language; a file carries no
// mark of its own, so it is read in the one that reads it most plausibly.
const browserCodePage = () => core.codePageForLanguage(navigator.language || "");
function setDocument(bytes, name, opened = true) {
  documentsOpened++;
  if (doc) doc.delete();
  const page = opened ? core.guessCodePage(bytes, browserCodePage()) : browserCodePage();
  doc = new core.MenuDocument(bytes, page);
  tellHelpers({type: "open", bytes, codePage: page});
  state.pageGuessed = opened;
  state.name = name;
  state.item = doc.items() > 0 ? 1 : 0;
  state.hidden = {};
  showMessage("");
  showNote("");
  refreshAll();
}

function newMenu() {
  if (!confirmDiscard()) return;
  state.fileHandle = null;
  setDocument(core.menuTemplate(1), core.menuFile, false);
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
    setDocument(core.menuTemplate(1), core.menuFile, false);
    showMessage("The folder has no tavlin.ini: a new menu from the template. " +
      (disc.dir ? "Save puts it at the folder's root." : "Save downloads it, to be put at the folder's root."));
  }
  refreshDiscLists();
}

// --- saving ------------------------------------------------------------------

function describeLine(line) {
  const role = doc.roleOf(line);
  if (!role.value) return `the note on line ${line}`;
  const what = FIELD_LABELS[role.field];
  return (role.item ? `the ${what} of item ${role.item}` : `the ${what}`) + ` (line ${line})`;
}

// The bytes Save writes, or the message that refuses them.
function bytesToSave() {
  const e = doc.encode();
  if (e.bytes) return {bytes: e.bytes};
  return {refused: `Not saved: ${describeLine(e.line)} holds “${e.character}”, which ${codePageName()} cannot hold. ` +
    "Replace it, or choose the code page of your readers' Windows, and save again.", line: e.line};
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
      const name = state.name.split("/").pop();
      const a = el("a", {href: URL.createObjectURL(new Blob([out.bytes])), download: name});
      document.body.append(a);
      a.click();
      a.remove();
      setTimeout(() => URL.revokeObjectURL(a.href), 10000);
      showNote(`Downloaded ${name} into this browser's download folder. It belongs at the root of the disc ` +
        `folder, beside tavlin.exe${state.disc && rootFile(state.disc, core.menuFile) ? ", in place of the one there" : ""}; if the browser added a number to ` +
        `its name, name it ${name} again.`);
    }
  } catch (e) {
    showMessage(`Not saved: ${e.message}`);
    return;
  }
  doc.markSaved();
  showMessage("");
  refreshState();
}

