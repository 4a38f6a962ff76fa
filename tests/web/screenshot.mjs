// The README's pictures of the browser build, taken by headless Chromium:
//   node tests/web/screenshot.mjs [--web build-web] [--out docs] [--dialogs]
// writes web-page-en.png (the game menu open over the demonstration) and web-page-ja.png; with
// --dialogs also web-dialog-<kind>-<lang>.png of the dialogs the menu opens (about, the record
// list, the choice of runs to export, the controls), to look them over in both languages; with
// --world web-world-table.png, the world table of stage 1 with a run of the player's own on it,
// the page served by build/vantrell-server (--build, default build) with a scratch board.
import { dirname, join } from "node:path";
import { fileURLToPath } from "node:url";
import { execFileSync } from "node:child_process";
import { mkdtempSync, rmSync } from "node:fs";
import { tmpdir } from "node:os";
import { chromium } from "playwright-core";
import { chromiumOptions, openWithHooks } from "./chromium.mjs";
import { serve } from "./serve.mjs";
import { freePort, seededRun, startServer } from "./world_checks.mjs";

const args = process.argv.slice(2);
const option = (name, fallback) => (args.includes(name) ? args[args.indexOf(name) + 1] : fallback);
const www = join(option("--web", "build-web"), "www");
const out = option("--out", "docs");

const profile = mkdtempSync(join(tmpdir(), "vantrell-shot-"));
const hooks = join(dirname(fileURLToPath(import.meta.url)), "hooks");
const { server, url } = await serve({ "/": www, "/hooks/": hooks });
const context = await chromium.launchPersistentContext(profile, {
  ...chromiumOptions,
  viewport: { width: 600, height: 830 },
});
const page = context.pages()[0] || (await context.newPage());
for (const lang of ["en", "ja"]) {
  await openWithHooks(page, url, `?lang=${lang}`);
  await page.waitForTimeout(1500);
  await page.locator('[data-menu="0"]').click();
  await page.waitForTimeout(100);
  await page.screenshot({ path: join(out, `web-page-${lang}.png`) });
  await page.keyboard.press("Escape");
  if (args.includes("--dialogs")) {
    const Command = await page.evaluate(() => ({ ...vantrellChecks.Command }));
    const shown = [
      ["about", Command.About],
      ["list", Command.ShowHiScores],
      ["choose", Command.ExportRun],
      ["controls", Command.Config],
    ];
    for (const [kind, command] of shown) {
      const row = page.locator(`[data-command="${command}"]`);
      // Each command sits in one of the pop-ups; open them in turn until it shows.
      for (let menu = 0; !(await row.isVisible()); ++menu) {
        await page.keyboard.press("Escape");
        await page.locator(`[data-menu="${menu}"]`).click();
      }
      await row.click();
      const dialog = page.locator(`[data-dialog="${kind}"]`);
      await dialog.waitFor();
      await dialog.screenshot({ path: join(out, `web-dialog-${kind}-${lang}.png`) });
      await dialog.locator(`[data-answer="${kind === "choose" ? "cancel" : "ok"}"]`).click();
      await dialog.waitFor({ state: "detached" });
    }
    // The keys dialog is the page's own entry at the end of the settings pop-up.
    await page.locator('[data-menu="2"]').click();
    await page.locator('[data-entry="keys"]').click();
    await page.locator('[data-dialog="keys"]').waitFor();
    await page
      .locator('[data-dialog="keys"]')
      .screenshot({ path: join(out, `web-dialog-keys-${lang}.png`) });
    await page.locator('[data-dialog="keys"] [data-answer="cancel"]').click();
  }
}

// The world table: a board with the game's Staff runs and one of "Ada"'s, sent through the API
// as the page would send it, her key then kept in the page's storage.
if (args.includes("--world")) {
  const build = option("--build", "build");
  const game = join(build, "game");
  const template = join(profile, "rank1.run");
  execFileSync(
    join(build, "vantrell-tool"),
    ["export", "--stage", "1", "--rank", "1"].concat(["--out", template, "--dir", game]),
  );
  const port = await freePort();
  const world = await startServer(join(build, "vantrell-server"), [
    "--listen",
    `127.0.0.1:${port}`,
    "--db",
    "sqlite:" + join(profile, "world.sqlite"),
    "--www",
    www,
    "--game",
    game,
  ]);
  try {
    const player = await (
      await fetch(world.url + "api/v1/players", {
        method: "POST",
        body: JSON.stringify({ name: "Ada" }),
      })
    ).json();
    await fetch(world.url + "api/v1/runs", {
      method: "POST",
      headers: { Authorization: "Bearer " + player.key },
      body: seededRun(game, template, "Ada"),
    });
    const tab = await context.newPage();
    await tab.route("**/hooks/*.js", (route) =>
      route.fulfill({ path: join(hooks, route.request().url().split("/").pop()) }),
    );
    await tab.addInitScript(
      (kept) => localStorage.setItem("vantrell.world", kept),
      JSON.stringify({
        name: player.name,
        sjis: player.name_sjis,
        key: player.key,
      }),
    );
    await openWithHooks(tab, world.url);
    await tab.evaluate(() => vantrellChecks.worldAvailable());
    await tab.waitForTimeout(1000);
    await tab.locator('[data-menu="2"]').click();
    await tab.locator('[data-entry="world-table"]').click();
    const dialog = tab.locator('[data-dialog="world-table"]');
    await dialog.locator(".vt-row.vt-own").waitFor();
    await tab.waitForTimeout(100);
    await tab.screenshot({ path: join(out, "web-world-table.png") });
    await tab.close();
  } finally {
    world.server.kill();
  }
}
await context.close();
server.close();
rmSync(profile, { recursive: true, force: true });
