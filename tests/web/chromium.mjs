// Debian's Chromium as the browser tests and the README's pictures start it: headless, without a
// sandbox (CI runs as root) and without the background connections a closed network refuses.
export const chromiumOptions = {
  executablePath: process.env.CHROMIUM || "/usr/bin/chromium",
  headless: true,
  args: [
    "--no-sandbox",
    "--disable-gpu",
    "--disable-background-networking",
    "--disable-component-update",
    "--disable-sync",
    "--no-first-run",
  ],
};

// Opens the page at `pageUrl` (`query` after index.html) in `tab`, adds the tests' hooks
// (served at /hooks/) and waits for the game to start; throws if the page says it failed.
// Resolves to the program's commands by name.
export async function openWithHooks(tab, pageUrl, query = "?lang=en") {
  await tab.goto(pageUrl + "index.html" + query);
  await tab.evaluate(() => import("/hooks/checks.js"));
  await tab.waitForFunction(() => vantrellChecks.host.started || vantrellChecks.host.failed);
  const failed = await tab.evaluate(() => vantrellChecks.host.failed);
  if (failed) throw new Error("the page did not start: " + failed);
  return tab.evaluate(() => ({ ...vantrellChecks.Command }));
}
