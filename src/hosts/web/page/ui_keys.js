// The keys dialog: the five controls of each key set and the page's pause, retry and
// full-screen keys, each bound to keys or pad buttons, kept in the browser's local storage. The
// program reads the lines (one parser, the desktop's) and answers what it uses; a key another
// action holds is refused with a line naming it. The texts are the desktop dialog's.
import { holdTicks } from "./host.js";
import { i18n } from "./i18n.js";
import { useKeys } from "./program.js";
import { keyName, keys } from "./screen.js";
import { ui } from "./ui.js";
import { button, buttonRow, closeDialog, openDialog, showDialog } from "./ui_dialogs.js";

const el = ui.el;
const kStorage = "vantrell.keys";
const tr = (text) => i18n.tr("KeysDialog", text);
const kGroups = ["キーセット1（カーソルキー）", "キーセット2（文字キー）", "ゲーム"];
const kControls = ["前進", "後退", "左", "右", "ボタン"];
const kGameActions = ["ポーズ", "やり直し", "全画面表示"];
const kActions = [
  "Set1Forward", "Set1Reverse", "Set1Left", "Set1Right", "Set1Button",
  "Set2Forward", "Set2Reverse", "Set2Left", "Set2Right", "Set2Button",
  "Pause", "Retry", "FullScreen",
]; // prettier-ignore
const kPadNames = [
  "Pad A", "Pad B", "Pad X", "Pad Y", "Pad Back", "Pad Guide", "Pad Start",
  "Pad L3", "Pad R3", "Pad LB", "Pad RB", "Pad LT", "Pad RT",
]; // prettier-ignore
let defaults = null;

// "Action=A, B" lines as {action: [names]}.
function parse(lines) {
  const table = {};
  for (const line of String(lines || "").split("\n")) {
    const at = line.indexOf("=");
    if (at < 0) continue;
    const text = line.slice(at + 1).trim();
    table[line.slice(0, at)] = text ? text.split(",").map((name) => name.trim()) : [];
  }
  return table;
}

function lines(table) {
  return kActions.map((action) => action + "=" + (table[action] || []).join(", ")).join("\n");
}

function stored() {
  try {
    return window.localStorage.getItem(kStorage) || "";
  } catch {
    return "";
  }
}

// The lines to the program, and the keys it uses to the page's own key handling.
function apply(text) {
  const answer = useKeys(text);
  if (answer === null) return null;
  const table = parse(answer);
  keys.use(table);
  return table;
}

export function actionTitle(action) {
  const index = kActions.indexOf(action);
  if (index >= 10) return tr(kGameActions[index - 10]);
  const group = tr(kGroups[Math.floor(index / 5)])
    .split(/[（(]/)[0]
    .trim();
  return group + ": " + tr(kControls[index % 5]);
}

function holder(table, name) {
  return kActions.find((action) => (table[action] || []).includes(name));
}

function openKeys() {
  let table = parse(lines(apply(stored()) || {}));
  const d = openDialog("keys", tr("キー設定"));
  const shown = {};
  const message = el("div", "vt-keys-message");
  message.dataset.field = "message";
  let capturing = null;
  const say = (text) => (message.textContent = text);
  const show = () => {
    for (const action of kActions) {
      const names = table[action] || [];
      shown[action].textContent = names.length ? names.join(", ") : tr("（なし）");
    }
  };
  const bind = (action, name) => {
    const other = holder(table, name);
    if (other && other !== action) {
      say(
        tr("%1 はすでに %2 に使われています").replace("%1", name).replace("%2", actionTitle(other)),
      );
      return;
    }
    if (!other) table[action] = [...(table[action] || []), name];
    say("");
    show();
  };
  d.onKey = (e) => {
    if (capturing === null) return false;
    const action = capturing;
    capturing = null;
    if (e.key === "Escape") {
      say("");
    } else if (keyName(e.code) !== undefined && !e.ctrlKey && !e.altKey && !e.metaKey) {
      bind(action, keyName(e.code));
    } else {
      say(tr("このキーは使えません"));
    }
    return true;
  };
  kGroups.forEach((groupText, g) => {
    const frame = el("fieldset", "vt-group vt-keys");
    frame.append(el("legend", null, tr(groupText)));
    const grid = el("div", "vt-keys-grid");
    kActions.slice(g * 5, g * 5 + (g < 2 ? 5 : 3)).forEach((action, row) => {
      shown[action] = el("span", "vt-keys-shown");
      shown[action].dataset.binding = action;
      const add = button(d, "add-" + action, tr("キーを追加"), false, () => {
        capturing = action;
        say(tr("%1 のキーを押してください（Esc で取り消し）").replace("%1", actionTitle(action)));
      });
      const pad = el("select", "vt-keys-pad");
      pad.dataset.pad = action;
      pad.append(el("option", null, tr("パッド")));
      for (const name of kPadNames) pad.append(el("option", null, name));
      pad.addEventListener("change", () => {
        if (pad.selectedIndex > 0) bind(action, kPadNames[pad.selectedIndex - 1]);
        pad.selectedIndex = 0;
      });
      const clear = button(d, "clear-" + action, tr("消去"), false, () => {
        table[action] = [];
        show();
      });
      const label = el("span", null, g < 2 ? tr(kControls[row]) : tr(kGameActions[row]));
      grid.append(label, shown[action], add, pad, clear);
    });
    frame.append(grid);
    d.body.append(frame);
  });
  const finish = (keep) => {
    closeDialog(d);
    holdTicks(false);
    if (!keep) return;
    const text = lines(table);
    try {
      window.localStorage.setItem(kStorage, text);
    } catch {
      /* kept for this visit only */
    }
    apply(text);
  };
  d.onEscape = () => finish(false);
  const reset = button(d, "reset", tr("初期設定に戻す"), false, () => {
    table = parse(lines(defaults || {}));
    say("");
    show();
  });
  const ok = button(d, "ok", "OK", true, () => finish(true));
  const cancel = button(d, "cancel", "Cancel", false, () => finish(false));
  d.body.append(
    el("div", "vt-text", tr("どのキーセットで走るかは「操作設定」で選びます")),
    message,
    buttonRow(reset, ok, cancel),
  );
  show();
  holdTicks(true);
  showDialog(d);
}

// Once the game is up: the stored keys put to work and the menu entry.
export function offerKeys() {
  defaults = parse(useKeys(""));
  apply(stored());
  ui.addEntries([{ entry: "keys", context: "Menu", text: "キー設定…", action: openKeys }]);
}
