// The whole game by pad: the Guide button (or Back and Start held together) opens the menu bar,
// and while a menu or a dialog is open, and only then, the d-pad or left stick moves, A accepts
// and B does what Escape does there. The pad's moves reach the menus and dialogs as the keys a
// keyboard player would press, so they behave alike. Everything else a pad does stays the
// game's. It also keeps whether the last input was a pad's, for the name box's grid.
import { pads } from "./screen.js";
import { ui } from "./ui.js";

// A held direction moves again after this long, then every kRepeatMs, as a held key repeats.
const kFirstRepeatMs = 400;
const kRepeatMs = 120;

let held = {};
let repeatAt = 0;
let lastWasPad = false;

// Only a person's keys, clicks and touches count, not the keys this module sends.
for (const type of ["keydown", "mousedown", "touchstart"]) {
  window.addEventListener(
    type,
    (event) => {
      if (event.isTrusted) lastWasPad = false;
    },
    true,
  );
}

function send(key, shiftKey = false) {
  const target = document.activeElement || document.body;
  target.dispatchEvent(
    new KeyboardEvent("keydown", { key, code: key, shiftKey, bubbles: true, cancelable: true }),
  );
}

// In a dialog: a grid takes every arrow, a list up and down; every other move goes to the
// previous or next control, as Tab does.
function move(dx, dy) {
  const arrow = dy < 0 ? "ArrowUp" : dy > 0 ? "ArrowDown" : dx < 0 ? "ArrowLeft" : "ArrowRight";
  const focused = document.activeElement;
  if (!ui.dialogOpen() || (focused && focused.dataset.padArrows !== undefined)) {
    send(arrow);
    return;
  }
  const list = focused && focused.tabIndex === 0 && !/^(BUTTON|INPUT)$/.test(focused.tagName);
  if (list && dy !== 0) send(arrow);
  else send("Tab", dy < 0 || (dy === 0 && dx < 0));
}

function accept() {
  const focused = document.activeElement;
  if (ui.dialogOpen() && focused && (focused.tagName === "BUTTON" || focused.type === "checkbox")) {
    focused.click();
  } else {
    send("Enter");
  }
}

export const padNav = {
  // Whether a pad was used after the last key press, click or touch.
  lastWasPad: () => lastWasPad,
  // Called once an animation frame.
  poll(now) {
    const nav = pads.navigation();
    const was = held;
    held = nav;
    if (Object.values(nav).some(Boolean)) lastWasPad = true;
    if (nav.menu && !was.menu) {
      if (ui.menuOpen()) ui.closeMenu();
      else if (!ui.dialogOpen()) ui.openMenu();
      return;
    }
    if (!ui.menuOpen() && !ui.dialogOpen()) return; // the pad drives
    const dx = (nav.right ? 1 : 0) - (nav.left ? 1 : 0);
    const dy = (nav.down ? 1 : 0) - (nav.up ? 1 : 0);
    const turned = ["up", "down", "left", "right"].some((d) => nav[d] !== !!was[d]);
    if (dx !== 0 || dy !== 0) {
      if (turned) {
        repeatAt = now + kFirstRepeatMs;
        move(dx, dy);
      } else if (now >= repeatAt) {
        repeatAt = now + kRepeatMs;
        move(dx, dy);
      }
    }
    if (nav.accept && !was.accept) accept();
    else if (nav.back && !was.back) send("Escape");
  },
};
