// The controls and speed dialog. The race runs on behind it, so it is no Promise: every click
// is reported to the game, which answers with the marks and the speed to show (updateControls)
// and closes the dialog after "O K". Escape does nothing, as on the desktop.
import { i18n } from "./i18n.js";
import { ui } from "./ui.js";
import { button, buttonRow, closeDialog, openDialog, showDialog } from "./ui_dialogs.js";

const el = ui.el;
const tr = (text) => i18n.tr("Dialogs", text);
// The check boxes of each player's group, in the order of state.marks (player 1's, then 2's).
const boxTexts = [
  "Keyboard ( Cursor,  Shift )",
  "Keyboard ( W, A, S, D , Ctrl)",
  "Joystick 1",
  "Joystick 2",
];
let shown = null; // { dialog, checks, bar, pads, onAction, state }

function group(text, className) {
  const frame = el("fieldset", "vt-group" + (className ? " " + className : ""));
  frame.append(el("legend", null, tr(text)));
  return frame;
}

function padLine(index, name) {
  return tr("Joystick %1: %2")
    .replace("%1", String(index + 1))
    .replace("%2", name || tr("未接続"));
}

function show(state) {
  shown.state = state;
  shown.checks.forEach((check, i) => {
    check.checked = !!(state.marks && state.marks[i]);
  });
  shown.bar.min = String(state.speedMin);
  shown.bar.max = String(state.speedMax);
  shown.bar.value = String(state.speed);
  shown.pads.forEach((line, i) => {
    line.textContent = padLine(i, state.pads ? state.pads[i] : null);
  });
}

function act(action) {
  if (shown && shown.onAction) shown.onAction(action);
}

// A scroll bar of the desktop's kind, step arrows at either end (left is faster), between
// the words "Fast" and "Slow".
function speedGroup() {
  const frame = group("SPEED", "vt-speed");
  const step = (move, text) => {
    const node = el("button", "vt-step", text);
    node.type = "button";
    node.tabIndex = -1;
    node.dataset.step = move;
    node.addEventListener("click", () => act({ type: "speed", move }));
    return node;
  };
  const bar = el("input", "vt-range");
  bar.type = "range";
  bar.step = "1";
  bar.dataset.field = "speed";
  bar.addEventListener("input", () =>
    act({ type: "speed", move: "track", position: Number(bar.value) }),
  );
  const scroll = el("div", "vt-scroll");
  scroll.append(step("faster", "\u25c0"), bar, step("slower", "\u25b6"));
  const ends = el("div", "vt-speed-ends");
  ends.append(el("span", null, tr("Fast")), el("span", null, tr("Slow")));
  frame.append(ends, scroll);
  return { frame, bar };
}

function playerGroup(text, first, checks) {
  const frame = group(text);
  boxTexts.forEach((boxText, i) => {
    const index = first + i;
    const label = el("label", "vt-check-box");
    const check = el("input");
    check.type = "checkbox";
    check.dataset.box = String(index);
    // A plain box: the click is reported, and only the game changes the mark.
    check.addEventListener("click", () => {
      check.checked = !!(shown.state.marks && shown.state.marks[index]);
      act({ type: "toggle", box: index });
    });
    label.append(check, el("span", null, tr(boxText)));
    frame.append(label);
    checks[index] = check;
  });
  return frame;
}

// onAction gets { type: "toggle", box }, { type: "speed", move: "faster" | "slower" |
// "track", position } or { type: "ok" }.
export function openControls(state, onAction) {
  if (shown) {
    shown.onAction = onAction;
    show(state);
    return;
  }
  const d = openDialog("controls", tr(" Game Configuration"));
  const { frame, bar } = speedGroup();
  const checks = [];
  const players = el("div", "vt-players");
  players.append(
    playerGroup("Player 1 (Red) Control", 0, checks),
    playerGroup("Player 2 (BLUE) Control", boxTexts.length, checks),
  );
  const ok = button(d, "ok", tr("O K"), true, () => act({ type: "ok" }));
  const pads = [0, 1].map((i) => {
    const line = el("div", "vt-pad");
    line.dataset.pad = String(i);
    return line;
  });
  d.body.append(frame, players, buttonRow(ok), ...pads);
  // The arrow keys on the bar step the speed through the game, as its arrow buttons do.
  d.onKey = (e) => {
    if (e.target !== bar) return false;
    const faster = e.key === "ArrowLeft" || e.key === "ArrowUp";
    const slower = e.key === "ArrowRight" || e.key === "ArrowDown";
    if (!faster && !slower) return false;
    act({ type: "speed", move: faster ? "faster" : "slower" });
    return true;
  };
  shown = { dialog: d, checks, bar, pads, onAction, state };
  show(state);
  showDialog(d, ok);
}

export function updateControls(state) {
  if (shown) show(state);
}

export function closeControls() {
  if (!shown) return;
  closeDialog(shown.dialog);
  shown = null;
}
