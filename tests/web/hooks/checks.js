// The browser tests' hooks into the running page, and nothing a player's page loads: the tests
// serve this folder beside the page's (at /hooks/) and import this module into the page once
// it is open. It reads the page's modules through its one entry, the copy the page runs (the
// build bundles them into main.js), and the program's self-checks (web_checks.cpp), and offers
// them as the one global `vantrellChecks`.
import {
  attached,
  audio,
  Command,
  holdTicks,
  hostState as host,
  i18n,
  panel,
  ui,
  unsaved,
  world,
  worldRun,
} from "../main.js";

// The program's exports are called directly: Emscripten's ccall would wait for the suspended
// event loop instead of answering.
function exportedText(name) {
  const program = attached();
  return program.UTF8ToString(program["_" + name]());
}

const checks = {
  host,
  audio,
  panel,
  i18n,
  Command,
  dialogOpen: () => ui.dialogOpen(),
  menuOpen: () => ui.menuOpen(),
  // No ticks while held, and none owed after: what happens meanwhile falls between two ticks.
  holdTicks,
  // Whether the page's server answered the world table's API (the page asks once a visit).
  worldAvailable: () => world.available(),
  unsaved,
  // The local table's best run as the world table takes it (program.js).
  worldRun,
  // Every store of the game folder asked for so far has reached the browser's database: the
  // program answers the last event first (it stores after a command), then its stores finish.
  async settled() {
    await new Promise((done) => setTimeout(done, 50));
    const program = attached();
    if (program && program.vtSyncs) await program.vtSyncs;
  },
  // The store a tab makes first after its start: what the database lacks or holds older.
  storeFirst: () =>
    new Promise((done, fail) => attached().vtStoreNewer((error) => (error ? fail(error) : done()))),
  state: () => JSON.parse(exportedText("vt_state")),
  tablesDigest: () => exportedText("vt_tables_digest"),
  frameLog: () => exportedText("vt_frame_log"),
  verifyRecords: () => exportedText("vt_verify_records"),
  // The recording (2400 bytes) drives player 1 in the next solo race, which pauses after
  // `pauseAfter` ticks (0: never).
  driveNextSolo(bytes, pauseAfter) {
    const program = attached();
    const pointer = program._malloc(bytes.length);
    program.HEAPU8.set(bytes, pointer);
    const ok = program._vt_drive_next_solo(pointer, bytes.length, pauseAfter) === 1;
    program._free(pointer);
    return ok;
  },
};

window.vantrellChecks = checks;
