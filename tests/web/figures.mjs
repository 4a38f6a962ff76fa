// How fast the page comes up, as a player sees it: from navigation to the first moving picture
// (the second frame the game draws on its canvas), on a first visit with a fresh browser
// profile and on reloads of it. Measured from outside the page: a script the browser runs
// before the page's own notes when the canvas is drawn, so any build of the page can be
// measured the same way. Figures only, never a pass or fail: the machine is shared and noisy.
//
//   node tests/web/figures.mjs [--www DIR] [--runs N] [--settle MS]
// serves DIR (build-web/www by default) and prints N (3) runs' figures, each in a fresh profile,
// reloading MS (3000) milliseconds after the frames before;
// `browser_test.mjs --figures` prints one run beside its other figures.
import { mkdtempSync, rmSync } from "node:fs";
import { tmpdir } from "node:os";
import { join } from "node:path";
import { fileURLToPath } from "node:url";
import { chromium } from "playwright-core";
import { chromiumOptions } from "./chromium.mjs";
import { serve } from "./serve.mjs";

// Runs in the page before its scripts: notes the times of the first frames put on #screen.
export function noteFrames() {
  const times = [];
  window.vantrellFrameTimes = times;
  const put = CanvasRenderingContext2D.prototype.putImageData;
  CanvasRenderingContext2D.prototype.putImageData = function (...args) {
    if (times.length < 2 && this.canvas.id === "screen") times.push(performance.now());
    return put.apply(this, args);
  };
}

// Milliseconds from navigation to the second frame, and when the page's largest files had
// arrived (and in how many bytes they travelled).
async function measure(page) {
  await page.waitForFunction(() => window.vantrellFrameTimes.length >= 2, null, {
    timeout: 60000,
    polling: 10,
  });
  return page.evaluate(() => {
    const files = {};
    for (const entry of performance.getEntriesByType("resource")) {
      const name = entry.name.split("/").pop();
      if (name === "vantrell.wasm" || name === "vantrell.data") {
        files[name] = { at: Math.round(entry.responseEnd), bytes: entry.transferSize };
      }
    }
    return { frameMs: Math.round(window.vantrellFrameTimes[1]), files };
  });
}

const median = (values) => [...values].sort((a, b) => a - b)[values.length >> 1];

// What the page does once its first frames are up (storing the game folder, decoding the
// sounds, a service worker's install) is let finish before each reload, as it would be before a
// player comes back; a reload in the middle of it would measure that work too.
const kSettleMs = 3000;

// A first visit in a fresh profile, then `reloads` reloads, each `settleMs` after the frames
// before it: { first, reload, reloads, files }.
export async function startUpFigures(url, reloads = 3, settleMs = kSettleMs) {
  const profile = mkdtempSync(join(tmpdir(), "vantrell-figures-"));
  const context = await chromium.launchPersistentContext(profile, {
    ...chromiumOptions,
    viewport: { width: 800, height: 720 },
  });
  try {
    await context.addInitScript(noteFrames);
    const page = context.pages()[0] || (await context.newPage());
    await page.goto(url + "index.html?lang=en");
    const first = await measure(page);
    const again = [];
    for (let i = 0; i < reloads; ++i) {
      await page.waitForTimeout(settleMs);
      await page.reload();
      again.push((await measure(page)).frameMs);
    }
    return {
      first: first.frameMs,
      reload: again.length ? median(again) : 0,
      reloads: again,
      files: first.files,
    };
  } finally {
    await context.close();
    rmSync(profile, { recursive: true, force: true });
  }
}

export function describeStartUp({ first, reload, reloads, files }) {
  const file = (name) =>
    files[name] ? `${name} by ${files[name].at} ms in ${files[name].bytes} bytes` : "";
  return (
    `first moving frame: first visit ${first} ms (${file("vantrell.wasm")}, ` +
    `${file("vantrell.data")}), reload ${reload} ms (median of ${reloads.join(", ")})`
  );
}

if (process.argv[1] === fileURLToPath(import.meta.url)) {
  const args = process.argv.slice(2);
  const option = (name, fallback) => {
    const at = args.indexOf(name);
    return at >= 0 ? args[at + 1] : fallback;
  };
  const { server, url } = await serve({ "/": option("--www", "build-web/www") });
  try {
    for (let run = Number(option("--runs", 3)); run > 0; --run) {
      const settleMs = Number(option("--settle", kSettleMs));
      console.log(describeStartUp(await startUpFigures(url, 3, settleMs)));
    }
  } finally {
    server.close();
  }
}
