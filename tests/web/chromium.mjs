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
