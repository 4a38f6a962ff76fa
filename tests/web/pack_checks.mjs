// Stage packs in the page, part of browser_test.mjs's suite, in a browser context of its own
// (its database kept over reloads): the build's example pack uploaded through "Add a stage
// pack…" is taken, found in the stage list after a reload (name in the page's language, author,
// best time as the tool reads them), raced from there a few ticks driven by its own best run;
// and archives made here from it (one entry renamed with "../", the pack cut short) are refused
// in the message box with the reason, the list unchanged.
import { readFileSync, writeFileSync } from "node:fs";
import { join } from "node:path";
import { chromium } from "playwright-core";
import { chromiumOptions, openWithHooks } from "./chromium.mjs";

// The pack with its MAP0.DAT entry renamed "../0.DAT" (as long, so the archive stays whole):
// the name is written in the entry's local header and in the central directory, and no
// checksum covers it.
function withDotDotName(pack) {
  const bytes = Buffer.from(pack);
  const from = Buffer.from("MAP0.DAT");
  let renamed = 0;
  for (let at = bytes.indexOf(from); at >= 0; at = bytes.indexOf(from, at + 1)) {
    bytes.write("../0.DAT", at, "latin1");
    renamed += 1;
  }
  if (renamed !== 2) throw new Error(`MAP0.DAT found ${renamed} times in the pack, not twice`);
  return bytes;
}

export async function packChecks(check, { url, native, scratch, packPath, designPath }) {
  const design = readFileSync(designPath, "utf8");
  const nameEn = /^name_en\s*=\s*"(.*)"/m.exec(design)[1];
  const author = /^author\s*=\s*"(.*)"/m.exec(design)[1];
  const best = native("table", "--pack", packPath)
    .split("\n")
    .map((line) => line.trim().split(/\s+/))
    .find((fields) => fields[1] === "1")[2];
  const runPath = join(scratch, "pack-best.run");
  native("export", "--pack", packPath, "--rank", "1", "--out", runPath);
  const recording = [...readFileSync(runPath).subarray(62, 62 + 2400)];
  const packBytes = readFileSync(packPath);
  const hostilePath = join(scratch, "hostile.vstage");
  writeFileSync(hostilePath, withDotDotName(packBytes));
  const cutPath = join(scratch, "cut.vstage");
  writeFileSync(cutPath, packBytes.subarray(0, packBytes.length >> 1));

  const browser = await chromium.launch(chromiumOptions);
  try {
    const context = await browser.newContext({ serviceWorkers: "block" });
    const page = await context.newPage();
    const errors = [];
    page.on("pageerror", (error) => errors.push(error.message));
    let Command = {};
    const open = async () => {
      Command = await openWithHooks(page, url);
    };
    const dialog = (kind) => page.locator(`[data-dialog="${kind}"]`);
    const menu = async (command) => {
      await page.locator('[data-menu="1"]').click(); // the stage menu
      await page.locator(`[data-command="${command}"]`).click();
    };
    // Uploads the file through "Add a stage pack…"; the text of the box the game answers with.
    const upload = async (path) => {
      await menu(Command.AddStagePack);
      await dialog("file").locator('input[type="file"]').setInputFiles(path);
      const box = page.locator('[data-dialog="message"], [data-dialog="yesno"]');
      await box.waitFor();
      return { kind: await box.getAttribute("data-dialog"), text: await box.innerText() };
    };
    const close = async (kind, answer) => {
      await dialog(kind).locator(`[data-answer="${answer}"]`).click();
      await dialog(kind).waitFor({ state: "detached" });
    };
    // The stage list's rows as shown, each its columns' texts.
    const stageRows = async () => {
      await menu(Command.MoreStages);
      await dialog("stages").waitFor();
      return dialog("stages")
        .locator(".vt-stage-list .vt-row")
        .evaluateAll((rows) =>
          rows.map((row) => [...row.children].map((cell) => cell.textContent.trim())),
        );
    };

    await open();
    const added = await upload(packPath);
    await close(added.kind, added.kind === "yesno" ? "no" : "ok"); // not raced yet
    await page.evaluate(() => vantrellChecks.settled()); // stored before the page goes
    check(
      added.kind === "yesno" && added.text.includes(nameEn),
      "the example pack uploaded through Add a stage pack is taken and named",
      JSON.stringify(added),
    );

    await open();
    const rows = await stageRows();
    const packRow = rows.length === 6 ? rows[5] : [];
    check(
      packRow.join("|") === [nameEn, author, best].join("|"),
      "after a reload the stage list holds the five stages and the pack: name, author, best time",
      JSON.stringify(rows),
    );
    await dialog("stages").locator(".vt-stage-list .vt-row").nth(5).dispatchEvent("mousedown");
    await close("stages", "race");
    await page.evaluate(
      ([bytes, steps]) => vantrellChecks.driveNextSolo(new Uint8Array(bytes), steps),
      [recording, 120],
    );
    await page.keyboard.press("Alt+g");
    await page.keyboard.press("1");
    await page.waitForFunction(
      () => vantrellChecks.state().paused && vantrellChecks.state().driveSteps === 120,
      null,
      { timeout: 60000, polling: 50 },
    );
    const raced = await page.evaluate(() => vantrellChecks.state());
    check(
      /^[0-9a-f]{64}$/.test(raced.pack) && raced.raceTicks > 0,
      "the pack's stage is raced from the list, driven by its own best run",
      JSON.stringify(raced),
    );

    const refusals = [];
    for (const path of [hostilePath, cutPath]) {
      const refused = await upload(path);
      refusals.push(refused);
      await close(refused.kind, "ok");
    }
    check(
      refusals[0].kind === "message" && refusals[0].text.includes("'../0.DAT'"),
      "an archive with a '../' name is refused in the message box with the reason",
      JSON.stringify(refusals[0]),
    );
    check(
      refusals[1].kind === "message" && refusals[1].text.includes("not a readable zip archive"),
      "a pack cut short is refused as no readable zip archive",
      JSON.stringify(refusals[1]),
    );
    await page.evaluate(() => vantrellChecks.settled());
    await open();
    const after = await stageRows();
    await close("stages", "close");
    check(
      JSON.stringify(after) === JSON.stringify(rows),
      "the refused archives changed nothing: the same list after a reload",
      JSON.stringify(after),
    );
    check(errors.length === 0, "no errors on the page with stage packs", errors.join("\n    "));
  } finally {
    await browser.close();
  }
}
