// The page's side of the host: the events the game waits for (ticks from a fixed-step loop,
// menu commands, pause and retry), the game folder in the browser's database, uploads and
// downloads, and the start-up that loads the translations and then the program.
(function () {
  "use strict";
  const VT = (window.VT = window.VT || {});

  // Event numbers, as the C++ host reads them (web_host.cpp).
  const kTick = 1, kCommand = 2, kPause = 3, kRetry = 4, kToggle = 7, kSpeed = 8, kOk = 9;
  const kPads = 10;
  // After a stall (a slow frame, a dialog) the game catches up at most this many ticks.
  const kMaxCatchUp = 4;

  const queue = [];
  let waiting = null;
  const timer = { running: false, period: 16, last: 0, due: 0 };

  function post(type, a = 0, b = 0) {
    if (type === kTick) {
      const pending = queue.find((e) => e.type === kTick);
      if (pending) {
        pending.a = Math.min(pending.a + a, kMaxCatchUp);
        return;
      }
    }
    if (type === kPads) {
      const pending = queue.find((e) => e.type === kPads);
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

  const status = document.getElementById("status");

  // How long the program takes over each tick: from handing it a tick event to its asking for
  // the next event, divided by the ticks in it.
  const tickTimes = [];
  let tickStarted = null;
  function handOver(event) {
    const now = performance.now();
    if (tickStarted) {
      tickTimes.push((now - tickStarted.at) / tickStarted.ticks);
      if (tickTimes.length > 2000) tickTimes.shift();
    }
    tickStarted = event && event.type === kTick ? { at: now, ticks: Math.max(1, event.a) } : null;
    return event;
  }

  VT.host = {
    post,
    tickTimes,
    nextEvent() {
      handOver(null);
      if (queue.length > 0) {
        return Promise.resolve(handOver(queue.shift()));
      }
      return new Promise((resolve) => (waiting = (event) => resolve(handOver(event))));
    },
    timerStart(periodMs) {
      timer.running = true;
      timer.period = Math.max(1, periodMs);
      timer.last = performance.now();
      timer.due = 0;
    },
    timerStop() {
      timer.running = false;
      for (let i = queue.length - 1; i >= 0; --i) {
        if (queue[i].type === kTick) queue.splice(i, 1);
      }
    },
    newString(text) {
      const bytes = new TextEncoder().encode(String(text));
      const pointer = Module._malloc(bytes.length + 1);
      Module.HEAPU8.set(bytes, pointer);
      Module.HEAPU8[pointer + bytes.length] = 0;
      return pointer;
    },
    // Reads the database into the game folder (populate) or stores the folder's changes in it,
    // in one database transaction.
    syncFiles(populate) {
      return new Promise((resolve) =>
        Module.FS.syncfs(!!populate, (error) => {
          if (error) console.warn("vantrell: the game folder could not be stored:", error);
          resolve();
        })
      );
    },
    // Hands the bytes the game saved to the browser as a download named `name`.
    download(name, bytes) {
      const link = document.createElement("a");
      link.href = URL.createObjectURL(new Blob([bytes], { type: "application/octet-stream" }));
      link.download = name;
      document.body.appendChild(link);
      link.click();
      link.remove();
      setTimeout(() => URL.revokeObjectURL(link.href), 10000);
    },
    // The controls dialog names the pads it would use; the game's state does not know them.
    updateControls(state) {
      state.pads = [VT.pads.name(0), VT.pads.name(1)];
      VT.ui.updateControls(state);
    },
    openControls(state) {
      state.pads = [VT.pads.name(0), VT.pads.name(1)];
      VT.ui.openControls(state, (action) => {
        if (action.type === "toggle") post(kToggle, action.box);
        else if (action.type === "speed")
          post(kSpeed, { faster: 0, slower: 1, track: 2 }[action.move], action.position | 0);
        else if (action.type === "ok") post(kOk);
      });
    },
    // The game is up: its menu, the keys that act on the game, the loop.
    ready(menu) {
      VT.ui.init({ menu, onCommand: (command) => post(kCommand, command) });
      VT.keys.onPause = () => post(kPause);
      VT.keys.onRetry = () => post(kRetry);
      status.hidden = true;
      VT.host.started = true;
      VT.host.loadMs = performance.now();
      requestAnimationFrame(frame);
    },
    fail(message) {
      status.hidden = false;
      status.textContent = message;
      VT.host.failed = message;
    },
  };

  // The program's self-checks, for tests and measurements. They call its exports directly:
  // Emscripten's ccall would wait for the suspended event loop instead of answering.
  function exportedText(name) {
    return Module.UTF8ToString(Module["_" + name]());
  }
  VT.check = {
    state: () => JSON.parse(exportedText("vt_state")),
    tablesDigest: () => exportedText("vt_tables_digest"),
    frameLog: () => exportedText("vt_frame_log"),
    verifyRecords: () => exportedText("vt_verify_records"),
    // The recording (2400 bytes) drives player 1 in the next solo race, which pauses after
    // `pauseAfter` ticks (0: never).
    driveNextSolo(bytes, pauseAfter) {
      const pointer = Module._malloc(bytes.length);
      Module.HEAPU8.set(bytes, pointer);
      const ok = Module._vt_drive_next_solo(pointer, bytes.length, pauseAfter) === 1;
      Module._free(pointer);
      return ok;
    },
  };

  // Fixed steps at the game speed, however often the browser draws; nothing while the tab is
  // hidden (the browser stops animation frames) and no burst when it comes back.
  function frame(now) {
    requestAnimationFrame(frame);
    // The game reads the pads' Start buttons itself, between ticks too.
    if (VT.pads.any()) post(kPads, VT.pads.listening() ? 1 : 0);
    if (!timer.running || document.hidden) {
      timer.last = now;
      return;
    }
    timer.due += now - timer.last;
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
    post(kTick, ticks);
  }
  document.addEventListener("visibilitychange", () => {
    timer.last = performance.now();
    timer.due = 0;
  });
  // The game asks about unsaved runs when its window closes; a tab can only have the browser ask.
  window.addEventListener("beforeunload", (event) => {
    if (VT.host.started && Module._vt_unsaved() === 1) {
      event.preventDefault();
      event.returnValue = "";
    }
  });
  window.addEventListener("pointerdown", () => VT.audio && VT.audio.unlock && VT.audio.unlock());

  // The view's size choice and full screen, under the picture.
  function viewControls() {
    const select = document.getElementById("scaling");
    const label = document.getElementById("scaling-label");
    const full = document.getElementById("fullscreen");
    const texts = () => {
      label.textContent = VT.i18n.tr("ViewMenu", "画面の表示");
      select.options[0].text = VT.i18n.tr("ViewMenu", "整数倍だけ（くっきりした画素）");
      select.options[1].text = VT.i18n.tr("ViewMenu", "ウィンドウに合わせて伸ばす");
      full.textContent = VT.i18n.tr("ViewMenu", "全画面表示");
      document.documentElement.lang = VT.i18n.language;
    };
    texts();
    VT.i18n.onChange(texts);
    select.value = localStorage.getItem("vantrell.scaling") || "whole";
    VT.screen.setStretch(select.value === "stretch");
    select.addEventListener("change", () => {
      localStorage.setItem("vantrell.scaling", select.value);
      VT.screen.setStretch(select.value === "stretch");
      select.blur();
    });
    full.addEventListener("click", () => {
      VT.screen.toggleFullScreen();
      full.blur();
    });
  }

  // Translations first (every text the game shows goes through them), then the program.
  window.Module = {
    canvas: document.getElementById("screen"),
    print: (text) => console.log(text),
    printErr: (text) => console.warn(text),
    setStatus: (text) => {
      if (text && !VT.host.started) status.textContent = text;
    },
    onAbort: (what) => VT.host.fail("The game stopped: " + what),
  };
  fetch("translations.json")
    .then((response) => (response.ok ? response.json() : {}))
    .catch(() => ({}))
    .then((json) => {
      VT.i18n.load(json);
      viewControls();
      const script = document.createElement("script");
      script.src = "vantrell.js";
      script.onerror = () => VT.host.fail("vantrell.js could not be loaded.");
      document.body.appendChild(script);
    });
})();
