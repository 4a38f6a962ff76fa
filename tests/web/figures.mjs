// How fast the page comes up, as a player sees it: from navigation to the first moving picture
// (the second frame the game draws on its canvas), on a first visit with a fresh browser
// profile and on reloads of it, in a browser that has finished starting, as a player's has.
// Measured from outside the page: a script the browser runs before the page's own notes when
// the canvas is drawn, so any build of the page can be measured the same way. Figures only,
// never a pass or fail: the machine is shared and noisy.
//
//   node tests/web/figures.mjs [--www DIR] [--against DIR2] [--runs N] [--reloads R] [--settle MS]
//                              [--warm MS]
// serves DIR (build-web/www by default) and prints N (3) runs' figures, each in a fresh profile,
// the page opened MS (2000) milliseconds after the browser (--warm), reloading R (3) times, each
// MS (3000) milliseconds after the frames before; with DIR2, the two builds take turns and
// their medians follow. The test command prints one run once its builds are done
// (scripts/setup.sh, phase browser-figures).
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

// A browser just started is busy with its own start for a second or more (Chromium prepares
// its address bar's pages in a renderer of their own, over a second of a core here), which on
// two cores would be measured as the page's. A player's first visit comes to a running browser.
const kWarmMs = 2000;

// A first visit in a fresh profile, `warmMs` after the browser started, then `reloads` reloads,
// each `settleMs` after the frames before it: { first, reload, reloads, files }.
export async function startUpFigures(url, reloads = 3, settleMs = kSettleMs, warmMs = kWarmMs) {
  const profile = mkdtempSync(join(tmpdir(), "vantrell-figures-"));
  const context = await chromium.launchPersistentContext(profile, {
    ...chromiumOptions,
    viewport: { width: 800, height: 720 },
  });
  try {
    await context.addInitScript(noteFrames);
    const page = context.pages()[0] || (await context.newPage());
    await page.waitForTimeout(warmMs);
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
      reload: again.length ? median(again) : null,
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
    `${file("vantrell.data")})` +
    (reloads.length ? `, reload ${reload} ms (median of ${reloads.join(", ")})` : "")
  );
}

if (process.argv[1] === fileURLToPath(import.meta.url)) {
  const args = process.argv.slice(2);
  const option = (name, fallback) => {
    const at = args.indexOf(name);
    return at >= 0 ? args[at + 1] : fallback;
  };
  // With --against, two builds take turns, run by run, so a change is judged against figures
  // from the same minutes of this noisy machine rather than from another sitting.
  const folders = [option("--www", "build-web/www"), option("--against", null)].filter(Boolean);
  const served = await Promise.all(folders.map((folder) => serve({ "/": folder })));
  const settleMs = Number(option("--settle", kSettleMs));
  const reloads = Number(option("--reloads", 3));
  const warmMs = Number(option("--warm", kWarmMs));
  const taken = folders.map(() => []);
  try {
    for (let run = Number(option("--runs", 3)); run > 0; --run) {
      for (const [i, { url }] of served.entries()) {
        const figures = await startUpFigures(url, reloads, settleMs, warmMs);
        taken[i].push(figures);
        console.log((folders.length > 1 ? folders[i] + ": " : "") + describeStartUp(figures));
      }
    }
    if (folders.length > 1) {
      for (const [i, folder] of folders.entries()) {
        const firsts = taken[i].map((figures) => figures.first);
        const again = taken[i].flatMap((figures) => figures.reloads);
        console.log(
          `${folder}: first visit median ${median(firsts)} ms (${firsts.join(", ")})` +
            (again.length ? `, reload median ${median(again)} ms` : ""),
        );
      }
    }
  } finally {
    for (const { server } of served) server.close();
  }
}
