// A static file server for the browser build, from Node's standard library: folders mounted at
// URL prefixes, loopback only. `node serve.mjs DIR [PORT]` serves DIR on 127.0.0.1 (8080 by
// default); the browser tests import `serve` and take a free port.
import { createServer } from "node:http";
import { readFile, stat } from "node:fs/promises";
import { extname, join, normalize, resolve, sep } from "node:path";
import { fileURLToPath } from "node:url";

const kTypes = {
  ".html": "text/html; charset=utf-8",
  ".js": "text/javascript; charset=utf-8",
  ".mjs": "text/javascript; charset=utf-8",
  ".css": "text/css; charset=utf-8",
  ".json": "application/json",
  ".wasm": "application/wasm",
  ".png": "image/png",
  ".opus": "audio/ogg",
  ".data": "application/octet-stream",
};

// mounts: { "/": "build-web/www", "/ref/": "/tmp/frames" }. Resolves to { server, port, url }.
export function serve(mounts, port = 0) {
  const roots = Object.entries(mounts)
    .map(([prefix, dir]) => [prefix, resolve(dir)])
    .sort((a, b) => b[0].length - a[0].length);
  const server = createServer(async (request, response) => {
    const path = decodeURIComponent(new URL(request.url, "http://x").pathname);
    const mount = roots.find(([prefix]) => path.startsWith(prefix));
    if (!mount) {
      response.writeHead(404).end();
      return;
    }
    let file = normalize(join(mount[1], path.slice(mount[0].length)));
    if (file !== mount[1] && !file.startsWith(mount[1] + sep)) {
      response.writeHead(403).end(); // no way out of the served folder
      return;
    }
    try {
      if ((await stat(file)).isDirectory()) file = join(file, "index.html");
      const body = await readFile(file);
      response.writeHead(200, {
        "Content-Type": kTypes[extname(file)] || "application/octet-stream",
        "Cache-Control": "no-cache",
      });
      response.end(body);
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
