// Touch controls for phones and tablets: turn left and right, forward and reverse, pause and
// race again, sized for thumbs, below the picture in portrait and beside it in landscape. They
// show on a touch screen (a coarse pointer, or the first touch anywhere). The four driving
// controls stand for player 1's keys and go through the keys' own latch (screen.js): the game
// samples it once a tick, so a tap that starts and ends between two ticks still counts at the
// next. A thumb may slide from one control to another; pause and retry act once a touch, as
// their keys do.
import { i18n } from "./i18n.js";
import { Key } from "./protocol.js";
import { keys, screen } from "./screen.js";
import { ui } from "./ui.js";

const kContext = "Touch";
i18n.add(kContext, {
  左に曲がる: "Turn left",
  右に曲がる: "Turn right",
  前進: "Forward",
  後退: "Reverse",
  一時停止: "Pause",
  もう一度: "Race again",
});

// The controls in their groups: a game key each (by the program's key name), or an act.
const kGroups = [
  [
    "steer",
    [
      { name: "left", key: "Left", glyph: "\u25c0", text: "左に曲がる" },
      { name: "right", key: "Right", glyph: "\u25b6", text: "右に曲がる" },
    ],
  ],
  [
    "game",
    [
      {
        name: "pause",
        act: () => keys.onPause && keys.onPause(),
        glyph: "\u2759\u2759",
        text: "一時停止",
      },
      {
        name: "retry",
        act: () => keys.onRetry && keys.onRetry(),
        glyph: "\u21ba",
        text: "もう一度",
      },
    ],
  ],
  [
    "drive",
    [
      { name: "forward", key: "Up", glyph: "\u25b2", text: "前進" },
      { name: "reverse", key: "Down", glyph: "\u25bc", text: "後退" },
    ],
  ],
];

const pad = document.getElementById("touch");
const byNode = new Map(); // each control's node: its description
const touching = new Map(); // pointer id: the control it is on
let built = false;

function build() {
  for (const [group, controls] of kGroups) {
    const box = ui.el("div", "vt-touch-" + group);
    for (const control of controls) {
      const node = ui.el("div", "vt-touch-button", control.glyph);
      node.dataset.touch = control.name;
      node.setAttribute("role", "button");
      byNode.set(node, control);
      box.append(node);
    }
    pad.append(box);
  }
  const texts = () => {
    for (const [node, control] of byNode) {
      node.setAttribute("aria-label", i18n.tr(kContext, control.text));
    }
  };
  texts();
  i18n.onChange(texts);
  built = true;
}

// Whether a pointer still holds the control.
const held = (node) => [...touching.values()].includes(node);

function hold(pointer, node) {
  const was = touching.get(pointer);
  if (was === node) return;
  touching.delete(pointer);
  if (was && !held(was)) {
    was.classList.remove("vt-down");
    keys.release(Key[byNode.get(was).key]);
  }
  if (!node) return;
  touching.set(pointer, node);
  node.classList.add("vt-down");
  keys.press(Key[byNode.get(node).key]);
}

function letGo(pointer) {
  const node = touching.get(pointer);
  if (byNode.get(node)?.key) hold(pointer, null);
  else if (node) {
    touching.delete(pointer);
    if (!held(node)) node.classList.remove("vt-down");
  }
}

function controlAt(x, y) {
  const node = document.elementFromPoint(x, y);
  const control = node && node.closest("[data-touch]");
  return control && pad.contains(control) ? control : null;
}

function listen() {
  pad.addEventListener("pointerdown", (e) => {
    const node = e.target.closest("[data-touch]");
    if (!node) return;
    // As with the keys, nothing acts while a menu is open; the tap closes it.
    if (ui.dialogOpen() || ui.menuOpen()) {
      ui.closeMenu();
      return;
    }
    // Its lifting comes back here wherever the pointer has gone.
    node.setPointerCapture(e.pointerId);
    const control = byNode.get(node);
    if (control.key) {
      hold(e.pointerId, node);
    } else {
      touching.set(e.pointerId, node);
      node.classList.add("vt-down");
      control.act();
    }
  });
  // A touch stays with the control it began on (the browser captures it there); a driving
  // control hands it to the one the thumb slides onto.
  pad.addEventListener("pointermove", (e) => {
    const node = touching.get(e.pointerId);
    if (!node || !byNode.get(node).key) return;
    const over = controlAt(e.clientX, e.clientY);
    hold(e.pointerId, over && byNode.get(over).key ? over : null);
  });
  for (const type of ["pointerup", "pointercancel", "lostpointercapture"]) {
    pad.addEventListener(type, (e) => letGo(e.pointerId));
  }
  pad.addEventListener("contextmenu", (e) => e.preventDefault());
  window.addEventListener("blur", () => [...touching.keys()].forEach(letGo));
}

function show() {
  if (!built) {
    build();
    listen();
  }
  document.documentElement.classList.add("vt-touch");
  pad.hidden = false;
  screen.fit();
}

export const touchControls = {
  shown: () => !pad.hidden,
};

const coarse = window.matchMedia("(pointer: coarse)");
if (coarse.matches) show();
coarse.addEventListener("change", () => coarse.matches && show());
window.addEventListener("touchstart", show, { once: true, passive: true });
