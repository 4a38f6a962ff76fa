// The page's modal dialogs, one at a time, each a Promise of its answer. They carry the
// desktop's texts, translated in the "Dialogs" context (texts passed in by the game arrive
// translated already), and are laid out by the page's own HTML and CSS (ui.css), sized by their
// texts in either language.
import { i18n } from "./i18n.js";
import { ui } from "./ui.js";

const el = ui.el;
const tr = (text) => i18n.tr("Dialogs", text);
// Message-box buttons carry the desktop toolkit's own English texts in both languages.
const standardButtons = {
  ok: "OK",
  yes: "&Yes",
  no: "&No",
  cancel: "Cancel",
  retry: "Retry",
  discard: "Discard",
};
let current = null;

export function dialogOpen() {
  return current !== null;
}
ui.dialogOpen = dialogOpen;

// A dialog of the given kind with its caption bar (none when caption is null) and a body the
// caller fills; it shows once showDialog is called.
export function openDialog(kind, caption) {
  ui.closeMenu();
  const root = el("div", "vt-dialog");
  root.dataset.dialog = kind;
  root.style.visibility = "hidden";
  root.setAttribute("role", "dialog");
  root.setAttribute("aria-modal", "true");
  if (caption !== null) root.append(el("div", "vt-caption", caption));
  const body = el("div", "vt-body");
  root.append(body);
  layer().append(root);
  const dialog = {
    root,
    body,
    defaultButton: null,
    mnemonics: {},
    first: null,
    previous: document.activeElement,
    onEscape: null,
    onKey: null,
  };
  current = dialog;
  return dialog;
}

export function button(dialog, answer, text, isDefault, onClick) {
  const node = el("button", "vt-button");
  node.type = "button";
  node.dataset.answer = answer;
  const label = ui.label(text);
  node.append(label.node);
  if (label.key) dialog.mnemonics[label.key] = node;
  if (isDefault) {
    node.classList.add("vt-default");
    dialog.defaultButton = node;
  }
  node.addEventListener("click", onClick);
  return node;
}

// A row of buttons, centred under the dialog's contents.
export function buttonRow(...buttons) {
  const row = el("div", "vt-buttons");
  row.append(...buttons);
  return row;
}

function layer() {
  return document.getElementById("dialog-layer") || document.body;
}

// Centred over the game picture, as the desktop centres on its window, kept on screen.
function position(root) {
  const screen = document.getElementById("screen");
  const area =
    screen && screen.offsetWidth
      ? screen.getBoundingClientRect()
      : { left: 0, top: 0, width: window.innerWidth, height: window.innerHeight };
  const left = area.left + (area.width - root.offsetWidth) / 2;
  const top = area.top + (area.height - root.offsetHeight) / 2;
  root.style.left = Math.max(0, Math.min(left, window.innerWidth - root.offsetWidth)) + "px";
  root.style.top = Math.max(0, Math.min(top, window.innerHeight - root.offsetHeight)) + "px";
}

export function showDialog(dialog, focus) {
  layer().classList.add("vt-open");
  position(dialog.root);
  dialog.root.style.visibility = "";
  dialog.first = focus || dialog.defaultButton;
  if (dialog.first) dialog.first.focus({ preventScroll: true });
}

export function closeDialog(dialog) {
  if (current !== dialog) return;
  current = null;
  dialog.root.remove();
  const host = layer();
  if (!host.querySelector(".vt-dialog")) host.classList.remove("vt-open");
  const back = dialog.previous;
  if (back && back !== document.body && document.contains(back)) {
    back.focus({ preventScroll: true });
  } else if (document.activeElement) {
    document.activeElement.blur();
  }
}

function focusables(root) {
  return Array.from(root.querySelectorAll('button, input, [tabindex="0"]')).filter(
    (node) => !node.disabled && node.tabIndex >= 0,
  );
}

function isTextField(node) {
  return node && node.tagName === "INPUT" && (node.type === "text" || node.type === "search");
}

// Every key while a dialog is open ends here; none reaches the game.
ui.dialogKey = function (e) {
  const dialog = current;
  e.stopPropagation();
  const inside = dialog.root.contains(e.target);
  if (dialog.onKey && inside && dialog.onKey(e)) {
    e.preventDefault();
    return;
  }
  if (e.key === "Enter") {
    e.preventDefault();
    if (e.repeat) return;
    const focused = inside && e.target.tagName === "BUTTON" ? e.target : dialog.defaultButton;
    if (focused) focused.click();
  } else if (e.key === "Escape") {
    e.preventDefault();
    if (dialog.onEscape && !e.repeat) dialog.onEscape();
  } else if (e.key === "Tab") {
    const list = focusables(dialog.root);
    const at = list.indexOf(e.target);
    const next = at < 0 ? 0 : (at + (e.shiftKey ? list.length - 1 : 1)) % list.length;
    e.preventDefault();
    if (list[next]) list[next].focus();
  } else if (!inside) {
    e.preventDefault(); // nothing scrolls or reacts behind the dialog
    if (dialog.first) dialog.first.focus({ preventScroll: true });
  } else if (!isTextField(e.target) && dialog.mnemonics[ui.keyOf(e)]) {
    e.preventDefault();
    if (!e.repeat) dialog.mnemonics[ui.keyOf(e)].click();
  } else if (e.altKey) {
    e.preventDefault();
  }
};

window.addEventListener("resize", () => {
  if (current) position(current.root);
});

// A click beside the dialog keeps the focus in it.
document.addEventListener(
  "mousedown",
  (e) => {
    if (current && !current.root.contains(e.target)) {
      e.preventDefault();
      e.stopPropagation();
    }
  },
  true,
);

function textBox(kind, text, caption, answers, enter, escape) {
  return new Promise((resolve) => {
    const d = openDialog(kind, caption);
    const finish = (answer) => {
      closeDialog(d);
      resolve(answer);
    };
    const buttons = answers.map((answer) =>
      button(d, answer, standardButtons[answer] || answer, answer === enter, () => finish(answer)),
    );
    d.body.append(el("div", "vt-text", text), buttonRow(...buttons));
    if (escape) d.onEscape = () => finish(escape);
    showDialog(d);
  });
}

export function message(text, caption) {
  return textBox("message", text, caption || "", ["ok"], "ok", "ok").then(() => undefined);
}

export function yesNo(text, caption) {
  return textBox("yesno", text, caption || "", ["yes", "no"], "yes", null).then(
    (answer) => answer === "yes",
  );
}

// Resolves to the word of the answer given, one of the question's.
export function ask({ text, caption, buttons, enter, escape }) {
  return textBox("ask", text, caption || "", buttons, enter, escape || null);
}

export function about() {
  return new Promise((resolve) => {
    const d = openDialog("about", null);
    d.root.classList.add("vt-frameless");
    const finish = () => {
      closeDialog(d);
      resolve();
    };
    // The game's 32-pixel icon, when the page has it; the dialog reads the same without.
    const icon = el("img", "vt-icon");
    icon.alt = "";
    icon.src = "icon.png";
    icon.addEventListener("error", () => icon.remove());
    const title = el("div", "vt-about-title", tr("Vantrell for Windows95"));
    const version = el("div", "vt-about-version");
    version.append(icon, el("span", null, tr("Version 1.0")));
    const credits = el("div", "vt-about-credits");
    credits.append(
      el("div", null, tr("Game and course design")),
      el("div", null, tr("by the Vantrell team")),
    );
    d.body.append(title, version, credits, buttonRow(button(d, "ok", tr("OK"), true, finish)));
    d.onEscape = finish;
    showDialog(d);
  });
}

// A page of help from the game: a title and its rich text, which the game builds from its own
// escaped texts with a handful of tags; scrolls inside the dialog, closes with OK or Escape.
export function helpPage(title, html) {
  return new Promise((resolve) => {
    const d = openDialog("help", title || "");
    const finish = () => {
      closeDialog(d);
      resolve();
    };
    const page = el("div", "vt-help");
    page.innerHTML = html;
    page.tabIndex = 0;
    d.body.append(page, buttonRow(button(d, "ok", standardButtons.ok, true, finish)));
    d.onEscape = finish;
    showDialog(d);
  });
}

// Resolves to { name, bytes } of the file chosen ("run" a run file, "pack" a stage pack),
// { name, problem } when it could not be read, or null.
// A file the page already holds (a ghost from the world table), answered to the next
// chooseFile in place of the player's choice, so that it goes the way a chosen file goes.
let handed = null;
export function handFile(file) {
  handed = file;
}

export function chooseFile(kind) {
  if (handed) {
    const file = handed;
    handed = null;
    return Promise.resolve(file);
  }
  return new Promise((resolve) => {
    const pack = kind === "pack";
    const d = openDialog("file", tr(pack ? "ステージパックを開く" : "走行ファイルを開く"));
    const finish = (answer) => {
      closeDialog(d);
      resolve(answer);
    };
    const input = el("input", "vt-file");
    input.type = "file";
    input.dataset.field = "file";
    input.accept = pack ? ".vstage" : ".run";
    input.addEventListener("change", () => {
      const file = input.files && input.files[0];
      if (!file) return;
      file.arrayBuffer().then(
        (buffer) => finish({ name: file.name, bytes: new Uint8Array(buffer) }),
        (error) => finish({ name: file.name, problem: String(error) }),
      );
    });
    const field = el("label", "vt-text");
    field.append(
      el("div", null, tr(pack ? "ステージパック (*.vstage)" : "走行ファイル (*.run)")),
      input,
    );
    d.body.append(field, buttonRow(button(d, "cancel", tr("Cancel"), false, () => finish(null))));
    d.onEscape = () => finish(null);
    d.onKey = (e) => {
      if (e.key !== "Enter" || e.target !== input) return false;
      input.click(); // Enter opens the browser's file chooser
      return true;
    };
    showDialog(d, input);
  });
}
