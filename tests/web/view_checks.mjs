// The picture modes in the page, part of browser_test.mjs's suite, in a browser context of its
// own: each mode chosen under the picture gives the canvas that mode's band (the size the
// tool's `render --view` writes), the race display follows Wide's wider window, a solo race
// driven by the suite's recording in Wide pauses where it did in the original and shows, band
// stretched as the window shows it, exactly the tool's `replay --view wide` frame; the choice
// is kept over a reload, and the original comes back at its own size.
import { readFileSync } from "node:fs";
import { chromium } from "playwright-core";
import { chromiumOptions, openWithHooks } from "./chromium.mjs";

// A BMP's width and height (BITMAPINFOHEADER).
function bmpSize(path) {
  const bytes = readFileSync(path);
  return [bytes.readInt32LE(18), Math.abs(bytes.readInt32LE(22))];
}

// How many bytes of the canvas's band, stretched with nearest neighbour onto the reference
// image's size as the window shows it, differ from that image.
async function differingFromReference(page, reference) {
  return page.evaluate(async (name) => {
    const image = new Image();
    image.src = name;
    await image.decode();
    const ref = document.createElement("canvas");
    ref.width = image.width;
    ref.height = image.height;
    ref.getContext("2d").drawImage(image, 0, 0);
    const want = ref.getContext("2d").getImageData(0, 0, image.width, image.height).data;
    const screen = document.getElementById("screen");
    const bandRows = Math.round((screen.height * 270) / 292);
    const band = screen.getContext("2d").getImageData(0, 0, screen.width, bandRows).data;
    let count = 0;
    for (let y = 0; y < image.height; ++y) {
      const from = Math.floor((y * bandRows) / image.height) * screen.width;
      for (let x = 0; x < image.width; ++x) {
        const source = (from + Math.floor((x * screen.width) / image.width)) * 4;
        for (let k = 0; k < 4; ++k) {
          count += band[source + k] !== want[(y * image.width + x) * 4 + k] ? 1 : 0;
        }
      }
    }
    return count;
  }, reference);
}

export async function viewChecks(
  check,
  { url, native, game, scratch, recording, pauseAt, originalState, figures },
) {
  const modes = ["sharp2", "sharp4", "wide"];
  const bands = {};
  for (const mode of modes) {
    const out = `${scratch}/band-${mode}.bmp`;
    native(
      ...["render", "--stage", "1", "--x", "150", "--y", "120", "--heading", "0"],
      ...["--view", mode, "--out", out, "--dir", game],
    );
    bands[mode] = bmpSize(out);
  }
  const browser = await chromium.launch(chromiumOptions);
  try {
    const context = await browser.newContext({
      serviceWorkers: "block",
      viewport: { width: 1280, height: 800 },
    });
    const page = await context.newPage();
    const errors = [];
    page.on("pageerror", (error) => errors.push(error.message));
    const open = () => openWithHooks(page, url);
    const shown = () =>
      page.evaluate(() => {
        const screen = document.getElementById("screen");
        const panel = document.getElementById("panel");
        return {
          canvas: [screen.width, screen.height],
          css: [parseFloat(screen.style.width), parseFloat(screen.style.height)],
          panel: [panel.width, parseFloat(panel.style.width)],
          frames: vantrellChecks.state().frames,
        };
      });
    // Some frames drawn after a choice (ticks already due, at most four, may come first), so the
    // canvas shows the chosen mode.
    const choose = async (mode) => {
      const before = (await shown()).frames;
      await page.locator("#view-mode").selectOption(mode);
      await page.waitForFunction((at) => vantrellChecks.state().frames > at + 8, before);
      return shown();
    };

    await open();
    const options = await page
      .locator("#view-mode option")
      .evaluateAll((all) => all.map((option) => [option.value, option.text]));
    check(
      options.map(([value]) => value).join() === "original,sharp2,sharp4,wide" &&
        options.every(([, text]) => text && !/[\u3040-\u30ff\u4e00-\u9fff]/.test(text)),
      "the page offers the four picture modes, named in the page's language",
      JSON.stringify(options),
    );

    const seen = {};
    for (const mode of modes) seen[mode] = await choose(mode);
    const withStrip = (rows) => Math.round((rows * 292) / 270);
    check(
      modes.every(
        (mode) =>
          seen[mode].canvas[0] === bands[mode][0] &&
          seen[mode].canvas[1] === withStrip(bands[mode][1]),
      ),
      "each mode's canvas holds the band the tool draws in that mode, the strip below it",
      JSON.stringify({ seen, bands }),
    );
    const aspect = (mode) => seen[mode].css[0] / seen[mode].css[1];
    check(
      Math.abs(aspect("sharp4") - 248 / 292) < 0.01 &&
        Math.abs(aspect("wide") - 480 / 292) < 0.01 &&
        seen.wide.panel[0] === 480 &&
        seen.wide.panel[1] === seen.wide.css[0],
      "the finer bands are shown in the window's shape, Wide's race display as wide as its picture",
      JSON.stringify(seen),
    );

    // A solo race from the menu, driven by the suite's recording, paused after `at` ticks; the
    // time each tick took.
    const race = async (at) => {
      await page.evaluate(
        ([bytes, steps]) => vantrellChecks.driveNextSolo(new Uint8Array(bytes), steps),
        [recording, at],
      );
      await page.evaluate(() => (vantrellChecks.host.tickTimes.length = 0));
      await page.keyboard.press("Alt+g");
      await page.keyboard.press("1");
      await page.waitForFunction(
        (steps) => vantrellChecks.state().paused && vantrellChecks.state().driveSteps === steps,
        at,
        { timeout: 60000, polling: 50 },
      );
      return page.evaluate(() => [...vantrellChecks.host.tickTimes].sort((a, b) => a - b));
    };
    if (figures) {
      // Most of the race (the stage's best run ends near tick 950), before anything reads the
      // canvas back.
      const ticks = await race(850);
      console.log(
        `figures: Wide tick median ${ticks[ticks.length >> 1].toFixed(3)} ms, ` +
          `p99 ${ticks[Math.floor(ticks.length * 0.99)].toFixed(3)} ms over ${ticks.length}`,
      );
    }

    // The suite's race again, in Wide.
    await race(pauseAt);
    const state = await page.evaluate(() => vantrellChecks.state());
    check(
      state.raceTicks === originalState.raceTicks &&
        state.craft.join() === originalState.craft.join(),
      "the same recording pauses in Wide where it paused in the original",
      JSON.stringify({ wide: state, original: originalState }),
    );
    const differing = await differingFromReference(
      page,
      `/ref-wide/frame_${String(pauseAt).padStart(4, "0")}.png`,
    );
    check(
      differing === 0,
      `Wide at tick ${pauseAt}, as the window shows it, equals vantrell-tool replay --view wide`,
      `${differing} bytes differ`,
    );
    await open();
    await page.waitForFunction(
      () => document.getElementById("screen").width !== 248 && vantrellChecks.state().frames > 2,
    );
    const reloaded = [await page.locator("#view-mode").inputValue(), (await shown()).canvas];
    check(
      reloaded[0] === "wide" && reloaded[1][0] === bands.wide[0],
      "the chosen mode is kept over a reload",
      JSON.stringify(reloaded),
    );
    const back = await choose("original");
    check(
      back.canvas.join() === "248,292" && back.panel[0] === 248,
      "the original comes back at the window's own size",
      JSON.stringify(back),
    );
    check(errors.length === 0, "no errors on the page while modes change", errors.join("\n    "));
  } finally {
    await browser.close();
  }
}
