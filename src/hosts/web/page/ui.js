// The page's menu bar, and the key routing shared with the dialogs (ui_dialogs.js): while a
// dialog is open it takes every key; while a menu is open the menu takes them; otherwise only
// Alt+<mnemonic> and a lone Alt tap are the menu's, and every other key goes on to the game.
// Ctrl and Meta combinations always go to the browser untouched.
import { i18n } from "./i18n.js";

export const ui = {};
const settingsPopup = 2; // the language entry goes at the end of the third pop-up

// ---- helpers shared with the dialog scripts ----

ui.el = function (tag, className, text) {
  const node = document.createElement(tag);
  if (className) node.className = className;
  if (text !== undefined && text !== null) node.textContent = text;
  return node;
};

// "&1人で精進する" and "ゲーム開始(&G)": the text without the "&", with the mnemonic
// character underlined; key is that character in upper case, or null.
ui.label = function (text) {
  const node = ui.el("span", "vt-label");
  const at = text.indexOf("&");
  if (at < 0 || at + 1 >= text.length) {
    node.textContent = text;
    return { node, key: null };
  }
  const mark = text[at + 1];
  node.append(text.slice(0, at), ui.el("u", null, mark), text.slice(at + 2));
  return { node, key: mark.toUpperCase() };
};

// The character a key press stands for as a mnemonic, the same with Alt or Option held.
ui.keyOf = function (event) {
  const code = event.code || "";
  if (/^Key[A-Z]$/.test(code)) return code[3];
  if (/^(Digit|Numpad)[0-9]$/.test(code)) return code[code.length - 1];
  return event.key && event.key.length === 1 ? event.key.toUpperCase() : null;
};

// ui_dialogs.js puts its own in; until then no dialog is open.
ui.dialogOpen = () => false;

// ---- the menu model and its pop-ups ----

let model = [];
let extraEntries = []; // the page's own entries at the end of the settings pop-up
let switchEntries = []; // the page's own switches, after the game's sound switches
let onCommand = null;
let bar = null;
let open = null; // { popup, levels: [{ items, box, index }] } while a pop-up shows
let barFocus = -1; // the highlighted title after a lone Alt tap, no pop-up open
let altTap = false;
let touchTap = false; // the last press was a finger's: no hovering opens a pop-up

// The page's own entries may word themselves and say whether they are checked as they open.
function textOf(item) {
  const text = typeof item.text === "function" ? item.text() : item.text;
  return item.fixed ? text : i18n.tr(item.context || "Menu", text);
}

function isChecked(item) {
  if (typeof item.checked === "function") return item.checked();
  return item.lang ? item.lang === i18n.language : item.checked === true;
}

function languageEntry() {
  return {
    command: -1,
    text: "Language / 言語",
    fixed: true,
    sub: [
      { command: -1, text: "日本語", fixed: true, lang: "ja" },
      { command: -1, text: "English", fixed: true, lang: "en" },
    ],
  };
}

function mnemonic(text) {
  return ui.label(text).key;
}

function buildBar() {
  if (!bar) return;
  bar.textContent = "";
  bar.classList.add("vt-menubar");
  let rightStarted = false;
  model.forEach((popup, index) => {
    const title = ui.el("div", "vt-menu-title");
    title.dataset.menu = String(index);
    title.append(ui.label(textOf(popup)).node);
    if (popup.right && !rightStarted) {
      title.classList.add("vt-right");
      rightStarted = true;
    }
    title.addEventListener("mousedown", (e) => {
      if (e.button !== 0 || ui.dialogOpen()) return;
      e.preventDefault();
      if (open && open.popup === index) closeMenu();
      else openPopup(index, false);
    });
    title.addEventListener("mouseenter", () => {
      if (touchTap) return; // a tap's mouse events: the press alone opens or closes
      if (open && open.popup !== index && !ui.dialogOpen()) openPopup(index, false);
    });
    bar.append(title);
  });
}

function titles() {
  return bar ? Array.from(bar.querySelectorAll(".vt-menu-title")) : [];
}

function showTitles() {
  titles().forEach((title, index) => {
    const lit = (open && open.popup === index) || barFocus === index;
    title.classList.toggle("vt-active", lit);
  });
}

function renderList(items, level) {
  const box = ui.el("div", "vt-popup");
  box.setAttribute("role", "menu");
  items.forEach((item, index) => {
    if (item.command === null || item.command === undefined) {
      box.append(ui.el("div", "vt-sep"));
      return;
    }
    const row = ui.el("div", "vt-item");
    row.setAttribute("role", "menuitem");
    if (item.command >= 0) row.dataset.command = String(item.command);
    if (item.lang) row.dataset.language = item.lang;
    if (item.entry) row.dataset.entry = item.entry;
    row.classList.toggle("vt-checked", isChecked(item));
    row.append(
      ui.el("span", "vt-check", isChecked(item) ? "\u2714" : ""),
      ui.label(textOf(item)).node,
      ui.el("span", "vt-arrow", item.sub ? "\u25b6" : ""),
    );
    row.addEventListener("mouseenter", () => {
      if (!open || open.levels.length <= level) return;
      open.levels.length = level + 1; // a deeper pop-up of another item goes
      dropDeeperBoxes(level);
      select(level, index);
      if (item.sub) openSub(false);
    });
    row.addEventListener("click", (e) => {
      e.stopPropagation();
      activate(item);
    });
    box.append(row);
  });
  return box;
}

function dropDeeperBoxes(level) {
  if (!bar) return;
  bar.querySelectorAll(".vt-popup").forEach((box) => {
    if (Number(box.dataset.level) > level) box.remove();
  });
}

// Keeps a pop-up inside the window: moved left when it would stick out on the right.
function place(box, left, top, otherSideLeft) {
  box.style.left = left + "px";
  box.style.top = top + "px";
  const overhang = box.getBoundingClientRect().right - document.documentElement.clientWidth;
  if (overhang > 0) {
    box.style.left =
      (otherSideLeft !== undefined ? otherSideLeft : Math.max(0, left - overhang)) + "px";
  }
}

function openPopup(index, byKeyboard) {
  closeMenu();
  const title = titles()[index];
  if (!title) return;
  const items = model[index].items;
  const box = renderList(items, 0);
  box.dataset.level = "0";
  box.dataset.popup = String(index);
  bar.append(box);
  place(box, title.offsetLeft, title.offsetTop + title.offsetHeight);
  open = { popup: index, levels: [{ items, box, index: -1 }] };
  barFocus = -1;
  if (byKeyboard) move(1);
  showTitles();
}

function openSub(byKeyboard) {
  const level = open.levels[open.levels.length - 1];
  const item = level.items[level.index];
  if (!item || !item.sub) return;
  const row = level.box.children[level.index];
  const box = renderList(item.sub, open.levels.length);
  box.dataset.level = String(open.levels.length);
  bar.append(box);
  const left = level.box.offsetLeft + level.box.offsetWidth - 2;
  place(
    box,
    left,
    level.box.offsetTop + row.offsetTop - 3,
    Math.max(0, level.box.offsetLeft - box.offsetWidth + 2),
  );
  open.levels.push({ items: item.sub, box, index: -1 });
  if (byKeyboard) move(1);
}

function closeSub() {
  const level = open.levels.pop();
  level.box.remove();
}

function closeMenu() {
  if (bar) bar.querySelectorAll(".vt-popup").forEach((box) => box.remove());
  open = null;
  barFocus = -1;
  showTitles();
}

function select(levelIndex, index) {
  const level = open.levels[levelIndex];
  level.index = index;
  Array.from(level.box.children).forEach((row, i) =>
    row.classList.toggle("vt-selected", i === index),
  );
}

// Moves the selection of the deepest pop-up by step, over separators, round the ends.
function move(step) {
  const levelIndex = open.levels.length - 1;
  const level = open.levels[levelIndex];
  const count = level.items.length;
  let index = level.index < 0 && step < 0 ? count : level.index;
  for (let tries = 0; tries < count; ++tries) {
    index = (index + step + count) % count;
    if (level.items[index].command !== null && level.items[index].command !== undefined) {
      select(levelIndex, index);
      return;
    }
  }
}

function activate(item) {
  if (item.sub) {
    if (open.levels.length === 1 || open.levels[open.levels.length - 1].items !== item.sub) {
      openSub(true);
    }
    return;
  }
  closeMenu();
  if (item.lang) i18n.set(item.lang);
  else if (item.action) item.action();
  else if (onCommand) onCommand(item.command);
}

function popupWithMnemonic(key) {
  return model.findIndex((popup) => mnemonic(textOf(popup)) === key);
}

// Keys while a pop-up is open or a title highlighted. Returns whether the menu took the key.
function menuKey(e) {
  const key = e.key;
  if (/^F[0-9]+$/.test(key)) return false;
  if (key === "Alt" || (key === "Escape" && !open)) {
    closeMenu();
    return true;
  }
  if (!open) {
    // a highlighted title only
    const count = model.length;
    if (key === "ArrowLeft" || key === "ArrowRight") {
      barFocus = (barFocus + (key === "ArrowLeft" ? count - 1 : 1)) % count;
      showTitles();
    } else if (key === "ArrowDown" || key === "ArrowUp" || key === "Enter") {
      openPopup(barFocus, true);
    } else {
      const index = popupWithMnemonic(ui.keyOf(e));
      if (index >= 0) openPopup(index, true);
    }
    return true;
  }
  const level = open.levels[open.levels.length - 1];
  const current = level.items[level.index];
  if (e.altKey) {
    const index = popupWithMnemonic(ui.keyOf(e));
    if (index >= 0) openPopup(index, true);
  } else if (key === "ArrowDown" || key === "ArrowUp") {
    move(key === "ArrowDown" ? 1 : -1);
  } else if (key === "ArrowRight") {
    if (current && current.sub) openSub(true);
    else openPopup((open.popup + 1) % model.length, true);
  } else if (key === "ArrowLeft") {
    if (open.levels.length > 1) closeSub();
    else openPopup((open.popup + model.length - 1) % model.length, true);
  } else if (key === "Escape") {
    if (open.levels.length > 1) closeSub();
    else closeMenu();
  } else if (key === "Enter") {
    if (current) activate(current);
  } else {
    const typed = ui.keyOf(e);
    const chosen = level.items.find(
      (item) =>
        item.command !== null &&
        item.command !== undefined &&
        typed &&
        mnemonic(textOf(item)) === typed,
    );
    if (chosen) activate(chosen);
  }
  return true;
}

function onKeyDown(e) {
  if (e.ctrlKey || e.metaKey) {
    altTap = false;
    return; // the browser's own shortcuts
  }
  if (ui.dialogOpen()) {
    if (ui.dialogKey) ui.dialogKey(e);
    return;
  }
  let taken = false;
  if (open || barFocus >= 0) {
    taken = menuKey(e);
  } else if (e.key === "Alt") {
    altTap = !e.repeat;
  } else if (e.altKey && bar) {
    const index = popupWithMnemonic(ui.keyOf(e));
    if (index >= 0) {
      openPopup(index, true);
      taken = true;
    }
  }
  if (e.key !== "Alt") altTap = false;
  if (taken) {
    e.preventDefault();
    e.stopPropagation();
  }
}

function onKeyUp(e) {
  // A lone Alt tap highlights the first title, as on the desktop.
  if (e.key === "Alt" && altTap && bar && model.length && !ui.dialogOpen()) {
    altTap = false;
    barFocus = 0;
    showTitles();
    e.preventDefault();
    e.stopPropagation();
  }
}

window.addEventListener("pointerdown", (e) => (touchTap = e.pointerType === "touch"), true);
window.addEventListener("keydown", onKeyDown, true);
window.addEventListener("keyup", onKeyUp, true);
window.addEventListener("blur", () => {
  altTap = false;
  closeMenu();
});
document.addEventListener(
  "mousedown",
  (e) => {
    if ((open || barFocus >= 0) && !(bar && bar.contains(e.target))) closeMenu();
  },
  true,
);

// ---- the interface ----

ui.init = function ({ menu, onCommand: handler }) {
  bar = document.getElementById("menubar");
  onCommand = handler;
  model = JSON.parse(JSON.stringify(menu || []));
  const settings = model[Math.min(settingsPopup, model.length - 1)];
  if (settings) {
    settings.items.push(
      ...switchEntries,
      { command: null, text: "" },
      languageEntry(),
      ...extraEntries,
    );
  }
  buildBar();
};

// Entries the page itself acts on ({entry, text, context, action}, or a separator with
// command null), after everything else in the settings pop-up.
ui.addEntries = function (items) {
  const entries = items.map((item) =>
    item.command === null ? item : { command: -1, ...item, action: item.action },
  );
  extraEntries = extraEntries.concat(entries);
  const settings = model[Math.min(settingsPopup, model.length - 1)];
  if (settings) settings.items.push(...entries);
};

// Check entries the page keeps itself ({entry, text, context, checked(), action}), placed
// right after the game's own switches at the end of its settings, as the desktop places them.
// Called before the menu is up.
ui.addSwitches = function (items) {
  switchEntries = switchEntries.concat(items.map((item) => ({ command: -1, ...item })));
};

ui.setCheck = function (command, checked) {
  const visit = (items) =>
    items.forEach((item) => {
      if (item.command === command) item.checked = !!checked;
      if (item.sub) visit(item.sub);
    });
  model.forEach((popup) => visit(popup.items));
  if (!bar) return;
  bar.querySelectorAll(`.vt-item[data-command="${Number(command)}"]`).forEach((row) => {
    row.classList.toggle("vt-checked", !!checked);
    row.querySelector(".vt-check").textContent = checked ? "\u2714" : "";
  });
};

ui.menuOpen = function () {
  return open !== null || barFocus >= 0;
};

ui.closeMenu = closeMenu;

// The first pop-up open on its first entry, as a pad's menu button asks.
ui.openMenu = function () {
  if (bar && model.length) openPopup(0, true);
};

i18n.onChange(() => {
  closeMenu();
  buildBar();
});
