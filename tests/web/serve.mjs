// A static file server for the browser build, from Node's standard library: folders mounted at
// URL prefixes, loopback only. `node serve.mjs DIR [PORT]` serves DIR on 127.0.0.1 (8080 by
// default); the browser tests import `serve` and take a free port.
//
// The serving rules (docs/serving.md; any server of build-web/www keeps them):
// - a file with a pre-compressed copy beside it (NAME.br, NAME.gz, written by the build) goes
//   out as that copy when the request's Accept-Encoding takes it, brotli first, with
//   Content-Encoding; without one, or when the client takes neither, as it is. Every such file
//   answers `Vary: Accept-Encoding`.
// - the types below, `application/wasm` above all: the browser compiles it while it arrives.
// - `Cache-Control: no-cache` and an ETag for every file: the names carry no version, so the
//   browser asks each time and gets 304 while the file is unchanged. The service worker
//   (sw.js) keeps the page for offline play; sw.js itself is never kept longer.
// - `Cache-Control: no-store` for whatever answers under /api/ or to a URL with `?run=`.
import { createReadStream } from "node:fs";
import { createServer } from "node:http";
import { stat } from "node:fs/promises";
import { extname, join, normalize, resolve, sep } from "node:path";
import { fileURLToPath } from "node:url";

export const kTypes = {
  ".html": "text/html; charset=utf-8",
  ".js": "text/javascript; charset=utf-8",
  ".mjs": "text/javascript; charset=utf-8",
  ".css": "text/css; charset=utf-8",
  ".json": "application/json",
  ".webmanifest": "application/manifest+json",
  ".wasm": "application/wasm",
  ".png": "image/png",
  ".ico": "image/x-icon",
  ".opus": "audio/ogg",
  ".data": "application/octet-stream",
};
// The encodings the build writes beside a file, best first, by their file suffix.
const kEncodings = [
  ["br", ".br"],
  ["gzip", ".gz"],
];

// The content codings a request's Accept-Encoding takes (q above 0); "*" takes any.
export function acceptedEncodings(header) {
  const taken = new Set();
  const refused = new Set();
  for (const part of String(header || "").split(",")) {
    const [name, ...params] = part.trim().toLowerCase().split(";");
    if (!name) continue;
    const q = params.map((p) => p.trim()).find((p) => p.startsWith("q="));
    (q && Number(q.slice(2)) <= 0 ? refused : taken).add(name);
  }
  const takes = (name) => !refused.has(name) && (taken.has(name) || taken.has("*"));
  return kEncodings.filter(([name]) => takes(name));
}

// Never kept by a browser, a proxy or the service worker.
export function neverCached(url) {
  return url.pathname.startsWith("/api/") || url.searchParams.has("run");
}

// The representation of `file` to send: { path, size, encoding, vary, etag }, or null.
async function chooseFile(file, acceptEncoding) {
  const plain = await stat(file);
  if (!plain.isFile()) return null;
  let vary = false;
  for (const [encoding, suffix] of kEncodings) {
    const copy = await stat(file + suffix).catch(() => null);
    if (!copy) continue;
    vary = true;
    if (acceptedEncodings(acceptEncoding).some(([name]) => name === encoding)) {
      return { path: file + suffix, size: copy.size, encoding, vary, stamp: copy };
    }
  }
  return { path: file, size: plain.size, encoding: null, vary, stamp: plain };
}

// mounts: { "/": "build-web/www", "/ref/": "/tmp/frames" }. Resolves to { server, port, url }.
export function serve(mounts, port = 0) {
  const roots = Object.entries(mounts)
    .map(([prefix, dir]) => [prefix, resolve(dir)])
    .sort((a, b) => b[0].length - a[0].length);
  const server = createServer(async (request, response) => {
    const url = new URL(request.url, "http://x");
    if (neverCached(url)) response.setHeader("Cache-Control", "no-store");
    let path;
    try {
      path = decodeURIComponent(url.pathname);
    } catch {
      response.writeHead(400).end();
      return;
    }
    const mount = roots.find(([prefix]) => path.startsWith(prefix));
    if (!mount || (request.method !== "GET" && request.method !== "HEAD")) {
      response.writeHead(mount ? 405 : 404).end();
      return;
    }
    let file = normalize(join(mount[1], path.slice(mount[0].length)));
    if (file !== mount[1] && !file.startsWith(mount[1] + sep)) {
      response.writeHead(403).end(); // no way out of the served folder
      return;
    }
    try {
      if ((await stat(file)).isDirectory()) file = join(file, "index.html");
      const chosen = await chooseFile(file, request.headers["accept-encoding"]);
      if (!chosen) throw new Error("not a file");
      const etag =
        `"${chosen.stamp.mtimeMs.toString(36)}-${chosen.size.toString(36)}` +
        `${chosen.encoding ? "-" + chosen.encoding : ""}"`;
      const headers = {
        "Content-Type": kTypes[extname(file)] || "application/octet-stream",
        "Cache-Control": response.getHeader("Cache-Control") || "no-cache",
        ETag: etag,
        "X-Content-Type-Options": "nosniff",
      };
      if (chosen.vary) headers.Vary = "Accept-Encoding";
      if (chosen.encoding) headers["Content-Encoding"] = chosen.encoding;
      if (request.headers["if-none-match"] === etag) {
        response.writeHead(304, headers).end();
        return;
      }
      headers["Content-Length"] = chosen.size;
      response.writeHead(200, headers);
      if (request.method === "HEAD") {
        response.end();
        return;
      }
      createReadStream(chosen.path).pipe(response);
    } catch {
      response.writeHead(404).end();
    }
  });
  return new Promise((done, fail) => {
    server.once("error", fail);
    server.listen(port, "127.0.0.1", () => {
      const bound = server.address().port;
      done({ server, port: bound, url: `http://127.0.0.1:${bound}/` });
    });
  });
}

if (process.argv[1] === fileURLToPath(import.meta.url)) {
  const dir = process.argv[2] || "build-web/www";
  const port = Number(process.argv[3] || 8080);
  serve({ "/": dir }, port).then(
    ({ url }) => console.log(`Vantrell in the browser: ${url} (Ctrl+C stops the server)`),
    (error) => {
      console.error(`serve: ${error.message}`);
      process.exit(2);
    },
  );
}
