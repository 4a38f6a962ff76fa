// The list of stages: the five built-in ones and the installed stage packs (name in the page's
// language, author, best time), to race one, remove a pack or add one, as the desktop's list
// offers them. The game decides what each choice does (the shell's stage packs).
import { i18n } from "./i18n.js";
import { ui } from "./ui.js";
import { button, buttonRow, closeDialog, openDialog, showDialog } from "./ui_dialogs.js";

const el = ui.el;
const tr = (text) => i18n.tr("Dialogs", text);

// Which of a pack's names the player reads: the game answers the same question with the same
// text.
function japaneseNames() {
  return i18n.tr("Messages", "ja") === "ja";
}

// Resolves to { action: "race" | "remove" | "add", row } or null when the list is closed.
export function chooseStage(rows) {
  return new Promise((resolve) => {
    const d = openDialog("stages", tr("その他のステージ"));
    const finish = (answer) => {
      closeDialog(d);
      resolve(answer);
    };
    const japanese = japaneseNames();
    const head = el("div", "vt-column-head");
    head.append(
      el("span", "vt-stage-c0", tr("ステージ")),
      el("span", "vt-stage-c1", tr("作者")),
      el("span", "vt-stage-c2", tr("最高記録")),
    );
    const list = el("div", "vt-list vt-columns vt-stage-list");
    list.tabIndex = 0;
    list.setAttribute("role", "listbox");
    const lines = rows.map((row, index) => {
      const line = el("div", "vt-row");
      line.dataset.index = String(index);
      line.classList.toggle("vt-current", !!row.current);
      line.append(
        el("span", "vt-stage-c0", japanese ? row.name : row.nameEn),
        el("span", "vt-stage-c1", row.pack ? row.author : tr("（標準）")),
        el("span", "vt-stage-c2", row.best > 0 ? String(row.best) : "----"),
      );
      list.append(line);
      return line;
    });
    let selected = rows.findIndex((row) => row.current);
    const race = button(d, "race", tr("このステージへ"), true, () => {
      if (selected >= 0) finish({ action: "race", row: selected });
    });
    const remove = button(d, "remove", tr("削除..."), false, () => {
      if (selected >= 0 && rows[selected].pack) finish({ action: "remove", row: selected });
    });
    const add = button(d, "add", tr("ステージパックを追加..."), false, () =>
      finish({ action: "add", row: 0 }),
    );
    const close = button(d, "close", tr("閉じる"), false, () => finish(null));
    const show = () => {
      lines.forEach((line, i) => {
        line.classList.toggle("vt-selected", i === selected);
        line.setAttribute("aria-selected", String(i === selected));
      });
      race.disabled = selected < 0;
      remove.disabled = selected < 0 || !rows[selected].pack;
      if (selected >= 0) lines[selected].scrollIntoView({ block: "nearest" });
    };
    lines.forEach((line, index) => {
      line.addEventListener("mousedown", () => {
        selected = index;
        show();
      });
      line.addEventListener("dblclick", () => finish({ action: "race", row: index }));
    });
    d.onKey = (e) => {
      if (e.target !== list || (e.key !== "ArrowDown" && e.key !== "ArrowUp")) return false;
      const step = e.key === "ArrowDown" ? 1 : -1;
      selected = Math.max(0, Math.min(rows.length - 1, selected + step));
      show();
      return true;
    };
    const spacer = el("span", "vt-stage-gap");
    d.body.append(head, list, buttonRow(race, remove, spacer, add, close));
    d.onEscape = () => finish(null);
    show();
    showDialog(d, list);
  });
}
