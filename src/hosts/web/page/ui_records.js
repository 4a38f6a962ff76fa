// The dialogs of the records: the name entry after a fast run, the table of the ten best runs,
// and the choice of runs to race or to export.
import { i18n } from "./i18n.js";
import { padNav } from "./pad_nav.js";
import { foldName, nameFits } from "./program.js";
import { nameGrid } from "./ui_name_grid.js";
import { ui } from "./ui.js";
import { button, buttonRow, closeDialog, openDialog, showDialog } from "./ui_dialogs.js";

const el = ui.el;
const tr = (text) => i18n.tr("Dialogs", text);

function showTip(anchor, text) {
  let tip = anchor.parentNode.querySelector(".vt-tip");
  if (!tip) {
    tip = el("div", "vt-tip");
    anchor.parentNode.append(tip);
  }
  tip.textContent = text;
  tip.style.left = anchor.offsetLeft + "px";
  tip.style.top = anchor.offsetTop + anchor.offsetHeight + "px";
  clearTimeout(tip.timer);
  tip.timer = setTimeout(() => tip.remove(), 4000);
}

// time (the run's time as the program writes it) and rank null: the box without the run's line.
export function askName(defaultName, time, rank) {
  return new Promise((resolve) => {
    const withRun = time !== null && time !== undefined && rank !== null && rank !== undefined;
    const d = openDialog("name", tr("競技終了"));
    const input = el("input", "vt-edit");
    const finish = () => {
      closeDialog(d);
      resolve(input.value);
    };
    const lines = el("div", "vt-lines");
    lines.append(
      el("div", null, tr("貴殿の記録は賞賛に値する。")),
      el("div", null, tr("名操縦者として記録する故、")),
      el("div", null, tr("名前を入力してくれたまえ。")),
    );
    input.type = "text";
    input.dataset.field = "name";
    input.spellcheck = false;
    input.autocomplete = "off";
    input.value = defaultName || "";
    const field = el("div", "vt-name-field");
    field.append(input);
    d.body.append(lines, field, buttonRow(button(d, "ok", tr("OK"), true, finish)));
    if (withRun) {
      // The time comes written by the program: the ticks with their seconds.
      const line = tr("記録 %1、第%2位").replace("%1", String(time)).replace("%2", String(rank));
      d.body.append(el("div", "vt-run-line", line));
    }
    // Accented letters become plain ones as they are typed, and a note says so until the next
    // key; what is left that the record file cannot hold, or wider than the box, is refused.
    const note = el("div", "vt-note-line");
    note.hidden = true;
    field.after(note);
    const fold = () => {
      const typed = input.value;
      const folded = foldName(typed);
      if (folded === typed) return;
      const caret = foldName(typed.slice(0, input.selectionStart || 0)).length;
      const letters = Array.from(new Set(Array.from(typed).filter((c) => foldName(c) !== c)));
      input.value = folded;
      input.setSelectionRange(caret, caret);
      note.textContent = tr("%1 → %2（「%3」は記録できません）")
        .replace("%1", typed)
        .replace("%2", folded)
        .replace("%3", letters.join(""));
      note.hidden = false;
    };
    // Keys reach the dialog's own handler only (the page's key routing stops them there).
    d.onKey = () => {
      note.hidden = true;
      return false;
    };
    let accepted = input.value;
    const check = () => {
      fold();
      if (nameFits(input.value) && input.scrollWidth <= input.clientWidth) {
        accepted = input.value;
        return;
      }
      const caret = Math.max(
        0,
        (input.selectionStart || 0) - (input.value.length - accepted.length),
      );
      input.value = accepted;
      input.setSelectionRange(caret, caret);
      showTip(input, tr("記録できない文字か、長すぎる名前です (Shift-JIS, 15 bytes)"));
    };
    input.addEventListener("input", (e) => {
      if (!e.isComposing) check();
    });
    input.addEventListener("compositionend", check);
    // No onEscape: as on the desktop, OK (or Enter) is the only way out of this box.
    // After pad input, a grid to pick the name from takes the focus; the picks are typed into
    // the box, so its checks apply as to a key.
    let grid = null;
    if (padNav.lastWasPad()) {
      grid = nameGrid({
        type: (text) => {
          input.setRangeText(text, input.selectionStart, input.selectionEnd, "end");
          check();
        },
        erase: () => {
          const from = input.selectionStart;
          const to = input.selectionEnd;
          if (from !== to) input.setRangeText("", from, to, "end");
          else if (from > 0) {
            // One character back, a pair of surrogates included.
            const before = Array.from(input.value.slice(0, from));
            const cut = before.slice(0, -1).join("").length;
            input.setRangeText("", cut, from, "end");
          }
          check();
        },
        done: finish,
      });
      d.body.append(grid);
      d.onKey = (e) => e.target === grid && grid.onGridKey(e);
    }
    showDialog(d, grid || input);
    input.select();
    if (grid) grid.focus({ preventScroll: true });
  });
}

// The two columns of the desktop: names (carrying the selection) and times, ten lines each,
// as wide as their texts.
function table(lines) {
  const box = el("div", "vt-table");
  const names = el("div", "vt-list");
  const times = el("div", "vt-list vt-times");
  names.setAttribute("role", "listbox");
  lines.forEach((line, index) => {
    const row = el("div", "vt-row", line.rankAndName);
    row.dataset.index = String(index);
    row.classList.toggle("vt-selected", !!line.selected);
    names.append(row);
    times.append(el("div", "vt-row", line.time));
  });
  box.append(names, times);
  return { box, names };
}

export function hiScoreList(lines, offerRace) {
  return new Promise((resolve) => {
    const d = openDialog("list", tr("--過去の挑戦者達の記録--"));
    const finish = (race) => {
      closeDialog(d);
      resolve(race);
    };
    const buttons = [button(d, "ok", tr("OK"), true, () => finish(false))];
    if (offerRace) {
      buttons.push(button(d, "race", tr("この記録と対戦"), false, () => finish(true)));
    }
    d.body.append(table(lines).box, buttonRow(...buttons));
    d.onEscape = () => finish(false);
    showDialog(d);
  });
}

// An extended-selection list: a click selects one line, Ctrl+click adds or removes one,
// Shift+click a range; the arrows move the cursor (Shift extends), Space toggles a line.
// Resolves to the ten lines' selection, or null for a cancel.
export function chooseRuns(lines, purpose) {
  return new Promise((resolve) => {
    const d = openDialog("choose", tr("--過去の挑戦者達の記録--"));
    const prompt =
      purpose === "export" ? "書き出す記録を選択してください。" : "対戦相手を選択してください。";
    const { box, names: list } = table(lines);
    d.body.append(el("div", "vt-prompt", tr(prompt)), box);
    list.tabIndex = 0;
    list.setAttribute("aria-multiselectable", "true");
    const rows = Array.from(list.children);
    const selected = rows.map((row) => row.classList.contains("vt-selected"));
    let cursor = Math.max(0, selected.indexOf(true));
    let anchor = cursor;
    const show = () =>
      rows.forEach((row, i) => {
        row.classList.toggle("vt-selected", selected[i]);
        row.classList.toggle("vt-cursor", i === cursor);
        row.setAttribute("aria-selected", String(selected[i]));
      });
    const pick = (index, adding, extending) => {
      if (extending) {
        for (let i = 0; i < rows.length; ++i) {
          selected[i] = i >= Math.min(anchor, index) && i <= Math.max(anchor, index);
        }
      } else if (adding) {
        selected[index] = !selected[index];
        anchor = index;
      } else {
        selected.fill(false);
        selected[index] = true;
        anchor = index;
      }
      cursor = index;
      show();
      rows[index].scrollIntoView({ block: "nearest" });
    };
    rows.forEach((row, index) =>
      row.addEventListener("mousedown", (e) => {
        pick(index, e.ctrlKey || e.metaKey, e.shiftKey);
      }),
    );
    d.onKey = (e) => {
      if (e.target !== list) return false;
      if (e.key === "ArrowDown" || e.key === "ArrowUp") {
        const step = e.key === "ArrowDown" ? 1 : -1;
        pick(Math.max(0, Math.min(rows.length - 1, cursor + step)), false, e.shiftKey);
      } else if (e.key === " ") {
        pick(cursor, true, false);
      } else {
        return false;
      }
      return true;
    };
    const finish = (answer) => {
      closeDialog(d);
      resolve(answer);
    };
    d.body.append(
      buttonRow(
        button(d, "ok", tr("OK"), true, () => finish(selected.slice())),
        button(d, "cancel", tr("Cancel"), false, () => finish(null)),
      ),
    );
    d.onEscape = () => finish(null);
    show();
    showDialog(d, list);
  });
}
