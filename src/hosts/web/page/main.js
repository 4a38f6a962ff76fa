// The page's one entry: loads the translations (every text the game shows goes through them),
// creates the program (vantrell.js, the ES module Emscripten writes), reads the numbers the two
// share, and starts it. `page` below is everything the program calls on the page: the program
// reaches it as Module.page, from its one bridge file (web_bridge.cpp).
import { archive } from "./archive.js";
import { audio } from "./audio.js";
import * as host from "./host.js";
import { i18n } from "./i18n.js";
import { panel } from "./panel.js";
import { attach } from "./program.js";
import { learn, ViewMode } from "./protocol.js";
import { keys, pads, screen } from "./screen.js";
import { ui } from "./ui.js";
import { about, ask, chooseFile, helpPage, message, yesNo } from "./ui_dialogs.js";
import { askName, chooseRuns, hiScoreList } from "./ui_records.js";
import { chooseStage } from "./ui_stages.js";
import { offerKeys } from "./ui_keys.js";
import { touchControls } from "./ui_touch.js";
import { viewSwitches } from "./ui_view.js";
import { offerWorld } from "./ui_world.js";
import { world } from "./world.js";

const page = {
  loadEffect: audio.loadEffect,
  playEffect: audio.playEffect,
  stopEffect: audio.stopEffect,
  openMusic: audio.openMusic,
  playMusic: audio.playMusic,
  stopMusic: audio.stopMusic,
  closeMusic: audio.closeMusic,

  keyDownOrPressed: keys.downOrPressed,
  readPad: pads.read,
  startTimer: host.startTimer,
  stopTimer: host.stopTimer,
  loadSpeed: host.loadSpeed,
  storeSpeed: host.storeSpeed,

  message,
  yesNo,
  ask,
  askName,
  hiScoreList,
  chooseRuns,
  chooseFile,
  chooseStage,
  archive,
  about,
  helpPage,

  present: screen.present,
  status: screen.status,
  setCheck: ui.setCheck,
  paused: screen.paused,

  raceDisplay: panel.show,
  courseMap: panel.map,

  nextEvent: host.nextEvent,
  download: host.download,
  ready(menu) {
    host.ready(menu);
    offerKeys();
    offerWorld().catch((error) => console.warn("vantrell: the world table:", error));
  },
  afterStart: host.afterStart,
  openControls: host.controls.open,
  updateControls: host.controls.update,
  closeControls: host.controls.close,
  fail: host.fail,
  translate: (context, text) => i18n.tr(context, text),
};

// The view's size choice under the picture (the picture mode beside it once the program has
// said which modes it has). A phone's picture is stretched to its width unless the player chose.
function viewControls() {
  const select = document.getElementById("scaling");
  const label = document.getElementById("scaling-label");
  const texts = () => {
    label.textContent = i18n.tr("ViewMenu", "画面の表示");
    select.options[0].text = i18n.tr("ViewMenu", "整数倍だけ（くっきりした画素）");
    select.options[1].text = i18n.tr("ViewMenu", "ウィンドウに合わせて伸ばす");
    document.documentElement.lang = i18n.language;
  };
  texts();
  i18n.onChange(texts);
  select.value =
    localStorage.getItem("vantrell.scaling") || (touchControls.shown() ? "stretch" : "whole");
  screen.setStretch(select.value === "stretch");
  select.addEventListener("change", () => {
    localStorage.setItem("vantrell.scaling", select.value);
    screen.setStretch(select.value === "stretch");
    select.blur();
  });
}

// The picture modes, as the desktop's picture menu names them; their numbers come from the
// program. The choice is kept in the browser, as the desktop keeps it in its settings file.
const kModeTexts = {
  original: "元の画面",
  sharp2: "くっきり ×2",
  sharp4: "くっきり ×4",
  wide: "ワイド 16:9（くっきり ×4）",
};
const kModeKey = "vantrell.view";

function modeControl() {
  const select = document.getElementById("view-mode");
  for (const name of Object.keys(ViewMode)) select.append(new Option("", name));
  const texts = () => {
    for (const option of select.options) {
      option.text = i18n.tr("ViewMenu", kModeTexts[option.value] || option.value);
    }
    select.setAttribute("aria-label", i18n.tr("ViewMenu", "画面の表示"));
  };
  texts();
  i18n.onChange(texts);
  const stored = localStorage.getItem(kModeKey);
  select.value = stored !== null && Object.hasOwn(ViewMode, stored) ? stored : "original";
  if (select.value !== "original") host.viewMode(ViewMode[select.value]);
  select.addEventListener("change", () => {
    localStorage.setItem(kModeKey, select.value);
    host.viewMode(ViewMode[select.value]);
    select.blur();
  });
}

window.addEventListener("pointerdown", () => audio.unlock());
host.afterStart(audio.warm);
host.afterStart(pads.wake);
// The service worker keeps the game for offline play (sw.js); it fetches the files of the build
// again, so it is registered only once the game is moving.
host.afterStart(() => {
  if ("serviceWorker" in navigator) navigator.serviceWorker.register("sw.js").catch(() => {});
});

// The program as index.html began compiling it while the page loaded; when that failed (a
// server that does not call it application/wasm), from its bytes, saying why.
function instantiateEarly(compiling) {
  return (imports, receive) => {
    compiling
      .catch((error) => {
        console.warn("vantrell: the program could not be compiled as it arrived:", String(error));
        return fetch("vantrell.wasm")
          .then((response) => response.arrayBuffer())
          .then((bytes) => WebAssembly.compile(bytes));
      })
      .then((module) =>
        WebAssembly.instantiate(module, imports).then((instance) => receive(instance, module)),
      )
      .catch((error) => host.fail("The game could not start: " + error));
    return {};
  };
}

// The translations, the program and its files all load at once (index.html has asked for them
// before this module runs); the program's main starts once the texts are in.
async function start() {
  world.available(); // asked beside the start-up files: the world entries need the answer
  const translations = fetch("translations.json")
    .then((response) => (response.ok ? response.json() : {}))
    .catch(() => ({}));
  const early = window.vantrellEarly || {};
  const created = import("./vantrell.js").then(
    (module) =>
      module.default({
        page,
        print: (text) => console.log(text),
        printErr: (text) => console.warn(text),
        onAbort: (what) => host.fail("The game stopped: " + what),
        vtEarlyFolder: early.folder,
        ...(early.program && { instantiateWasm: instantiateEarly(early.program) }),
      }),
    () => null,
  );
  i18n.load(await translations);
  viewControls();
  viewSwitches();
  const program = await created;
  if (!program) {
    host.fail("vantrell.js could not be loaded.");
    return;
  }
  attach(program);
  learn(JSON.parse(program.UTF8ToString(program._vt_protocol())));
  modeControl();
  program.callMain([]);
}

start().catch((error) => host.fail("The game could not start: " + error));

// The build bundles this module and those it imports into one file, so a page module imported
// on its own would be a second copy. What the browser tests read of the running page is reached
// through here, the one copy the page runs.
export { audio, i18n, panel, ui, world };
// host.js's state (started, failed, tick times), not the module: main.js names that `host`.
export { holdTicks, host as hostState } from "./host.js";
export { attached, unsaved, worldRun } from "./program.js";
export { Command } from "./protocol.js";
