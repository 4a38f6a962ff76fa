// The race display's switches and full screen. The race display below the picture and the
// splits in it are switched at the end of the settings pop-up, as on the desktop, and kept in
// the browser ("false" when off: anything else, or nothing, reads as on). Full screen, from its
// button under the picture or its entry in the settings pop-up, holds the whole page, and both
// say how to leave while it is on.
import { i18n } from "./i18n.js";
import { panel } from "./panel.js";
import { screen } from "./screen.js";
import { ui } from "./ui.js";

const kContext = "PageView";
i18n.add(kContext, { "全画面表示を終了（Esc）": "Leave full screen (Esc)" });

const kPanelKey = "vantrell.racePanel";
const kSplitsKey = "vantrell.splits";

function read(key) {
  try {
    return localStorage.getItem(key) !== "false";
  } catch {
    return true;
  }
}

function store(key, on) {
  try {
    localStorage.setItem(key, String(on));
  } catch {
    /* kept for this visit only */
  }
}

const switches = { panel: read(kPanelKey), splits: read(kSplitsKey) };

function apply() {
  const below = document.getElementById("panel");
  below.hidden = !switches.panel;
  panel.showSplits(switches.splits);
  screen.fit(); // the picture takes the room the race display leaves, or gives it back
}

// The full-screen entry's and button's words: how to leave while the page fills the screen.
function fullScreenText() {
  return screen.fullScreen()
    ? i18n.tr(kContext, "全画面表示を終了（Esc）")
    : i18n.tr("ViewMenu", "全画面表示");
}

// The button under the picture; hidden where the browser has no full screen (a phone's may not).
function fullScreenButton() {
  const full = document.getElementById("fullscreen");
  full.hidden = !document.fullscreenEnabled;
  const texts = () => (full.textContent = fullScreenText());
  texts();
  i18n.onChange(texts);
  document.addEventListener("fullscreenchange", texts);
  full.addEventListener("click", () => {
    screen.toggleFullScreen();
    full.blur();
  });
}

export function viewSwitches() {
  apply();
  fullScreenButton();
  ui.addSwitches([
    { command: null, text: "" },
    {
      entry: "race-panel",
      text: "レース表示",
      checked: () => switches.panel,
      action: () => {
        switches.panel = !switches.panel;
        store(kPanelKey, switches.panel);
        apply();
      },
    },
    {
      entry: "splits",
      text: "スプリット表示",
      checked: () => switches.splits,
      action: () => {
        switches.splits = !switches.splits;
        store(kSplitsKey, switches.splits);
        apply();
      },
    },
  ]);
  if (document.fullscreenEnabled) {
    ui.addEntries([
      { entry: "full-screen", text: fullScreenText, fixed: true, action: screen.toggleFullScreen },
    ]);
  }
}
