// The game picture on the canvas, the keyboard and gamepads the game samples, and how large the
// picture is shown. The canvas holds the window's client area (248 x 292: the stretched view
// and the 22-row status strip) in the original picture mode; in a finer mode it holds the
// band at its own size and the strip in the same proportion below it. CSS scales the canvas to
// the client area's shape with hard pixel edges, so the finer band keeps its detail on screen.
import { audio } from "./audio.js";
import { i18n } from "./i18n.js";
import { panel } from "./panel.js";
import { Key } from "./protocol.js";
import { ui } from "./ui.js";

const kWidth = 248;
const kHeight = 292;
const kStrip = 22;
const kView = kHeight - kStrip;

const canvas = document.getElementById("screen");
const context = canvas.getContext("2d", { alpha: false });
const pauseMark = document.getElementById("pause-mark");
let stretch = false;
// What the canvas holds: the picture's columns and rows, the strip's rows below them, and the
// width of the client area they stand for (the wide mode's window is wider).
let shape = { width: kWidth, view: kView, strip: kStrip, shownWidth: kWidth };
const strip = { text: "", widthUnits: 0 };

context.fillStyle = "#808080"; // the window's background before the first frame
context.fillRect(0, 0, kWidth, kHeight);

// Black strip; the text centred by its width in half-width units of 10 pixels, drawn in the
// client area's units whatever the canvas's size.
function drawStatus() {
  context.setTransform(shape.width / shape.shownWidth, 0, 0, shape.strip / kStrip, 0, shape.view);
  context.fillStyle = "#000";
  context.fillRect(0, 0, shape.shownWidth, kStrip);
  if (strip.text) {
    context.fillStyle = "#fff";
    context.font = "bold 20px 'IPAMincho', 'IPA明朝', 'Noto Serif CJK JP', serif";
    context.textBaseline = "top";
    const x = Math.trunc((shape.shownWidth - 10 * strip.widthUnits) / 2);
    context.fillText(strip.text, x, 1, 10 * strip.widthUnits);
  }
  context.setTransform(1, 0, 0, 1, 0, 0);
}

// Another picture mode's first frame: the canvas takes the band's size (which clears it).
function reshape(width, height, shownWidth) {
  const rows = Math.round((height * kHeight) / kView);
  shape = { width, view: height, strip: rows - height, shownWidth };
  canvas.width = width;
  canvas.height = rows;
  fit();
  drawStatus();
}

export const screen = {
  width: kWidth,
  height: kHeight,
  // `width` x `height` pixels standing for `shownWidth` x 270 of the window's client area.
  present(pixels, width, height, shownWidth = kWidth) {
    if (width !== shape.width || height !== shape.view || shownWidth !== shape.shownWidth) {
      reshape(width, height, shownWidth);
    }
    const bytes = new Uint8ClampedArray(pixels.buffer, pixels.byteOffset, pixels.length);
    context.putImageData(new ImageData(bytes, width, height), 0, 0);
  },
  status(text, widthUnits) {
    strip.text = text;
    strip.widthUnits = widthUnits;
    drawStatus();
  },
  // The pause mark lies over the picture, outside the canvas: the picture itself stays as drawn.
  paused(on) {
    pauseMark.hidden = !on;
    pauseMark.textContent = i18n.tr("GameView", "PAUSE");
  },
  setStretch(on) {
    stretch = on;
    fit();
  },
};

// Whole multiples of the client area by default: the largest that fits the space left. The
// picture and the race display below it share the page's width and the height that the menu
// bar above and whatever follows below leave them; the race display keeps the picture's scale.
const area = document.getElementById("game");
const below = document.getElementById("panel");
// What follows the race display in the page's flow: the view's choices, a touch pad in
// portrait (its least height: it takes the rest), the start-up status.
const after = ["view-controls", "touch", "status"].map((id) => document.getElementById(id));
// A few pixels spare, so that rounding never brings a scroll bar.
const kSlack = 4;

function heightAfter() {
  let sum = 0;
  for (const node of after) {
    if (!node || node.hidden) continue;
    const style = getComputedStyle(node);
    if (style.display === "none" || style.position === "fixed") continue;
    const least = parseFloat(style.minHeight) || 0;
    sum += Math.max(least, node.id === "touch" ? 0 : node.offsetHeight);
    sum += parseFloat(style.marginTop) + parseFloat(style.marginBottom);
  }
  return sum;
}

function fit() {
  const touch = document.documentElement.classList.contains("vt-touch");
  const top = area.getBoundingClientRect().top + window.scrollY;
  const panelRows = below.hidden ? 0 : 72;
  const shownWidth = shape.shownWidth;
  // A phone's picture goes from edge to edge; elsewhere a small border is left.
  const margin = touch || document.fullscreenElement ? 0 : 16;
  const room = {
    w: document.documentElement.clientWidth - margin,
    h: (window.innerHeight - top - heightAfter() - kSlack) * (kHeight / (kHeight + panelRows)),
  };
  let w;
  let h;
  if (stretch) {
    const k = Math.max(0.5, Math.min(room.w / shownWidth, room.h / kHeight));
    w = Math.floor(shownWidth * k);
    h = Math.floor(kHeight * k);
  } else {
    const k = Math.max(1, Math.floor(Math.min(room.w / shownWidth, room.h / kHeight)));
    w = shownWidth * k;
    h = kHeight * k;
  }
  canvas.style.width = w + "px";
  canvas.style.height = h + "px";
  // The race display below, at the picture's width and scale.
  panel.setWidth(shownWidth);
  below.style.width = w + "px";
  below.style.height = Math.round((panelRows * h) / kHeight) + "px";
}
window.addEventListener("resize", fit);
document.addEventListener("fullscreenchange", fit);
// The choices below the picture take another line as their texts come in (their words, another
// language, a late font): the room is measured again, a frame later, when their height changes.
new ResizeObserver(() => requestAnimationFrame(fit)).observe(after[0]);
screen.fit = fit;

// Full screen holds the whole page, not the picture alone: the race display, the menus and the
// dialogs opened over the picture stay in it.
screen.fullScreen = () => document.fullscreenElement !== null;
screen.toggleFullScreen = function () {
  if (document.fullscreenElement) {
    document.exitFullscreen().catch(() => {});
  } else if (document.fullscreenEnabled) {
    document.documentElement.requestFullscreen().catch(() => {});
  }
};

// ---- Keyboard: a key counts when it is held, or was pressed since the game last asked.
// The browser's key codes as the game's key names (the settings' spelling); their numbers come
// from the program. Ctrl and Alt are never keys here: the browser keeps its shortcuts (Ctrl+W
// closes the tab).
const kNamedCodes = {
  ShiftLeft: "Shift",
  ShiftRight: "Shift",
  ArrowLeft: "Left",
  ArrowUp: "Up",
  ArrowRight: "Right",
  ArrowDown: "Down",
  Space: "Space",
  Enter: "Return",
  NumpadEnter: "Return",
  Backspace: "Backspace",
  Tab: "Tab",
  Pause: "Pause",
  Insert: "Insert",
  Delete: "Delete",
  Home: "Home",
  End: "End",
  PageUp: "PageUp",
  PageDown: "PageDown",
  Comma: "Comma",
  Period: "Period",
  Slash: "Slash",
  Semicolon: "Semicolon",
  Minus: "Minus",
  Equal: "Equal",
};
export function keyName(code) {
  if (code in kNamedCodes) return kNamedCodes[code];
  const m = /^(?:Key([A-Z])|(?:Digit|Numpad)([0-9])|(F(?:[1-9]|1[0-2])))$/.exec(code);
  return m ? m[1] || m[2] || m[3] : undefined;
}
// By the program's key number: held now, and pressed since the game last asked.
const held = new Map();
const pressed = new Map();
// The action each bound key's name does ("Set1Forward", "Pause", ...), set from the keys the
// player chose.
let boundTo = new Map();
let firstKey = new Map(); // action: the number of its first bound key

export const keys = {
  downOrPressed(index) {
    const on = held.get(index) === true || pressed.get(index) === true;
    pressed.delete(index);
    return on;
  },
  // A game key goes down or up (the keyboard's, or a touch control standing for one): a press
  // counts at the game's next look even when the key is up again by then.
  press(index) {
    held.set(index, true);
    pressed.set(index, true);
  },
  release(index) {
    held.delete(index);
  },
  // The keys in use: {action: [key or pad button names]}.
  use(table) {
    boundTo = new Map();
    firstKey = new Map();
    for (const [action, names] of Object.entries(table)) {
      for (const name of names) boundTo.set(name, action);
      const key = names.find((name) => Key[name] !== undefined);
      if (key !== undefined) firstKey.set(action, Key[key]);
    }
  },
  // The number of the first key bound to an action ("Set1Forward"), for a touch control that
  // stands for it; undefined when only pad buttons or nothing are bound to it.
  keyFor(action) {
    return firstKey.get(action);
  },
  // Keys the page itself acts on; the host posts their events.
  onPause: null,
  onRetry: null,
};

function busy() {
  return ui.dialogOpen() || ui.menuOpen();
}

window.addEventListener("keydown", (event) => {
  audio.unlock();
  // Alt+Enter as on the desktop; the help names both.
  if (event.altKey && event.code === "Enter" && !event.ctrlKey && !event.metaKey && !busy()) {
    event.preventDefault();
    if (!event.repeat) screen.toggleFullScreen();
    return;
  }
  if (event.ctrlKey || event.metaKey || event.altKey || busy()) {
    return;
  }
  const name = keyName(event.code);
  const action = boundTo.get(name);
  if (action === "FullScreen") {
    event.preventDefault();
    if (!event.repeat) screen.toggleFullScreen();
    return;
  }
  if (action === "Pause" || action === "Retry") {
    event.preventDefault();
    const act = action === "Pause" ? keys.onPause : keys.onRetry;
    if (!event.repeat && act) act();
    return;
  }
  if (name !== undefined && Key[name] !== undefined) {
    keys.press(Key[name]);
    // Bound keys act for the game alone (arrows would scroll the page); the rest stay the
    // browser's too.
    if (action !== undefined) event.preventDefault();
  }
});
window.addEventListener("keyup", (event) => {
  const name = keyName(event.code);
  if (name !== undefined && Key[name] !== undefined) {
    keys.release(Key[name]);
  }
});
// Keys let go while the page had no focus never report it.
window.addEventListener("blur", () => held.clear());

// ---- Gamepads (the browser's standard mapping): the first two connected are joysticks 1, 2.
const kAxisMax = 65535;
const kRest = 0.25;
// By the browser's standard button index; -1: the d-pad, which steers.
const kPadBits = [0, 1, 2, 3, 9, 10, 11, 12, 4, 6, 7, 8, -1, -1, -1, -1, 5];

// A browser shows no pad before one is touched on the page, and its first look for pads holds
// the start several milliseconds: the pads are looked at once the game is moving.
let padsAwake = false;
function connectedPads() {
  if (!padsAwake) return [];
  const pads = navigator.getGamepads ? Array.from(navigator.getGamepads()) : [];
  return pads.filter((pad) => pad && pad.connected);
}
function down(pad, i) {
  return pad.buttons[i] !== undefined && pad.buttons[i].pressed;
}
function axis(value, minus, plus) {
  if (Math.abs(value) < kRest) {
    if (minus) return 0;
    if (plus) return kAxisMax;
  }
  return Math.round(((Math.max(-1, Math.min(1, value)) + 1) * kAxisMax) / 2);
}

// Back asks for a retry and Start for a pause only when let go alone: held together they are
// the menu button (pad_nav.js). A lone release counts for a moment after it, so the game's
// reads (once a tick, or once a frame for Start) see it once, and it is dropped if nobody reads.
const kLetGoMs = 150;
const chords = [];

function chordOf(id) {
  if (!chords[id]) {
    chords[id] = { back: false, start: false, together: false, backAt: -1e9, startAt: -1e9 };
  }
  return chords[id];
}

function readChord(id, pad) {
  const chord = chordOf(id);
  const back = down(pad, 8);
  const start = down(pad, 9);
  const now = performance.now();
  chord.together = chord.together || (back && start);
  if (chord.back && !back && !chord.together) chord.backAt = now;
  if (chord.start && !start && !chord.together) chord.startAt = now;
  if (!back && !start) chord.together = false;
  chord.back = back;
  chord.start = start;
  return chord;
}

// A stick counts for the menus once pushed past halfway.
const kMenuPush = 0.5;

export const pads = {
  wake() {
    padsAwake = true;
  },
  read(id) {
    const pad = connectedPads()[id];
    if (!pad) {
      return null;
    }
    // Bits in the game's order of a pad's buttons (A, B, X, Y, Back, Guide, Start, L3, R3, LB,
    // RB, LT, RT), read from the browser's standard order.
    let buttons = 0;
    kPadBits.forEach((bit, i) => {
      if (bit >= 0 && down(pad, i)) buttons |= 1 << bit;
    });
    return {
      x: axis(pad.axes[0] || 0, down(pad, 14), down(pad, 15)),
      y: axis(pad.axes[1] || 0, down(pad, 12), down(pad, 13)),
      buttons,
      back: performance.now() - readChord(id, pad).backAt < kLetGoMs,
      start: performance.now() - readChord(id, pad).startAt < kLetGoMs,
    };
  },
  // Both pads read for the menus and dialogs: the d-pad or left stick, A, B, and the menu
  // button (Guide, or Back and Start together).
  navigation() {
    const nav = { up: false, down: false, left: false, right: false };
    Object.assign(nav, { accept: false, back: false, menu: false });
    connectedPads()
      .slice(0, 2)
      .forEach((pad, id) => {
        const x = pad.axes[0] || 0;
        const y = pad.axes[1] || 0;
        nav.up ||= down(pad, 12) || y < -kMenuPush;
        nav.down ||= down(pad, 13) || y > kMenuPush;
        nav.left ||= down(pad, 14) || x < -kMenuPush;
        nav.right ||= down(pad, 15) || x > kMenuPush;
        nav.accept ||= down(pad, 0);
        nav.back ||= down(pad, 1);
        nav.menu ||= down(pad, 16) || readChord(id, pad).together;
      });
    return nav;
  },
  name(id) {
    const pad = connectedPads()[id];
    return pad ? pad.id : null;
  },
  // Whether a pad is connected, and whether a pad's Start may pause now (the game decides).
  any() {
    return connectedPads().length > 0;
  },
  listening() {
    return !busy();
  },
};
