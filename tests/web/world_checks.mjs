// The page as a world table client, part of browser_test.mjs's suite: the page served by the
// real vantrell-server (--www) on a free loopback port with a scratch SQLite board. It
// registers a name, is refused the stage's best run (the Staff run already on the board), sends
// a run of its own after importing it, finds itself in the stage's world table (paged, its own
// place marked), races a run of it as a ghost, opens a link to another stage's run ready to
// race, and with the server gone says so and changes nothing.
import { spawn } from "node:child_process";
import { createHash } from "node:crypto";
import { readFileSync, writeFileSync } from "node:fs";
import { createServer } from "node:net";
import { basename, join } from "node:path";
import { chromium } from "playwright-core";
import { chromiumOptions, openWithHooks } from "./chromium.mjs";

const kModeVersus = 2; // RaceProgress's mode while a recording is raced (src/race/race_words.h)

export function freePort() {
  return new Promise((done, fail) => {
    const probe = createServer();
    probe.on("error", fail);
    probe.listen(0, "127.0.0.1", () => {
      const { port } = probe.address();
      probe.close(() => done(port));
    });
  });
}

export async function startServer(program, args) {
  const server = spawn(program, args, { stdio: ["ignore", "ignore", "pipe"] });
  let errors = "";
  server.stderr.on("data", (chunk) => (errors += chunk));
  const url = `http://${args[args.indexOf("--listen") + 1]}/`;
  for (let tries = 0; tries < 200; ++tries) {
    if (server.exitCode !== null) break;
    const up = await fetch(url + "healthz").then(
      (answer) => answer.ok,
      () => false,
    );
    if (up) return { server, url };
    await new Promise((done) => setTimeout(done, 100));
  }
  server.kill();
  throw new Error("vantrell-server did not start: " + errors);
}

// Stage 1's stored run S0N1 started one tick late: a run of 948 ticks that is no copy of
// anything on the board, as a run file made from `template` (a run file of stage 1), under
// `name` (ASCII) or the template's.
export function seededRun(game, template, name = null) {
  const run = Buffer.from(readFileSync(template));
  Buffer.from([0, ...readFileSync(join(game, "S0N1.JOY")).subarray(0, 2399)]).copy(run, 62);
  run.writeUInt16BE(948, 60);
  if (name !== null) {
    run.fill(0, 44, 60);
    run[44] = name.length;
    run.write(name, 45, "latin1");
  }
  createHash("sha256").update(run.subarray(0, 2462)).digest().copy(run, 2462);
  return run;
}

export async function worldChecks(check, { www, game, build, hooks, scratch, template }) {
  const seeded = join(scratch, "seeded.run");
  writeFileSync(seeded, seededRun(game, template, "Web World"));
  const port = await freePort();
  const { server, url } = await startServer(join(build, "vantrell-server"), [
    "--listen",
    `127.0.0.1:${port}`,
    "--db",
    "sqlite:" + join(scratch, "world.sqlite"),
    "--www",
    www,
    "--game",
    game,
  ]);
  const browser = await chromium.launch(chromiumOptions);
  try {
    // The tests' hooks beside the page, as the static server of the suite mounts them.
    const context = await browser.newContext({
      serviceWorkers: "block",
      viewport: { width: 800, height: 720 },
    });
    await context.route("**/hooks/*.js", (route) =>
      route.fulfill({ path: join(hooks, basename(new URL(route.request().url()).pathname)) }),
    );
    const page = await context.newPage();
    const errors = [];
    page.on("pageerror", (error) => errors.push(error.message));
    const opened = async (tab, query) => {
      await openWithHooks(tab, url, query);
      return tab.evaluate(() => vantrellChecks.worldAvailable());
    };
    check(await opened(page, "?lang=en"), "served by vantrell-server, the page finds its API");
    const Command = await page.evaluate(() => ({ ...vantrellChecks.Command }));
    const dialog = (kind, tab = page) => tab.locator(`[data-dialog="${kind}"]`);
    const answer = async (kind, button, tab = page) => {
      await dialog(kind, tab).locator(`[data-answer="${button}"]`).click();
      await dialog(kind, tab).waitFor({ state: "detached" });
    };
    const settings = async (what) => {
      await page.locator('[data-menu="2"]').click();
      await page.locator(what).click();
    };
    const told = async () => {
      const text = await dialog("message").innerText();
      await answer("message", "ok");
      return text;
    };

    await settings('[data-entry="world-register"]');
    await dialog("world-register").locator('[data-field="name"]').fill("Web World");
    await answer("world-register", "ok");
    const registered = await told();
    const kept = await page.evaluate(() => JSON.parse(localStorage.getItem("vantrell.world")));
    check(
      /Registered as “Web World”/.test(registered) && /^[0-9a-f]{64}$/.test(kept.key),
      "a name is registered and its key kept in the browser",
      registered,
    );

    // The stage's table holds only the Staff's runs: none of the player's to send.
    await settings('[data-entry="world-send"]');
    const none = await told();
    check(
      /holds no run of Web World/.test(none),
      "only a run of the registered name is sent, never another's under it",
      none,
    );

    // The local table emptied, the seeded run imported as its best, then sent.
    await settings(`[data-command="${Command.ResetHiScores}"]`);
    await answer("ask", "yes");
    await settings(`[data-command="${Command.ImportRun}"]`);
    await dialog("file").locator('[data-field="file"]').setInputFiles(seeded);
    await answer("list", "ok");
    await settings('[data-entry="world-send"]');
    const sent = await told();
    const rank = Number((/rank (\d+)/.exec(sent) || [])[1]);
    check(
      /stage 1 \(TIME:948\)/.test(sent) && rank > 1 && rank <= 11,
      "the stage's best run is sent under the registered name and its world rank told",
      sent,
    );

    // The world table: ten a page, the own run marked and chosen.
    await settings('[data-entry="world-table"]');
    const table = dialog("world-table");
    const rows = table.locator(".vt-world-list .vt-row");
    await rows.first().waitFor();
    const frames = await page.evaluate(async () => {
      const before = vantrellChecks.state().frames;
      for (let i = 0; i < 20; ++i) await new Promise((done) => requestAnimationFrame(done));
      return [before, vantrellChecks.state().frames];
    });
    check(
      frames[0] > 0 && frames[0] === frames[1],
      "the game holds still while the world table is open",
      JSON.stringify(frames),
    );
    const firstPage = await rows.count();
    await table.locator('[data-answer="next"]').click();
    await table.locator('.vt-row[data-rank="11"]').waitFor();
    const secondPage = await rows.count();
    // Looked for on the board, not only where the last run sent landed.
    await page.evaluate(() => {
      for (const key of Object.keys(localStorage)) {
        if (key.startsWith("vantrell.world.place.")) localStorage.removeItem(key);
      }
    });
    await table.locator('[data-answer="mine"]').click();
    const own = table.locator(".vt-row.vt-own");
    await own.waitFor();
    check(
      firstPage === 10 &&
        secondPage === 1 &&
        (await own.getAttribute("data-rank")) === String(rank) &&
        /Web World/.test(await own.innerText()) &&
        (await own.evaluate((row) => row.classList.contains("vt-selected"))),
      "the world table shows ten runs a page and marks the player's own place",
      JSON.stringify([firstPage, secondPage, rank]),
    );
    const link = await table.locator('[data-field="link"]').inputValue();
    check(
      link === `${url}index.html?run=${await own.getAttribute("data-id")}`,
      "the world table offers a link to the chosen run",
      link,
    );
    await answer("world-table", "race");
    await page.waitForFunction(
      (mode) => vantrellChecks.state().mode === mode && vantrellChecks.state().raceTicks > 0,
      kModeVersus,
    );
    check(!(await dialog("message").count()), "a run of the world table is raced as a ghost");

    // A link to a run of stage 2 (a Staff run of that board), in a tab of its own.
    const courses = await (await fetch(url + "api/v1/courses")).json();
    const stage2 = courses.courses.find((course) => course.stage === 2);
    const board = await (await fetch(`${url}api/v1/courses/${stage2.digest}/runs?limit=1`)).json();
    const other = await context.newPage();
    other.on("pageerror", (error) => errors.push(error.message));
    await opened(other, `?run=${board.runs[0].id}&lang=en`);
    await dialog("world-challenge", other).waitFor();
    const offered = await dialog("world-challenge", other).innerText();
    await answer("world-challenge", "race", other);
    await other.waitForFunction(
      (mode) => vantrellChecks.state().mode === mode && vantrellChecks.state().raceTicks > 0,
      kModeVersus,
    );
    const stageNow = await other.evaluate(() => vantrellChecks.worldRun().stage);
    check(
      /Staff's run of stage 2 \(TIME:\d+\)/.test(offered) && stageNow === 1,
      "a link to a run opens the page ready to race it, on the run's stage",
      offered,
    );
    await other.close();

    // The server gone: the page says so, and the local table keeps its run.
    server.kill();
    await new Promise((done) => server.once("exit", done));
    await settings('[data-entry="world-send"]');
    const offline = await told();
    const best = await page.evaluate(() => vantrellChecks.worldRun("Web World"));
    check(
      /cannot be reached/.test(offline) && /Nothing was stored/.test(offline) && best.time === 948,
      "with the server away, sending says so and the local table is untouched",
      offline,
    );
    const untranslated = await page.evaluate(() => [...vantrellChecks.i18n.untranslated]);
    check(
      untranslated.length === 0,
      "every world table text shown in English had its translation",
      untranslated.join("\n    "),
    );
    check(errors.length === 0, "no errors on the world table's pages", errors.join("\n    "));
    await context.close();
  } finally {
    await browser.close();
    if (server.exitCode === null) server.kill();
  }
}
