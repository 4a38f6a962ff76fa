// The browser build in a real browser: Debian's Chromium, headless, driven by playwright-core.
// It loads the page served on a free loopback port and checks, against the native build of the
// same source: the tables and the first frames (fingerprints from `vantrell-tool digest`), every
// stored run driven again (`vantrell-tool verify`), a solo race started from the menu with keys
// and driven by a stored recording, its picture at one tick against `vantrell-tool replay`, the
// run entered and saved, found again after a reload, the switches kept, and a run file
// downloaded byte-equal to the tool's export and uploaded again; then (offline_checks.mjs) the
// server's compressed answers, the manifest and icons, offline play, a new build replacing the
// kept one, and /api/ and ?run= never kept; (view_checks.mjs) the picture modes;
// (touch_checks.mjs) the page on a phone's touch screen, and its full screen;
// (pack_checks.mjs) a stage pack uploaded, kept over a reload, raced, and hostile archives
// refused; and (world_checks.mjs) the page as a world table client, served by vantrell-server,
// while the plain file server shows no world entries. --figures adds the sizes and the time per
// tick; the start-up times are figures.mjs's, taken with nothing running beside the browser.
//
//   node tests/web/browser_test.mjs [--build DIR] [--web DIR] [--figures]
// DIR defaults: build/ (native) and build-web/ (browser). Exit status 0 when every check passes.
import { execFileSync } from "node:child_process";
import { mkdtempSync, readFileSync, rmSync, statSync } from "node:fs";
import { tmpdir } from "node:os";
import { dirname, join } from "node:path";
import { fileURLToPath } from "node:url";
import { chromium } from "playwright-core";
import { chromiumOptions, openWithHooks } from "./chromium.mjs";
import { offlineChecks } from "./offline_checks.mjs";
import { packChecks } from "./pack_checks.mjs";
import { serve } from "./serve.mjs";
import { touchChecks } from "./touch_checks.mjs";
import { viewChecks } from "./view_checks.mjs";
import { worldChecks } from "./world_checks.mjs";

const args = process.argv.slice(2);
const option = (name, fallback) => {
  const at = args.indexOf(name);
  return at >= 0 ? args[at + 1] : fallback;
};
const nativeBuild = option("--build", "build");
const webBuild = option("--web", "build-web");
const www = join(webBuild, "www");
const game = join(nativeBuild, "game");
const tool = join(nativeBuild, "vantrell-tool");

let failures = 0;
function check(ok, what, detail = "") {
  console.log(`${ok ? "ok" : "FAILED"} - ${what}${ok || !detail ? "" : "\n    " + detail}`);
  if (!ok) failures += 1;
}
const native = (...toolArgs) => execFileSync(tool, toolArgs, { encoding: "utf8" });

const kRecording = join(game, "S0N0.JOY"); // stage 1's best stored run
const kPauseAt = 301; // a frame `replay --every 100` writes

const scratch = mkdtempSync(join(tmpdir(), "vantrell-web-"));
const frames = join(scratch, "frames");
native("replay", "--stage", "1", kRecording, "--out", frames, "--every", "100", "--dir", game);
const framesWide = join(scratch, "frames-wide");
native(
  ...["replay", "--stage", "1", kRecording, "--out", framesWide, "--every", "100"],
  ...["--view", "wide", "--dir", game],
);
const exported = join(scratch, "rank1.run");
native("export", "--stage", "1", "--rank", "1", "--out", exported, "--dir", game);

// The page as players get it, and beside it the tests' hooks (hooks/checks.js).
const hooks = join(dirname(fileURLToPath(import.meta.url)), "hooks");
const { server, url } = await serve({
  "/": www,
  "/hooks/": hooks,
  "/ref/": frames,
  "/ref-wide/": framesWide,
});
const context = await chromium.launchPersistentContext(join(scratch, "profile"), {
  ...chromiumOptions,
  acceptDownloads: true,
  viewport: { width: 800, height: 720 },
  args: [...chromiumOptions.args, "--autoplay-policy=no-user-gesture-required"],
});
const page = context.pages()[0] || (await context.newPage());
const pageErrors = [];
page.on("pageerror", (error) => pageErrors.push(error.message));

// Japanese texts an English page showed untranslated, over every page load.
const untranslated = new Set();
async function noteUntranslated() {
  const texts = await page.evaluate(() =>
    window.vantrellChecks ? [...vantrellChecks.i18n.untranslated] : [],
  );
  texts.forEach((text) => untranslated.add(text));
}

const open = (tab, query) => openWithHooks(tab, url, query);
// The game's commands by name, as the program numbers them, and the pop-up (0 game, 1 stage,
// 2 settings, 3 help) holding each one used here.
let Command = {};
let kPopup = {};
async function load(query = "") {
  await noteUntranslated();
  const started = Date.now();
  await open(page, query);
  const loadMs = Date.now() - started;
  Command = await page.evaluate(() => ({ ...vantrellChecks.Command }));
  kPopup = {
    [Command.Solo]: 0,
    [Command.FreeDrive]: 0,
    [Command.Stage2]: 1,
    [Command.ShowHiScores]: 2,
    [Command.ExportRun]: 2,
    [Command.ImportRun]: 2,
    [Command.Config]: 2,
    [Command.Effects]: 2,
    [Command.Rules]: 3,
    [Command.HowToPlay]: 3,
  };
  return loadMs;
}
const dialog = (kind) => page.locator(`[data-dialog="${kind}"]`);
async function answer(kind, button) {
  await dialog(kind).waitFor();
  await dialog(kind).locator(`[data-answer="${button}"]`).click();
  await dialog(kind).waitFor({ state: "detached" });
}
async function menu(command) {
  await page.locator(`[data-menu="${kPopup[command]}"]`).click();
  await page.locator(`[data-command="${command}"]`).click();
}
const waitState = (test, arg = null, timeout = 60000) =>
  page.waitForFunction(test, arg, { timeout, polling: 50 });

try {
  const loadMs = await load("?lang=en");
  check(true, `the page loads and the game starts (${loadMs} ms)`);
  const worldShown = await page.evaluate(async () => [
    await vantrellChecks.worldAvailable(),
    document.querySelectorAll('[data-entry^="world"]').length,
  ]);
  await page.locator(`[data-menu="${kPopup[Command.Config]}"]`).click();
  worldShown.push(await page.locator('[data-entry^="world"]').count());
  await page.keyboard.press("Escape");
  check(
    worldShown.join() === "false,0,0",
    "a plain file server answers no world table API: the page shows no world entries",
    JSON.stringify(worldShown),
  );

  // The demonstration before any race says how to start one, in the page's language.
  const hint = await page.evaluate(() => {
    const shown = vantrellChecks.panel.shown();
    return shown && shown.hint ? vantrellChecks.i18n.tr("RaceDisplay", shown.hint) : null;
  });
  check(hint === "Alt+G, 1 to race", "the race display says how to start a race", hint);

  // Same tables and same first frames as the native build.
  const reference = native("digest", "--frames", "120", "--dir", game).trim().split("\n");
  check(
    (await page.evaluate(() => vantrellChecks.tablesDigest())) === reference[0].split(" ")[1],
    "the view and heading tables equal the native ones",
  );
  await waitState(() => vantrellChecks.state().frames >= 120);
  const shown = (await page.evaluate(() => vantrellChecks.frameLog()))
    .trim()
    .split("\n")
    .slice(0, 120);
  const firstDiff = shown.findIndex((line, i) => line !== reference[i + 1]);
  check(
    shown.length === 120 && firstDiff < 0,
    "the demonstration's first 120 frames (band, colours, strip) equal the native ones",
    `first difference: ${shown[firstDiff]} against ${reference[firstDiff + 1]}`,
  );

  const verified = await page.evaluate(() => vantrellChecks.verifyRecords());
  const nativeVerified = native("verify", "--dir", game);
  check(
    verified === nativeVerified && !/differs/.test(verified),
    "every stored run drives to its stored time in the browser, as natively",
  );

  // A solo race from the menu with keys, player 1 driven by the stored recording.
  const recording = [...readFileSync(kRecording)];
  await page.evaluate(
    ([bytes, at]) => vantrellChecks.driveNextSolo(new Uint8Array(bytes), at),
    [recording, kPauseAt],
  );
  await page.evaluate(() => (vantrellChecks.host.tickTimes.length = 0)); // measured over this race alone
  await page.keyboard.press("Alt+g");
  await page.keyboard.press("1");
  await waitState(
    (at) => vantrellChecks.state().paused && vantrellChecks.state().driveSteps === at,
    kPauseAt,
  );
  const differing = await page.evaluate(
    async (name) => {
      const image = new Image();
      image.src = "/ref/" + name;
      await image.decode();
      const canvas = document.createElement("canvas");
      canvas.width = image.width;
      canvas.height = image.height;
      const context = canvas.getContext("2d");
      context.drawImage(image, 0, 0);
      const want = context.getImageData(0, 0, image.width, image.height).data;
      const have = document
        .getElementById("screen")
        .getContext("2d")
        .getImageData(0, 0, image.width, image.height).data;
      let count = 0;
      for (let i = 0; i < want.length; ++i) count += want[i] !== have[i] ? 1 : 0;
      return count;
    },
    `frame_${String(kPauseAt).padStart(4, "0")}.png`,
  );
  check(
    differing === 0,
    `the canvas at tick ${kPauseAt} equals vantrell-tool replay's frame`,
    `${differing} bytes differ`,
  );
  check(await page.locator("#pause-mark").isVisible(), "the pause mark shows over the picture");
  const panel = await page.evaluate(() => [vantrellChecks.panel.shown(), vantrellChecks.state()]);
  const pausedState = panel[1]; // where the same race must pause in every picture mode
  check(
    panel[0].timed &&
      panel[0].hint === null &&
      panel[0].raceTicks === panel[1].raceTicks &&
      panel[0].passed > 0 &&
      panel[0].next !== null,
    "the race display below shows the race's clock and checkpoints",
    JSON.stringify(panel),
  );
  // The seconds at 16 ms a tick beside the ticks, written by the program in the page's language.
  const seconds = (ticks) => `${ticks} (${(ticks * 0.016).toFixed(2)} s)`;
  check(
    panel[0].time === seconds(panel[0].raceTicks) &&
      panel[0].left === seconds(panel[0].ticksLeft) &&
      !panel[0].timeUp &&
      panel[0].missed === null,
    "the race display gives the clock and the time left with their seconds",
    JSON.stringify(panel[0]),
  );
  const sounds = await page.evaluate(() => vantrellChecks.audio.log.join("\n"));
  check(
    /effect \d/.test(sounds) && /music \w+ play start/.test(sounds),
    "the countdown's effects and the race music were played through Web Audio",
  );

  await page.keyboard.press("p"); // on to the finish
  await dialog("name").waitFor({ timeout: 60000 });
  const tickTimes = await page.evaluate(() => [...vantrellChecks.host.tickTimes]);
  const runLine = await dialog("name").locator(".vt-run-line").textContent();
  const finished = await page.evaluate(() => vantrellChecks.state().raceTicks);
  check(
    runLine === `Time ${seconds(finished)}: rank ${/rank (\d+)$/.exec(runLine)?.[1]}`,
    "the name box says the run's time with its seconds",
    runLine,
  );
  // The name box takes what the record file can hold (Shift-JIS, 15 bytes), as the program
  // itself judges it, and keeps the last such text when more is typed.
  const nameBox = dialog("name").locator('[data-field="name"]');
  const typed = [];
  for (const text of ["テスト走者", "テスト走者ABCDEF", "テスト😀"]) {
    await nameBox.fill(text);
    typed.push(await nameBox.inputValue());
  }
  check(
    typed.every((text) => text === "テスト走者"),
    "the name box takes Japanese, and refuses a name too long or not Shift-JIS",
    JSON.stringify(typed),
  );
  // Accented letters become plain ones, with a line saying so until the next key.
  await nameBox.fill("Zoë");
  const folded = await nameBox.inputValue();
  const foldNote = await dialog("name").locator(".vt-note-line").innerText();
  await nameBox.press("End");
  const noteAfterKey = await dialog("name").locator(".vt-note-line").isVisible();
  check(
    folded === "Zoe" && foldNote.includes("ë") && !noteAfterKey,
    "the name box folds Zoë to Zoe and says so until the next key",
    JSON.stringify([folded, foldNote, noteAfterKey]),
  );
  await nameBox.fill("Web Tester");
  await answer("name", "ok");
  await answer("list", "ok");
  const leaving = () =>
    page.evaluate(() => {
      const event = new Event("beforeunload", { cancelable: true });
      window.dispatchEvent(event);
      return event.defaultPrevented;
    });
  check(await leaving(), "closing the tab with a run not yet saved makes the browser ask");

  // Meanwhile another tab of the game sets and saves a run of its own: a stored run started one
  // tick late (948 ticks), so that it is no run the table already holds.
  const late = [0, ...readFileSync(join(game, "S0N1.JOY")).subarray(0, 2399)];
  const other = await context.newPage();
  await open(other, "?lang=en");
  await other.evaluate((bytes) => vantrellChecks.driveNextSolo(new Uint8Array(bytes), 0), late);
  await other.keyboard.press("Alt+g");
  await other.keyboard.press("1");
  const otherDialog = (kind) => other.locator(`[data-dialog="${kind}"]`);
  await otherDialog("name").waitFor({ timeout: 60000 });
  await otherDialog("name").locator('[data-field="name"]').fill("Other Tab");
  await otherDialog("name").locator('[data-answer="ok"]').click();
  await otherDialog("list").locator('[data-answer="ok"]').click();
  await other.locator(`[data-menu="${kPopup[Command.Stage2]}"]`).click();
  await other.locator(`[data-command="${Command.Stage2}"]`).click();
  await otherDialog("yesno").locator('[data-answer="yes"]').click();
  await other.waitForFunction(() => !vantrellChecks.unsaved());
  await other.close();
  await menu(Command.Stage2); // the save question comes with a change of stage
  const question = page.locator('[data-dialog="yesno"], [data-dialog="ask"]');
  await question.locator('[data-answer="yes"]').click();
  await waitState(() => !vantrellChecks.dialogOpen());
  const saved = await waitState(() => !vantrellChecks.unsaved(), null, 5000).then(
    () => true,
    () => false,
  );
  check(saved && !(await leaving()), "once saved, the tab closes without a question");
  await menu(Command.Effects); // effects off, kept in the browser's database
  await page.waitForTimeout(200);

  // The help texts come from the game's core, through the same translations as the desktop.
  await load("?lang=ja");
  await menu(Command.Rules);
  const rulesJa = await dialog("message").innerText();
  await answer("message", "ok");
  await load("?lang=en");
  await menu(Command.Rules);
  const rulesEn = await dialog("message").innerText();
  await answer("message", "ok");
  check(
    /[\u3040-\u30ff]/.test(rulesJa) && !/[\u3040-\u30ff\u4e00-\u9fff]/.test(rulesEn),
    "the rules read in Japanese, or wholly in English",
    rulesEn,
  );
  await menu(Command.HowToPlay);
  const howToPlay = await dialog("help").innerText();
  await page.keyboard.press("Escape");
  await dialog("help").waitFor({ state: "detached" });
  check(
    !/[\u3040-\u30ff\u4e00-\u9fff]/.test(howToPlay) &&
      howToPlay.includes("Player 2 (blue): forward W, reverse S / X") &&
      howToPlay.includes("Alt+G"),
    "How to play reads wholly in English, with the keys as set",
    howToPlay,
  );
  await menu(Command.ShowHiScores);
  await dialog("list").waitFor();
  const listed = await dialog("list").innerText();
  check(
    /Web Tester/.test(listed) && /946/.test(listed),
    "after a reload the saved run is in stage 1's table",
    listed,
  );
  check(
    /Other Tab/.test(listed) && /948/.test(listed),
    "the run another tab saved meanwhile is kept",
    listed,
  );
  await answer("list", "ok");
  await page.locator(`[data-menu="${kPopup[Command.Effects]}"]`).click();
  check(
    !(await page
      .locator(`[data-command="${Command.Effects}"]`)
      .evaluate((row) => row.classList.contains("vt-checked"))),
    "after a reload the effects switch is still off",
  );
  await page.keyboard.press("Escape");

  // A tab's first store after its start, in the database as another tab leaves it: stage 1's
  // table stored older there is replaced by the tab's; stored newer (that tab saved after this
  // one read the folder), it stays, as does a file this tab never had. Put back afterwards.
  const firstStore = await page.evaluate(async () => {
    const opened = indexedDB.open("/vantrell");
    const db = await new Promise((done) => (opened.onsuccess = () => done(opened.result)));
    const files = (mode, work) =>
      new Promise((done, fail) => {
        const transaction = db.transaction("FILE_DATA", mode);
        const request = work(transaction.objectStore("FILE_DATA"));
        transaction.oncomplete = () => done(request.result);
        transaction.onerror = () => fail(transaction.error);
      });
    const table = "/vantrell/VANREC0.DAT";
    const theirs = "/vantrell/THEIRS.DAT";
    const entry = (at, bytes) => ({ timestamp: new Date(at), mode: 0o100666, contents: bytes });
    const mine = await files("readonly", (store) => store.get(table));
    const seen = (value) => value && Array.from(value.contents.subarray(0, 4)).join(",");
    await files("readwrite", (store) =>
      store.put(entry(mine.timestamp - 60000, new Uint8Array([9, 9])), table),
    );
    await vantrellChecks.storeFirst();
    const olderReplaced = seen(await files("readonly", (store) => store.get(table)));
    const newer = entry(mine.timestamp.getTime() + 60000, new Uint8Array([7, 7]));
    await files("readwrite", (store) => store.put(newer, table));
    await files("readwrite", (store) => store.put(entry(Date.now(), new Uint8Array([5])), theirs));
    await vantrellChecks.storeFirst();
    const newerKept = seen(await files("readonly", (store) => store.get(table)));
    const theirsKept = seen(await files("readonly", (store) => store.get(theirs)));
    await files("readwrite", (store) => store.put(mine, table));
    await files("readwrite", (store) => store.delete(theirs));
    db.close();
    return { mine: seen(mine), olderReplaced, newerKept, theirsKept };
  });
  check(
    firstStore.olderReplaced === firstStore.mine &&
      firstStore.newerKept === "7,7" &&
      firstStore.theirsKept === "5",
    "a tab's first store keeps what another tab saved after this one read the folder",
    JSON.stringify(firstStore),
  );

  // A run file down and up again.
  await menu(Command.ExportRun);
  await dialog("choose").waitFor();
  const download = page.waitForEvent("download");
  await answer("choose", "ok");
  const file = join(scratch, "downloaded.run");
  await (await download).saveAs(file);
  check(
    Buffer.compare(readFileSync(file), readFileSync(exported)) === 0,
    "the exported run file equals vantrell-tool export's, byte for byte",
  );
  await dialog("message").waitFor();
  const written = await dialog("message").innerText();
  check(
    /has been written:\s*stage1-rank1\.run/.test(written),
    "the page says which file the run went to",
    written,
  );
  await answer("message", "ok");
  await menu(Command.ImportRun);
  await dialog("file").waitFor();
  await dialog("file").locator('[data-field="file"]').setInputFiles(exported);
  await dialog("message").waitFor();
  const judged = await dialog("message").innerText();
  check(
    /already in the table/.test(judged),
    "an uploaded run file is read, checked and told apart (in English)",
    judged,
  );
  await answer("message", "ok");

  // A gamepad plugged in later, its stick pushed forward: ticked for player 1 in the controls
  // dialog, it drives the craft in free drive.
  await page.evaluate(() => {
    const pad = {
      id: "Test pad (standard)",
      index: 0,
      connected: true,
      mapping: "standard",
      axes: [0, -1, 0, 0],
      buttons: Array.from({ length: 17 }, () => ({ pressed: false, value: 0 })),
    };
    navigator.getGamepads = () => [pad];
  });
  await menu(Command.Config);
  await dialog("controls").waitFor();
  check(
    /Test pad/.test(await dialog("controls").locator('[data-pad="0"]').innerText()),
    "the controls dialog names the browser's gamepad",
  );
  await dialog("controls").locator('[data-box="2"]').click();
  await page.waitForFunction(() => document.querySelector('[data-box="2"]').checked);
  await dialog("controls").locator('[data-step="slower"]').click();
  await answer("controls", "ok");
  check(
    (await page.evaluate(() => localStorage.getItem("vantrell.speed"))) === "17",
    "a game speed set in the controls dialog is kept for the next visit",
  );
  await menu(Command.FreeDrive);
  const start = await page.evaluate(() => vantrellChecks.state().craft);
  await waitState(
    (from) => {
      const now = vantrellChecks.state().craft;
      return Math.abs(now[0] - from[0]) + Math.abs(now[1] - from[1]) > 2000;
    },
    start,
    10000,
  );
  check(true, "the gamepad's stick drives the craft");

  // Its Start button pauses and resumes, once a press: the game reads it between ticks too.
  const holdStart = (down) =>
    page.evaluate((on) => (navigator.getGamepads()[0].buttons[9].pressed = on), down);
  const becomes = (paused) =>
    waitState((want) => vantrellChecks.state().paused === want, paused, 5000).then(
      () => true,
      () => false,
    );
  // It acts when let go alone (held with Back it is the menu button).
  await holdStart(true);
  await page.waitForTimeout(200);
  const heldAlone = await page.evaluate(() => vantrellChecks.state().paused);
  await holdStart(false);
  const pausedByPad = await becomes(true);
  await page.waitForTimeout(200); // one press, one pause
  const stillPaused = await becomes(true);
  await holdStart(true);
  await page.waitForTimeout(100);
  await holdStart(false);
  const resumedByPad = await becomes(false);
  check(
    !heldAlone && pausedByPad && stillPaused && resumedByPad,
    "the pad's Start, let go, pauses the race and, pressed again, resumes it",
    JSON.stringify([heldAlone, pausedByPad, stillPaused, resumedByPad]),
  );

  // The pad works the menus: Back and Start together open the menu bar (and neither retry
  // nor pause), B closes it; Guide opens it on its first entry, the d-pad moves, A takes it.
  const setButton = (index, on) =>
    page.evaluate(
      ([i, down]) => (navigator.getGamepads()[0].buttons[i].pressed = down),
      [index, on],
    );
  const tap = async (index) => {
    await setButton(index, true);
    await page.waitForTimeout(80);
    await setButton(index, false);
    await page.waitForTimeout(80);
  };
  const selectedEntry = () =>
    page.evaluate(() => {
      const row = document.querySelector('#menubar .vt-popup[data-level="0"] .vt-selected');
      return row ? row.dataset.command || "" : null;
    });
  await page.evaluate(() => (navigator.getGamepads()[0].axes[1] = 0)); // the stick at rest
  await page.mouse.move(790, 710); // not over a menu entry, which would take the selection
  await setButton(8, true);
  await page.waitForTimeout(80);
  await setButton(9, true);
  await page.waitForTimeout(80);
  await setButton(8, false);
  await setButton(9, false);
  await page.waitForTimeout(200);
  const byChord = await page.evaluate(() => ({
    open: vantrellChecks.menuOpen(),
    paused: vantrellChecks.state().paused,
  }));
  await tap(1);
  const closedByB = !(await page.evaluate(() => vantrellChecks.menuOpen()));
  await tap(16);
  const first = await selectedEntry();
  await tap(13);
  const second = await selectedEntry();
  await tap(12);
  const back = await selectedEntry();
  // The race it starts is driven by a stored run two ticks late, which enters the table.
  const later = [0, 0, ...readFileSync(join(game, "S0N2.JOY")).subarray(0, 2398)];
  await page.evaluate((bytes) => vantrellChecks.driveNextSolo(new Uint8Array(bytes), 0), later);
  await tap(0);
  const raced = await waitState((solo) => vantrellChecks.state().mode === solo, 1, 5000).then(
    () => true,
    () => false,
  );
  check(
    byChord.open &&
      !byChord.paused &&
      closedByB &&
      first === String(Command.Solo) &&
      second !== first &&
      back === first &&
      raced,
    "a pad opens the menu (Guide, or Back with Start), moves in it and starts a solo race",
    JSON.stringify({ byChord, closedByB, first, second, back, raced }),
  );
  // After pad input the name box offers its grid, focused: A picks, the d-pad moves.
  await dialog("name").waitFor({ timeout: 60000 });
  const grid = dialog("name").locator('[data-field="grid"]');
  const gridFocused = await grid.evaluate((node) => node === document.activeElement);
  await tap(0);
  await tap(15);
  await tap(0);
  const picked = await dialog("name").locator('[data-field="name"]').inputValue();
  await tap(1); // B: Escape, which this box ignores: OK is its only way out
  await page.waitForTimeout(300);
  const keptOpen = await dialog("name").isVisible();
  await answer("name", "ok");
  await dialog("list").waitFor();
  const listedAfterPad = await dialog("list").innerText();
  await answer("list", "ok");
  check(
    gridFocused && picked === "AB" && keptOpen && /\bAB\b/.test(listedAfterPad),
    "the name box opened after pad input takes a name from its grid by pad, B leaves it open",
    JSON.stringify({ gridFocused, picked, keptOpen }),
  );

  // Ctrl+W belongs to the browser (it closes the tab); W alone is a game key.
  const taken = await page.evaluate(() =>
    [{ ctrlKey: true }, {}].map((modifiers) => {
      const event = new KeyboardEvent("keydown", {
        code: "KeyW",
        key: "w",
        bubbles: true,
        cancelable: true,
        ...modifiers,
      });
      document.body.dispatchEvent(event);
      return event.defaultPrevented;
    }),
  );
  check(
    !taken[0] && taken[1],
    "Ctrl+W is left to the browser, W alone steers",
    JSON.stringify(taken),
  );

  // The keys dialog: set 1's forward moved from Up to I; X (set 2's reverse) is refused; after a
  // reload, in a new solo race, I drives and Up does not.
  await page.locator(`[data-menu="${kPopup[Command.Config]}"]`).click();
  await page.locator('[data-entry="keys"]').click();
  await dialog("keys").waitFor();
  await dialog("keys").locator('[data-answer="clear-Set1Forward"]').click();
  await dialog("keys").locator('[data-answer="add-Set1Forward"]').click();
  await page.keyboard.press("x");
  const refusal = await dialog("keys").locator('[data-field="message"]').textContent();
  await dialog("keys").locator('[data-answer="add-Set1Forward"]').click();
  await page.keyboard.press("i");
  const boundNow = await dialog("keys").locator('[data-binding="Set1Forward"]').textContent();
  await answer("keys", "ok");
  const kept = await page.evaluate(() => localStorage.getItem("vantrell.keys"));
  await load("?lang=en"); // the keys come back from the browser's storage; the craft at rest
  await page.keyboard.press("Alt+g");
  await page.keyboard.press("1");
  await waitState(() => vantrellChecks.state().mode === 1 && vantrellChecks.state().raceTicks > 5);
  const craftAfter = async (code) => {
    await page.keyboard.down(code);
    await page.waitForTimeout(400);
    await page.keyboard.up(code);
    return (await page.evaluate(() => vantrellChecks.state().craft)).join();
  };
  const atStart = (await page.evaluate(() => vantrellChecks.state().craft)).join();
  const afterUp = await craftAfter("ArrowUp");
  const afterI = await craftAfter("KeyI");
  check(
    refusal === "X is already bound to Key set 2: Reverse" &&
      boundNow === "I" &&
      afterUp === atStart &&
      afterI !== afterUp &&
      /^Set1Forward=I$/m.test(kept),
    "a key rebound in the keys dialog drives, the old one no longer does, a taken key is refused",
    JSON.stringify({ refusal, boundNow, atStart, afterUp, afterI, kept }),
  );
  await page.evaluate(() => localStorage.removeItem("vantrell.keys"));

  // Half a second stalled: the game catches up a few ticks, not thirty.
  const caughtUp = await page.evaluate(async () => {
    await new Promise((done) => requestAnimationFrame(done));
    const before = vantrellChecks.state().frames;
    const until = performance.now() + 500;
    while (performance.now() < until) {
      // the page's thread is held here, as a slow frame would hold it
    }
    await new Promise((done) => requestAnimationFrame(done));
    await new Promise((done) => setTimeout(done, 0));
    return vantrellChecks.state().frames - before;
  });
  check(
    caughtUp >= 1 && caughtUp <= 6,
    "after a stall the game catches up at most a few ticks",
    `${caughtUp} ticks`,
  );

  if (args.includes("--figures")) {
    const ticks = tickTimes.sort((a, b) => a - b);
    const size = (name) => statSync(join(www, name)).size;
    console.log(
      `figures: wasm ${size("vantrell.wasm")} bytes (brotli ${size("vantrell.wasm.br")}), ` +
        `data ${size("vantrell.data")} bytes (brotli ${size("vantrell.data.br")}), ` +
        `tick median ${ticks[ticks.length >> 1].toFixed(3)} ms, ` +
        `p99 ${ticks[Math.floor(ticks.length * 0.99)].toFixed(3)} ms over ${ticks.length}`,
    );
  }
  await noteUntranslated();
  check(
    untranslated.size === 0,
    "every text shown in English had its translation",
    [...untranslated].join("\n    "),
  );
  check(pageErrors.length === 0, "no errors on the page", pageErrors.join("\n    "));
  await page.goto("about:blank"); // the game here stops, so nothing runs beside what follows
  await viewChecks(check, {
    url,
    native,
    game,
    scratch,
    recording,
    pauseAt: kPauseAt,
    originalState: pausedState,
    figures: args.includes("--figures"),
  });
  await touchChecks(check, { url, recording });
  await packChecks(check, {
    url,
    native,
    scratch,
    packPath: join(nativeBuild, "packs", "lakeside.vstage"),
    designPath: fileURLToPath(new URL("../../docs/examples/lakeside.toml", import.meta.url)),
  });
  await offlineChecks(check, www, scratch);
  await worldChecks(check, { www, game, build: nativeBuild, hooks, scratch, template: exported });
} catch (error) {
  check(false, "the browser session ran to its end", error.stack || String(error));
  await page.screenshot({ path: join(tmpdir(), "vantrell-web-failure.png") }).catch(() => {});
} finally {
  await context.close();
  server.close();
  rmSync(scratch, { recursive: true, force: true });
}
console.log(failures === 0 ? "all browser checks passed" : `${failures} browser check(s) failed`);
process.exit(failures === 0 ? 0 : 1);
