// The page's side of the host: the events the game waits for (ticks from a fixed-step loop,
// menu commands, pause and retry, the controls dialog's clicks), the game speed kept in the
// browser, downloads, and the moment the game is up.
import { unsaved } from "./program.js";
import { Event, SpeedMove } from "./protocol.js";
import { padNav } from "./pad_nav.js";
import { keys, pads } from "./screen.js";
import { ui } from "./ui.js";
import { closeControls, openControls, updateControls } from "./ui_controls.js";

// After a stall (a slow frame, a dialog) the game catches up at most this many ticks.
const kMaxCatchUp = 4;
// Work that can wait (storing the game folder, fetching the music) waits this many animation
// frames after the game is up, or this long where the tab is hidden and has none.
const kSettleFrames = 30;
const kSettleMs = 2000;
const kSpeedKey = "vantrell.speed";

const queue = [];
let waiting = null;
// `last` is the animation frame's time the timer last counted from; null until the next frame.
const timer = { running: false, period: 16, last: null, due: 0 };
const status = document.getElementById("status");

// Whether the game is up (or why it could not start), and how long the program takes over
// each tick: from handing it a tick event to its asking for the next event, divided by the
// ticks in it.
export const host = { started: false, failed: "", loadMs: 0, tickTimes: [] };

function post(type, a = 0, b = 0) {
  if (type === Event.Tick) {
    const pending = queue.find((e) => e.type === Event.Tick);
    if (pending) {
      pending.a = Math.min(pending.a + a, kMaxCatchUp);
      return;
    }
  }
  if (type === Event.Pads) {
    const pending = queue.find((e) => e.type === Event.Pads);
    if (pending) {
      pending.a = a;
      return;
    }
  }
  const event = { type, a, b };
  if (waiting) {
    const wake = waiting;
    waiting = null;
    wake(event);
  } else {
    queue.push(event);
  }
}

const later = [];
let framesUp = 0;

function settle() {
  framesUp = kSettleFrames;
  later.splice(0).forEach((job) => job());
}

// Runs `job` once the game has been up and moving for a while: its first frames come first.
export function afterStart(job) {
  if (framesUp >= kSettleFrames) job();
  else later.push(job);
}

let tickStarted = null;
function handOver(event) {
  const now = performance.now();
  if (tickStarted) {
    host.tickTimes.push((now - tickStarted.at) / tickStarted.ticks);
    if (host.tickTimes.length > 2000) host.tickTimes.shift();
  }
  tickStarted =
    event && event.type === Event.Tick ? { at: now, ticks: Math.max(1, event.a) } : null;
  return event;
}

export function nextEvent() {
  handOver(null);
  if (queue.length > 0) {
    return Promise.resolve(handOver(queue.shift()));
  }
  return new Promise((resolve) => (waiting = (event) => resolve(handOver(event))));
}

export function startTimer(periodMs) {
  timer.running = true;
  timer.period = Math.max(1, periodMs);
  // A period is owed from the start: the first tick comes with the next animation frame, about
  // a period away, as a window's timer first fires a period after it is set. The count starts
  // at that frame's own time: an animation frame's time is when the frame began, which may be
  // before now, and counting from now would leave the tick to the frame after.
  timer.last = null;
  timer.due = timer.period;
}

export function stopTimer() {
  timer.running = false;
  for (let i = queue.length - 1; i >= 0; --i) {
    if (queue[i].type === Event.Tick) queue.splice(i, 1);
  }
}

// The game speed (a tick period in milliseconds) kept in the browser; null when none is.
export function loadSpeed() {
  try {
    const value = parseInt(localStorage.getItem(kSpeedKey), 10);
    return Number.isInteger(value) ? value : null;
  } catch {
    return null;
  }
}

export function storeSpeed(periodMs) {
  try {
    localStorage.setItem(kSpeedKey, String(periodMs));
  } catch {
    /* kept for this visit only */
  }
}

export function download(name, bytes) {
  const link = document.createElement("a");
  link.href = URL.createObjectURL(new Blob([bytes], { type: "application/octet-stream" }));
  link.download = name;
  document.body.appendChild(link);
  link.click();
  link.remove();
  setTimeout(() => URL.revokeObjectURL(link.href), 10000);
}

// The controls dialog names the pads it would use; the game's state does not know them.
function withPads(state) {
  return { ...state, pads: [pads.name(0), pads.name(1)] };
}

const kMoves = { faster: "Faster", slower: "Slower", track: "Track" };

export const controls = {
  open(state) {
    openControls(withPads(state), (action) => {
      if (action.type === "toggle") post(Event.ControlsToggle, action.box);
      else if (action.type === "speed")
        post(Event.ControlsSpeed, SpeedMove[kMoves[action.move]], action.position | 0);
      else if (action.type === "ok") post(Event.ControlsOk);
    });
  },
  update(state) {
    updateControls(withPads(state));
  },
  close: closeControls,
};

// Fixed steps at the game speed, however often the browser draws; nothing while the tab is
// hidden (the browser stops animation frames) and no burst when it comes back.
function frame(now) {
  requestAnimationFrame(frame);
  if (framesUp < kSettleFrames && ++framesUp === kSettleFrames) settle();
  // The game reads the pads' Start buttons itself, between ticks too; the menus and dialogs
  // read the rest.
  if (pads.any()) {
    padNav.poll(now);
    post(Event.Pads, pads.listening() ? 1 : 0);
  }
  if (!timer.running || document.hidden || held) {
    timer.last = now;
    return;
  }
  timer.due += now - (timer.last ?? now);
  timer.last = now;
  let ticks = Math.floor(timer.due / timer.period);
  if (ticks <= 0) {
    return;
  }
  timer.due -= ticks * timer.period;
  if (ticks > kMaxCatchUp) {
    ticks = kMaxCatchUp;
    timer.due = 0;
  }
  post(Event.Tick, ticks);
}
document.addEventListener("visibilitychange", () => {
  timer.last = null;
  timer.due = 0;
});
// The game asks about unsaved runs when its window closes; a tab can only have the browser ask.
window.addEventListener("beforeunload", (event) => {
  if (host.started && unsaved()) {
    event.preventDefault();
    event.returnValue = "";
  }
});

// The page's own dialogs (the world table's) hold the game where it is, as a hidden tab does:
// no ticks while one is open, and none owed after it.
let held = false;
export function holdTicks(on) {
  held = on;
}

// A game command as if chosen from the menu (the world table's ghosts, page/ui_world.js).
export function command(number) {
  post(Event.Command, number);
}

// The picture mode by its number (protocol.js's ViewMode): the picture changes from the next
// frame, and nothing else does.
export function viewMode(number) {
  post(Event.ViewMode, number);
}

// The game is up: its menu, the keys that act on the game, the loop.
export function ready(menu) {
  ui.init({ menu, onCommand: (command) => post(Event.Command, command) });
  keys.onPause = () => post(Event.Pause);
  keys.onRetry = () => post(Event.Retry);
  status.hidden = true;
  host.started = true;
  host.loadMs = performance.now();
  requestAnimationFrame(frame);
  setTimeout(() => framesUp < kSettleFrames && settle(), kSettleMs);
}

export function fail(message) {
  status.hidden = false;
  status.textContent = message;
  host.failed = message;
}
