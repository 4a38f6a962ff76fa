// The browser build as it travels and as it is kept, part of browser_test.mjs's suite: the
// server's compressed answers and headers, the web app manifest and icons, the page playing
// offline after a first visit, a new build replacing the kept one, and what a server answers
// under /api/ or to `?run=` never kept. It serves a copy of the build, so that a "new build"
// can be made in it with the build's own last step (tools/finish_www.mjs).
import { execFileSync } from "node:child_process";
import { appendFileSync, cpSync, mkdirSync, readFileSync, writeFileSync } from "node:fs";
import { request } from "node:http";
import { dirname, join } from "node:path";
import { fileURLToPath } from "node:url";
import { brotliDecompressSync, gunzipSync } from "node:zlib";
import { chromium } from "playwright-core";
import { chromiumOptions } from "./chromium.mjs";
import { noteFrames } from "./figures.mjs";
import { serve } from "./serve.mjs";

const source = join(dirname(fileURLToPath(import.meta.url)), "../../src/hosts/web");

function get(url, headers = {}) {
  return new Promise((done, fail) => {
    request(url, { headers }, (response) => {
      const chunks = [];
      response.on("data", (chunk) => chunks.push(chunk));
      response.on("end", () =>
        done({
          statusCode: response.statusCode,
          headers: response.headers,
          body: Buffer.concat(chunks),
        }),
      );
    })
      .on("error", fail)
      .end();
  });
}

const kDecode = { br: brotliDecompressSync, gzip: gunzipSync };

// The server's answers, through plain HTTP.
async function checkServing(check, url, www) {
  for (const name of ["vantrell.wasm", "vantrell.data", "main.js"]) {
    const bytes = readFileSync(join(www, name));
    const seen = [];
    for (const accept of ["gzip, deflate, br", "gzip", "identity", ""]) {
      const answer = await get(url + name, { "Accept-Encoding": accept });
      const encoding = answer.headers["content-encoding"] || "identity";
      const body = kDecode[encoding] ? kDecode[encoding](answer.body) : answer.body;
      seen.push({
        accept,
        encoding,
        size: answer.body.length,
        vary: answer.headers.vary,
        same: Buffer.compare(body, bytes) === 0,
      });
    }
    const want = ["br", "gzip", "identity", "identity"];
    check(
      seen.every(
        (answer, i) =>
          answer.encoding === want[i] &&
          answer.vary === "Accept-Encoding" &&
          answer.same &&
          (want[i] === "identity" ? answer.size === bytes.length : answer.size < bytes.length / 2),
      ),
      `${name} travels brotli- or gzip-compressed as the request allows, else as it is`,
      JSON.stringify(seen),
    );
  }
  const wasm = await get(url + "vantrell.wasm", { "Accept-Encoding": "br" });
  check(
    wasm.headers["content-type"] === "application/wasm",
    "the program is served as application/wasm",
  );
  const again = await get(url + "vantrell.wasm", {
    "Accept-Encoding": "br",
    "If-None-Match": wasm.headers.etag,
  });
  check(
    wasm.headers["cache-control"] === "no-cache" && again.statusCode === 304,
    "the files are asked for again each visit and answered 304 while unchanged",
  );
  const live = await Promise.all([get(url + "api/state"), get(url + "index.html?run=1")]);
  check(
    live.every((answer) => answer.headers["cache-control"] === "no-store"),
    "what answers under /api/ or to ?run= is marked never to be stored",
  );
}

// The caches once one build's is left and it is not `before`'s, or after 20 s: their names,
// whether the first holds the new build's page.css, and where the workers stand.
const replacement = (page, before) =>
  page.evaluate(async (before) => {
    const started = Date.now();
    for (;;) {
      const names = (await caches.keys()).filter((name) => name.startsWith("vantrell-"));
      if ((names.length === 1 && names[0] !== before[0]) || Date.now() - started > 20000) {
        const css = await (await (await caches.open(names[0])).match("page.css")).text();
        const registration = await navigator.serviceWorker.getRegistration();
        const workers = {};
        for (const state of ["installing", "waiting", "active"]) {
          const worker = registration && registration[state];
          if (worker) workers[state] = worker.state;
        }
        return { names, css: css.includes("a new build"), workers };
      }
      await new Promise((done) => setTimeout(done, 100));
    }
  }, before);

// Resolves once a service worker controls the page and has kept the build.
const kept = (page) =>
  page.evaluate(async () => {
    await navigator.serviceWorker.ready;
    while (!navigator.serviceWorker.controller) await new Promise((done) => setTimeout(done, 50));
    return caches.keys();
  });

async function moving(page) {
  await page.waitForFunction(() => window.vantrellFrameTimes.length >= 2, null, {
    timeout: 30000,
  });
}

// A server that does not call the program application/wasm: the page compiles it from the whole
// file instead, says why, and the game moves.
async function checkOtherType(check, url) {
  const browser = await chromium.launch(chromiumOptions);
  try {
    const page = await browser.newPage();
    await page.addInitScript(noteFrames);
    const warnings = [];
    page.on("console", (message) => warnings.push(message.text()));
    await page.route("**/vantrell.wasm", async (route) => {
      const response = await route.fetch();
      const headers = { ...response.headers(), "content-type": "application/octet-stream" };
      delete headers["content-encoding"]; // the body fetched is decoded already
      delete headers["content-length"];
      await route.fulfill({ response, headers });
    });
    await page.goto(url + "index.html?lang=en");
    await moving(page);
    check(
      warnings.some((text) => /could not be compiled as it arrived.*MIME/.test(text)),
      "served as another type, the program is compiled from the whole file and the game moves",
      warnings.join("\n    "),
    );
  } finally {
    await browser.close();
  }
}

export async function offlineChecks(check, www, scratch) {
  const copy = join(scratch, "www-copy");
  cpSync(www, copy, { recursive: true });
  const api = join(scratch, "api");
  mkdirSync(api);
  writeFileSync(join(api, "state"), "first");
  const { server, url } = await serve({ "/": copy, "/api/": api });
  const context = await chromium.launchPersistentContext(join(scratch, "offline-profile"), {
    ...chromiumOptions,
  });
  try {
    await checkServing(check, url, copy);
    await checkOtherType(check, url);
    await context.addInitScript(noteFrames);
    const page = context.pages()[0] || (await context.newPage());
    const warnings = [];
    page.on("console", (message) => warnings.push(message.text()));
    const cdp = await context.newCDPSession(page);
    await page.goto(url + "index.html?lang=en");
    await moving(page);
    check(
      !warnings.some((text) => /streaming|MIME|compiled as it arrived/i.test(text)),
      "the program compiles as it streams in",
      warnings.join("\n    "),
    );
    const travelled = await page.evaluate(() =>
      performance
        .getEntriesByType("resource")
        .filter((entry) => /vantrell\.(wasm|data)$/.test(entry.name))
        .map((entry) => entry.encodedBodySize < entry.decodedBodySize / 2),
    );
    check(
      travelled.length === 2 && travelled.every(Boolean),
      "the browser got the program and its data compressed",
    );

    // Installable, with the game's icon.
    const { installabilityErrors } = await cdp.send("Page.getInstallabilityErrors");
    const manifest = await page.evaluate(async () => {
      const read = await (await fetch("manifest.webmanifest")).json();
      const sizes = await Promise.all(
        read.icons.map(async (icon) => {
          const image = new Image();
          image.src = icon.src;
          await image.decode();
          return `${image.naturalWidth}x${image.naturalHeight}` === icon.sizes;
        }),
      );
      const link = document.querySelector('link[rel="icon"]');
      const favicon = await fetch("/favicon.ico");
      return {
        name: read.name,
        sizes,
        large: read.icons.some((icon) => parseInt(icon.sizes, 10) >= 144),
        link: link && (await fetch(link.href)).ok,
        favicon: favicon.ok && favicon.headers.get("content-type"),
      };
    });
    check(
      installabilityErrors.length === 0 &&
        manifest.name === "Vantrell" &&
        manifest.sizes.every(Boolean) &&
        manifest.large &&
        manifest.link &&
        manifest.favicon === "image/x-icon",
      "the page is an installable web app: its manifest, its icons at their sizes, a favicon",
      JSON.stringify({ installabilityErrors, manifest }),
    );

    // Offline after a first visit: the page reloads and plays.
    const caches1 = await kept(page);
    await context.setOffline(true);
    await page.reload();
    await moving(page);
    const offline = await page.evaluate(async () => {
      const answered = async (address) =>
        fetch(address).then(
          (answer) => answer.ok,
          () => false,
        );
      return {
        page: await answered("index.html"),
        api: await answered("/api/state"),
        run: await answered("index.html?run=1"),
      };
    });
    check(true, "offline, after a first visit, the page reloads and the game moves");
    check(
      offline.page && !offline.api && !offline.run,
      "offline, nothing under /api/ or with ?run= is answered from what was kept",
      JSON.stringify(offline),
    );
    await context.setOffline(false);
    writeFileSync(join(api, "state"), "second");
    const live = await page.evaluate(async () => {
      const state = await (await fetch("/api/state")).text();
      const keys = [];
      for (const name of await caches.keys()) {
        for (const request of await (await caches.open(name)).keys()) keys.push(request.url);
      }
      return { state, stored: keys.filter((key) => /\/api\/|[?&]run=/.test(key)) };
    });
    check(
      live.state === "second" && live.stored.length === 0,
      "what answers under /api/ is fetched live and never kept",
      JSON.stringify(live),
    );

    // A new build: one file changed, the last build step run again. The next visit takes it.
    appendFileSync(join(copy, "page.css"), "\n/* a new build */\n");
    execFileSync(process.execPath, [
      join(source, "tools/finish_www.mjs"),
      copy,
      join(source, "page/sw.js"),
    ]);
    await page.reload();
    await moving(page);
    let replaced = await replacement(page, caches1);
    // Chromium lets a new worker take over, even one that skips waiting, only once the worker
    // it replaces has no event in flight; about one run in five here that took longer than
    // the wait. A player's next visit is then where the new build takes over.
    if (replaced.names.length !== 1 && replaced.workers.waiting === "installed") {
      await page.goto("about:blank");
      await page.goto(url + "index.html?lang=en");
      await moving(page);
      replaced = { ...(await replacement(page, caches1)), nextVisit: true };
      console.log("  (the new build still waited on the old one: the page was opened again)");
    }
    check(
      caches1.length === 1 && replaced.names.length === 1 && replaced.css,
      "a new build replaces the kept files and drops the old ones",
      JSON.stringify({ caches1, replaced }),
    );
  } finally {
    await context.close();
    server.close();
  }
}
