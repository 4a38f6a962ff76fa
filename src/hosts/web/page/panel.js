// The race display below the picture, as on the desktop: the clock and the time left (ticks
// with their seconds, as the program writes them), a missed run against rank 10, "Time up", the
// checkpoints passed with the split against the reference run (green ahead, red behind), and a
// small map of the course with both craft and the next checkpoint, and notches on its side
// edges where the course runs over one and comes back at the other.
import { i18n } from "./i18n.js";

const kHeight = 72;
const kMargin = 4;
const kMapSize = 64;
let courseUnits = 1; // the course's size in its own units, from the program's map
let width = 248; // the picture's width in the window's units: the map stays at the right
const canvas = document.getElementById("panel");
const context = canvas.getContext("2d", { alpha: false });
// The course scaled down once, when the stage changes, not on every tick.
const course = document.createElement("canvas");
let shown = null;
let splitsShown = true; // the player's switch (ui_view.js)

const tr = (text, ...values) =>
  values.reduce((t, v, i) => t.replace("%" + (i + 1), String(v)), i18n.tr("RaceDisplay", text));
const onMap = ([x, y]) => [
  width - kMargin - kMapSize + (Math.min(Math.max(x, 0), courseUnits - 1) * kMapSize) / courseUnits,
  (kHeight - kMapSize) / 2 + (Math.min(Math.max(y, 0), courseUnits - 1) * kMapSize) / courseUnits,
];

function draw() {
  const d = shown;
  context.fillStyle = "rgb(16,16,24)";
  context.fillRect(0, 0, width, kHeight);
  if (!d) return;
  context.font = "13px 'IPAPGothic', 'VL PGothic', 'Noto Sans CJK JP', sans-serif";
  context.textBaseline = "middle";
  context.fillStyle = "#fff";
  // The times come as the program writes them, seconds beside the ticks.
  const line = 16;
  const row = (index) => 4 + index * line + line / 2;
  let clock = d.timed ? tr("タイム %1", d.time) : tr("タイム --");
  let left = d.timed ? tr("残り %1", d.left) : tr("残り --");
  if (d.missed) {
    clock = tr("今回 %1", d.missed.time);
    left = tr("10位 %1", d.missed.lastPlace);
  }
  const passed = d.timed
    ? tr("チェックポイント %1/%2", d.passed, d.checkpoints)
    : tr("チェックポイント --");
  context.fillText(clock, kMargin, row(0));
  context.fillText(left, kMargin, row(1));
  context.fillText(passed, kMargin, row(2));
  if (d.split && splitsShown) {
    const value = d.split.value > 0 ? "+" + d.split.value : String(d.split.value);
    context.fillStyle = d.split.value <= 0 ? "rgb(64,224,64)" : "rgb(240,64,64)";
    if (!d.split.total) {
      context.fillText(value, kMargin + context.measureText(passed + "  ").width, row(2));
    } else if (!d.timeUp) {
      context.fillText(tr("合計 %1", value), kMargin, row(3));
    }
  }
  // The status strip keeps its banner; the panel says it in the player's language.
  if (d.timeUp) {
    context.fillStyle = "#fff";
    context.fillText(tr("時間切れ"), kMargin, row(3));
  } else if (d.hint && !(d.split && splitsShown && d.split.total)) {
    context.fillStyle = "#fff";
    context.fillText(tr(d.hint), kMargin, row(3));
  }
  const mapLeft = width - kMargin - kMapSize;
  const top = (kHeight - kMapSize) / 2;
  if (course.width > 0) context.drawImage(course, mapLeft, top);
  context.strokeStyle = "rgb(128,128,128)";
  context.strokeRect(mapLeft - 0.5, top - 0.5, kMapSize + 1, kMapSize + 1);
  context.fillStyle = "rgb(96,224,255)";
  for (const row of d.wraps || []) {
    const y = Math.round(onMap([0, row])[1]);
    context.fillRect(mapLeft - 4, y - 2, 3, 5);
    context.fillRect(mapLeft + kMapSize + 2, y - 2, 3, 5);
  }
  if (d.next) {
    const [x, y] = onMap(d.next);
    context.strokeStyle = "rgb(255,240,0)";
    context.strokeRect(Math.round(x) - 1.5, Math.round(y) - 1.5, 4, 4);
  }
  for (const [point, colour] of [
    [d.second, "rgb(64,128,255)"],
    [d.first, "rgb(255,48,48)"],
  ]) {
    const [x, y] = onMap(point);
    context.fillStyle = colour;
    context.fillRect(Math.round(x) - 1, Math.round(y) - 1, 3, 3);
  }
}

// Drawn once per animation frame at most, however many ticks that frame brought.
let drawPending = false;
function drawSoon() {
  if (drawPending) return;
  drawPending = true;
  requestAnimationFrame(() => {
    drawPending = false;
    draw();
  });
}

export const panel = {
  show(display) {
    shown = display;
    drawSoon();
  },
  // The course part of the stage's picture, one pixel a course unit.
  map(pixels, size) {
    courseUnits = size;
    const full = document.createElement("canvas");
    full.width = size;
    full.height = size;
    full
      .getContext("2d")
      .putImageData(new ImageData(new Uint8ClampedArray(pixels.buffer), size, size), 0, 0);
    course.width = kMapSize;
    course.height = kMapSize;
    const small = course.getContext("2d");
    small.imageSmoothingEnabled = true;
    small.imageSmoothingQuality = "high";
    small.drawImage(full, 0, 0, kMapSize, kMapSize);
    draw();
  },
  // The wide picture's panel is as much wider, as the desktop window's is.
  setWidth(shownWidth) {
    if (shownWidth === width) return;
    width = shownWidth;
    canvas.width = width;
    draw();
  },
  // The splits switch: off, the panel shows no split, not even the total at the goal.
  showSplits(on) {
    splitsShown = on;
    draw();
  },
  // What the panel shows now, for tests.
  shown: () => shown,
};
i18n.onChange(draw);
