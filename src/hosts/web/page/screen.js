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

// Whole multiples of the client area by default: the largest that fits the space left.
function fit() {
  const area = document.getElementById("game");
  const full = document.fullscreenElement === area;
  const top = full ? 0 : area.getBoundingClientRect().top + window.scrollY;
  const shownWidth = shape.shownWidth;
  const room = {
    w: window.innerWidth - (full ? 0 : 16),
    h: (window.innerHeight - top - (full ? 0 : 48)) * (kHeight / (kHeight + (full ? 0 : 72))),
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
  const below = document.getElementById("panel");
  below.style.width = w + "px";
  below.style.height = Math.round((72 * h) / kHeight) + "px";
}
window.addEventListener("resize", fit);
document.addEventListener("fullscreenchange", fit);

screen.toggleFullScreen = function () {
  const area = document.getElementById("game");
  if (document.fullscreenElement) {
    document.exitFullscreen().catch(() => {});
  } else if (area.requestFullscreen) {
    area.requestFullscreen().catch(() => {});
  }
};

// ---- Keyboard: a key counts when it is held, or was pressed since the game last asked.
// The browser's key codes by the game's key names; their numbers come from the program. Ctrl
// is never a game key here: the browser keeps its shortcuts (Ctrl+W closes the tab), and the
// button steers nothing.
const kGameKeys = {
  ShiftLeft: "Shift",
  ShiftRight: "Shift",
  ArrowLeft: "Left",
  ArrowUp: "Up",
  ArrowRight: "Right",
  ArrowDown: "Down",
  KeyA: "A",
  KeyD: "D",
  KeyS: "S",
  KeyW: "W",
  KeyX: "X",
};
// By the program's key number: held now, and pressed since the game last asked.
const held = new Map();
const pressed = new Map();
const gameKey = (code) => (code in kGameKeys ? Key[kGameKeys[code]] : undefined);

export const keys = {
  downOrPressed(index) {
    const on = held.get(index) === true || pressed.get(index) === true;
    pressed.delete(index);
    return on;
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
  if (event.code === "F11") {
    event.preventDefault();
    screen.toggleFullScreen();
    return;
  }
  const index = gameKey(event.code);
  if (index !== undefined) {
    held.set(index, true);
    pressed.set(index, true);
    event.preventDefault(); // arrows would scroll the page
    return;
  }
  if (event.repeat) {
    return;
  }
  if ((event.code === "KeyP" || event.code === "Pause") && keys.onPause) {
    event.preventDefault();
    keys.onPause();
  } else if ((event.code === "KeyR" || event.code === "Backspace") && keys.onRetry) {
    event.preventDefault();
    keys.onRetry();
  }
});
window.addEventListener("keyup", (event) => {
  const index = gameKey(event.code);
  if (index !== undefined) {
    held.delete(index);
  }
});
// Keys let go while the page had no focus never report it.
window.addEventListener("blur", () => held.clear());

// ---- Gamepads (the browser's standard mapping): the first two connected are joysticks 1, 2.
const kAxisMax = 65535;
const kRest = 0.25;

function connectedPads() {
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

export const pads = {
  read(id) {
    const pad = connectedPads()[id];
    if (!pad) {
      return null;
    }
    let buttons = 0;
    for (let i = 0; i < 8; ++i) {
      if (down(pad, i)) buttons |= 1 << i;
    }
    return {
      x: axis(pad.axes[0] || 0, down(pad, 14), down(pad, 15)),
      y: axis(pad.axes[1] || 0, down(pad, 12), down(pad, 13)),
      buttons,
      back: down(pad, 8),
      start: down(pad, 9),
    };
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
