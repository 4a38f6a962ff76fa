// The page on a phone, part of browser_test.mjs's suite, in a browser context of its own: a
// 390 x 844 touch screen (playwright's hasTouch and isMobile), touched through Chromium's own
// touch events. The page fits without zooming or scrolling sideways, the picture as wide as the
// screen and the touch controls below it, and beside it in landscape; the menus work by tap; in
// free drive the controls steer player 1's craft (its heading and position, from the program),
// a tap that begins and ends between two ticks turning it exactly one step; in a solo race the
// pause and retry controls act; the race display and splits switches act and are kept over a
// reload; and full screen holds the race display and a dialog opened in it.
// With VANTRELL_PHONE_SHOT=FILE.png it also takes the picture of the page on a phone the docs show.
import { chromium } from "playwright-core";
import { chromiumOptions, openWithHooks } from "./chromium.mjs";

const kPhone = { width: 390, height: 844 };
const kHeadings = 64;

export async function touchChecks(check, { url, recording }) {
  const shot = process.env.VANTRELL_PHONE_SHOT;
  const browser = await chromium.launch(chromiumOptions);
  try {
    const context = await browser.newContext({
      serviceWorkers: "block",
      viewport: kPhone,
      hasTouch: true,
      isMobile: true,
      deviceScaleFactor: 2,
    });
    const page = await context.newPage();
    page.setDefaultTimeout(10000); // a control or entry out of reach fails soon
    const errors = [];
    page.on("pageerror", (error) => errors.push(error.message));
    const cdp = await context.newCDPSession(page);
    const state = () => page.evaluate(() => vantrellChecks.state());
    const waitState = (test, arg = null, timeout = 20000) =>
      page.waitForFunction(test, arg, { timeout, polling: 20 });
    let Command = {};
    const open = async () => {
      Command = await openWithHooks(page, url);
    };
    // A finger down on the middle of an element, and up again, as the touch screen reports it.
    const centre = async (selector) => {
      const box = await page.locator(selector).boundingBox();
      return { x: box.x + box.width / 2, y: box.y + box.height / 2, id: 1 };
    };
    const touchDown = async (selector) =>
      cdp.send("Input.dispatchTouchEvent", {
        type: "touchStart",
        touchPoints: [await centre(selector)],
      });
    const touchUp = () =>
      cdp.send("Input.dispatchTouchEvent", { type: "touchEnd", touchPoints: [] });
    const control = (name) => `#touch [data-touch="${name}"]`;
    // Until the game has drawn `ticks` more frames (counted from `from`).
    const ticksPass = async (ticks, from = null) =>
      waitState(
        (at) => vantrellChecks.state().frames >= at,
        (from ?? (await state()).frames) + ticks,
      );
    // Held for `ticks` ticks of the game.
    const touchFor = async (name, ticks) => {
      const from = (await state()).frames;
      await touchDown(control(name));
      await ticksPass(ticks, from);
      await touchUp();
    };
    const tapEntry = async (popup, selector) => {
      await page.locator(`[data-menu="${popup}"]`).tap();
      await page.locator(selector).tap();
    };
    const overlap = (a, b) =>
      a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
    // Where the picture, the race display and the controls are, and whether the page is zoomed
    // or scrolls sideways.
    const layout = () =>
      page.evaluate(() => {
        const box = (node) => node.getBoundingClientRect().toJSON();
        return {
          screen: box(document.getElementById("screen")),
          panel: box(document.getElementById("panel")),
          controls: [...document.querySelectorAll("#touch [data-touch]")].map(box),
          width: innerWidth,
          height: innerHeight,
          scrollWidth: document.documentElement.scrollWidth,
          scale: visualViewport.scale,
        };
      });
    // Six controls on the screen, for thumbs, clear of the picture and the race display.
    const controlsFit = (at) =>
      at.scrollWidth <= at.width &&
      at.scale === 1 &&
      at.controls.length === 6 &&
      at.controls.every(
        (r) =>
          r.left >= 0 &&
          r.top >= 0 &&
          r.right <= at.width &&
          r.bottom <= at.height &&
          r.width >= 48 &&
          r.height >= 48 &&
          !overlap(r, at.screen) &&
          !overlap(r, at.panel),
      );

    await open();
    await waitState(() => vantrellChecks.state().frames > 2);
    const portrait = await layout();
    await page.setViewportSize({ width: kPhone.height, height: kPhone.width });
    await page.waitForTimeout(200);
    const landscape = await layout();
    await page.setViewportSize(kPhone);
    check(
      controlsFit(portrait) &&
        portrait.screen.width >= 0.95 * kPhone.width &&
        portrait.panel.bottom < portrait.controls[0].top &&
        controlsFit(landscape),
      "on a 390 x 844 phone the page fits unzoomed, the picture as wide as the screen, the " +
        "touch controls for thumbs below the race display, and beside the picture in landscape",
      JSON.stringify({ portrait, landscape }),
    );

    // ---- free drive, chosen by tap, steered by touch
    await tapEntry(0, `[data-command="${Command.FreeDrive}"]`);
    await waitState(() => vantrellChecks.state().mode === 4 && !vantrellChecks.dialogOpen());
    // Past the countdown, which takes the controls away.
    await ticksPass(70);
    // A tap between two ticks: the game holds its ticks while the finger goes down and up.
    await page.evaluate(() => vantrellChecks.holdTicks(true));
    const before = await state();
    await touchDown(control("left"));
    await touchUp();
    await page.waitForTimeout(50);
    const held = await state();
    await page.evaluate(() => vantrellChecks.holdTicks(false));
    await ticksPass(5, held.frames);
    const tapped = await state();
    check(
      held.frames === before.frames &&
        tapped.heading === (before.heading + kHeadings - 1) % kHeadings,
      "a tap on Turn left that begins and ends between two ticks turns the craft one step",
      JSON.stringify({ before, held, tapped }),
    );
    await touchFor("right", 12);
    const turned = await state();
    await ticksPass(10, turned.frames);
    const after = await state();
    const steps = (turned.heading - tapped.heading + kHeadings) % kHeadings;
    check(
      steps >= 10 && steps < kHeadings / 2 && after.heading === turned.heading,
      "Turn right held for twelve ticks turns the craft right a step a tick, and no more once let go",
      JSON.stringify({ tapped, turned, after }),
    );
    // Forward along the heading, reverse against it: the craft's way over the next ticks,
    // against the direction it points (heading 0 is +x, 16 is +y).
    const along = async (name) => {
      const from = await state();
      await touchFor(name, 10);
      const to = await state();
      const angle = (2 * Math.PI * from.heading) / kHeadings;
      // x wraps round the course's 400 units (204800 in the craft's fixed point).
      const dx = ((to.craft[0] - from.craft[0] + 307200) % 204800) - 102400;
      return dx * Math.cos(angle) + (to.craft[1] - from.craft[1]) * Math.sin(angle);
    };
    const forward = await along("forward");
    await page.waitForTimeout(1500); // the drag all but stops the craft again
    const backward = await along("reverse");
    check(
      forward > 2000 && backward < -2000,
      "Forward drives the craft along its heading, Reverse back against it",
      JSON.stringify({ forward, backward }),
    );

    // ---- a solo race by tap, the stored run driving; pause, the splits, retry by touch
    await page.evaluate(
      (bytes) => vantrellChecks.driveNextSolo(new Uint8Array(bytes), 0),
      [...recording],
    );
    await tapEntry(0, `[data-command="${Command.Solo}"]`);
    await waitState(() => (vantrellChecks.panel.shown() || {}).split, null, 60000);
    await page.locator(control("pause")).tap();
    await waitState(() => vantrellChecks.state().paused);
    // The split's colours in the race display's text, left of the map.
    const splitPixels = () =>
      page.evaluate(() => {
        const canvas = document.getElementById("panel");
        const { data } = canvas.getContext("2d").getImageData(0, 0, canvas.width - 72, 72);
        let count = 0;
        for (let i = 0; i < data.length; i += 4) {
          const green = data[i] < 100 && data[i + 1] > 180 && data[i + 2] < 100;
          const red = data[i] > 200 && data[i + 1] < 100 && data[i + 2] < 100;
          count += green || red ? 1 : 0;
        }
        return count;
      });
    const splitOn = await splitPixels();
    await tapEntry(2, '[data-entry="splits"]');
    await page.waitForTimeout(100);
    const splitOff = await splitPixels();
    const paused = await state();
    if (shot) {
      await tapEntry(2, '[data-entry="splits"]');
      await page.waitForTimeout(200);
      await page.screenshot({ path: shot });
      await tapEntry(2, '[data-entry="splits"]');
    }
    await page.locator(control("retry")).tap();
    const retried = await waitState(
      () => !vantrellChecks.state().paused && vantrellChecks.state().raceTicks < 20,
    ).then(
      () => true,
      () => false,
    );
    check(
      splitOn > 0 && splitOff === 0 && paused.paused && retried,
      "the pause control pauses a race, Settings > Splits takes the split off the panel, and " +
        "the retry control starts the race again",
      JSON.stringify({ splitOn, splitOff, paused, retried }),
    );
    await tapEntry(2, '[data-entry="race-panel"]');
    const panelShown = await page.locator("#panel").isVisible();
    await open();
    await waitState(() => vantrellChecks.state().frames > 2);
    const hiddenAfterReload = await page.evaluate(() => document.getElementById("panel").hidden);
    await page.locator('[data-menu="2"]').tap();
    const kept = await page.evaluate(() =>
      ["race-panel", "splits"].map((entry) =>
        document.querySelector(`[data-entry="${entry}"]`).classList.contains("vt-checked"),
      ),
    );
    await page.locator('[data-entry="race-panel"]').tap();
    check(
      !panelShown && hiddenAfterReload && kept.join() === "false,false",
      "Settings > Race display hides the panel; both switches are kept over a reload",
      JSON.stringify({ panelShown, hiddenAfterReload, kept }),
    );

    // ---- full screen holds the whole game, and a dialog opened in it shows
    const fullButton = page.locator("#fullscreen");
    const outside = await fullButton.textContent();
    await fullButton.tap();
    // The button's words follow the browser's change event.
    await page.waitForFunction(
      (was) =>
        document.fullscreenElement && document.getElementById("fullscreen").textContent !== was,
      outside,
    );
    const inFull = await fullButton.textContent();
    await tapEntry(0, `[data-command="${Command.Versus}"]`);
    const choice = page.locator('[data-dialog="choose"]');
    await choice.waitFor();
    const seen = await page.evaluate(() => {
      const full = document.fullscreenElement;
      const panel = document.getElementById("panel");
      const dialog = document.querySelector('[data-dialog="choose"]');
      const r = dialog.getBoundingClientRect();
      const top = document.elementFromPoint(r.left + r.width / 2, r.top + r.height / 2);
      return {
        panel: full.contains(panel) && panel.getBoundingClientRect().height > 0,
        menu: full.contains(document.getElementById("menubar")),
        dialog: full.contains(dialog) && dialog.contains(top),
      };
    });
    await choice.locator('[data-answer="cancel"]').tap();
    await fullButton.tap();
    await page.waitForFunction(() => document.fullscreenElement === null);
    check(
      seen.panel &&
        seen.menu &&
        seen.dialog &&
        outside === "Full screen" &&
        inFull === "Leave full screen (Esc)",
      "full screen holds the menus and the race display, a dialog opened in it shows over " +
        "the picture, and its button says how to leave",
      JSON.stringify({ seen, outside, inFull }),
    );
    check(errors.length === 0, "no errors on the page on a phone", errors.join("\n    "));
  } finally {
    await browser.close();
  }
}
