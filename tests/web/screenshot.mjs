// The README's pictures of the browser build, taken by headless Chromium:
//   node tests/web/screenshot.mjs [--web build-web] [--out docs]
// writes web-page-en.png (the game menu open over the demonstration) and web-page-ja.png.
import { join } from "node:path";
import { mkdtempSync, rmSync } from "node:fs";
import { tmpdir } from "node:os";
import { chromium } from "playwright-core";
import { serve } from "./serve.mjs";

const args = process.argv.slice(2);
const option = (name, fallback) => (args.includes(name) ? args[args.indexOf(name) + 1] : fallback);
const www = join(option("--web", "build-web"), "www");
const out = option("--out", "docs");

const profile = mkdtempSync(join(tmpdir(), "vantrell-shot-"));
const { server, url } = await serve({ "/": www });
const context = await chromium.launchPersistentContext(profile, {
  executablePath: process.env.CHROMIUM || "/usr/bin/chromium",
  headless: true,
  viewport: { width: 600, height: 830 },
  args: ["--no-sandbox", "--disable-gpu", "--disable-background-networking",
         "--disable-component-update", "--disable-sync", "--no-first-run"],
});
const page = context.pages()[0] || (await context.newPage());
for (const lang of ["en", "ja"]) {
  await page.goto(`${url}index.html?lang=${lang}`);
  await page.waitForFunction(() => window.VT && VT.host && VT.host.started);
  await page.waitForTimeout(1500);
  await page.locator('[data-menu="0"]').click();
  await page.waitForTimeout(100);
  await page.screenshot({ path: join(out, `web-page-${lang}.png`) });
  await page.keyboard.press("Escape");
}
await context.close();
server.close();
rmSync(profile, { recursive: true, force: true });
