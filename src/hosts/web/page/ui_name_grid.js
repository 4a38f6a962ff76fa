// The name box's character grid for a player without a keyboard: pages of Latin capitals, small
// letters, digits, hiragana and katakana (only characters the record file can hold, as the
// program's own check says), and a row of commands: the pages, space, delete and OK. The arrow
// keys move and Enter picks; a pad's d-pad and A arrive as those keys (pad_nav.js).
import { i18n } from "./i18n.js";
import { nameFits } from "./program.js";
import { ui } from "./ui.js";

const kColumns = 12;
const kCommands = ["ABC", "abc", "123", "かな", "カナ", "\u2423", "\u232b", "OK"];
const [kSpace, kDelete, kOk] = [5, 6, 7];

function range(first, last, extra = "") {
  const cells = [];
  for (let c = first.codePointAt(0); c <= last.codePointAt(0); ++c) {
    const text = String.fromCodePoint(c);
    if (nameFits(text)) cells.push(text);
  }
  return cells.concat(Array.from(extra));
}

// The grid's element, which takes the focus; `type` types a text into the box, `erase` deletes
// before the caret, `done` ends the entry.
export function nameGrid({ type, erase, done }) {
  const pages = [
    range("A", "Z"),
    range("a", "z"),
    range("0", "9", "-.!?&'/+*#"),
    range("ぁ", "ん", "ー"),
    range("ァ", "ヶ", "ー"),
  ];
  const rows = Math.max(...pages.map((page) => Math.ceil(page.length / kColumns)));
  let page = 0;
  let row = 0;
  let column = 0;
  const grid = ui.el("div", "vt-name-grid");
  grid.tabIndex = 0;
  grid.dataset.padArrows = "";
  grid.dataset.field = "grid";
  grid.setAttribute("role", "grid");

  // The one word among the commands, the dialog's own button's.
  const commands = kCommands.map((text, c) => (c === kOk ? i18n.tr("Dialogs", "OK") : text));
  const cellsOf = (r) =>
    r === rows ? commands : pages[page].slice(r * kColumns, (r + 1) * kColumns);

  function render() {
    grid.textContent = "";
    for (let r = 0; r <= rows; ++r) {
      const line = ui.el("div", r === rows ? "vt-grid-row vt-grid-commands" : "vt-grid-row");
      cellsOf(r).forEach((text, c) => {
        const cell = ui.el("span", "vt-grid-cell", text);
        cell.classList.toggle("vt-selected", r === row && c === column);
        cell.classList.toggle("vt-shown", r === rows && c === page);
        cell.addEventListener("mousedown", (e) => {
          e.preventDefault();
          [row, column] = [r, c];
          grid.focus();
          pick();
        });
        line.append(cell);
      });
      grid.append(line);
    }
  }

  function pick() {
    if (row < rows) type(cellsOf(row)[column]);
    else if (column === kSpace) type(" ");
    else if (column === kDelete) erase();
    else if (column === kOk) done();
    else page = column;
    render();
  }

  function move(dx, dy) {
    if (dy !== 0) {
      // Round the ends, over the empty rows of a short page, keeping the place across.
      const across = (column + 0.5) / cellsOf(row).length;
      do {
        row = (row + dy + rows + 1) % (rows + 1);
      } while (row !== rows && cellsOf(row).length === 0);
      const count = cellsOf(row).length;
      column = Math.min(
        count - 1,
        Math.floor(across * (row === rows ? kCommands.length : kColumns)),
      );
    } else {
      const count = cellsOf(row).length;
      column = (column + dx + count) % count;
    }
    render();
  }

  const moves = { ArrowLeft: [-1, 0], ArrowRight: [1, 0], ArrowUp: [0, -1], ArrowDown: [0, 1] };
  // Keys reach the grid through its dialog's onKey; true when the grid took the key.
  grid.onGridKey = (e) => {
    if (moves[e.key]) move(...moves[e.key]);
    else if (e.key === "Enter" || e.key === " ") pick();
    else return false;
    return true;
  };
  render();
  return grid;
}
