// The README's pictures of the browser build, taken by headless Chromium:
//   node tests/web/screenshot.mjs [--web build-web] [--out docs] [--dialogs]
// writes web-page-en.png (the game menu open over the demonstration) and web-page-ja.png; with
// --dialogs also web-dialog-<kind>-<lang>.png of the dialogs the menu opens (about, the record
// list, the choice of runs to export, the controls), to look them over in both languages.
import { dirname, join } from "node:path";
import { fileURLToPath } from "node:url";
import { mkdtempSync, rmSync } from "node:fs";
import { tmpdir } from "node:os";
import { chromium } from "playwright-core";
import { chromiumOptions } from "./chromium.mjs";
import { serve } from "./serve.mjs";

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
  await page.goto(`${url}index.html?lang=${lang}`);
  await page.evaluate(() => import("/hooks/checks.js"));
  await page.waitForFunction(() => vantrellChecks.host.started);
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
  }
}
await context.close();
server.close();
rmSync(profile, { recursive: true, force: true });
