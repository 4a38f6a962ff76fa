#!/usr/bin/env node
// The browser build's last step, over the finished www folder:
//   node finish_www.mjs WWW SW_TEMPLATE
// - favicon.ico from the icon's 16 and 32 pixel PNGs (icons/), for browsers that ask for it;
// - sw.js, the service worker (SW_TEMPLATE) with the build's version, a digest of every file it
//   keeps, and their list, so that a new build replaces the kept files at once;
// - NAME.br and NAME.gz beside every file that compresses (scripts, styles, texts, the program,
//   its packed game folder), for servers to send as they are (docs/serving.md). A copy is kept
//   only where it is smaller; a file unchanged since its copies were made is not compressed again.
// Runs on every build; it writes nothing that is already as it would write it.
import { createHash } from "node:crypto";
import { existsSync, readdirSync, readFileSync, rmSync, statSync, writeFileSync } from "node:fs";
import { join, relative, sep } from "node:path";
import { brotliCompressSync, constants, gzipSync } from "node:zlib";

const [www, template] = process.argv.slice(2);
if (!www || !template) {
  console.error("usage: finish_www.mjs WWW SW_TEMPLATE");
  process.exit(2);
}

const kCompressed = [".br", ".gz"];
const kCompressible = /\.(html|js|mjs|css|json|webmanifest|wasm|data|svg|txt)$/;
// Never kept by the service worker: itself (the browser checks it for updates).
const kNotKept = new Set(["sw.js"]);

function files(dir) {
  return readdirSync(dir, { withFileTypes: true }).flatMap((entry) => {
    const path = join(dir, entry.name);
    if (entry.isDirectory()) return files(path);
    return kCompressed.some((suffix) => entry.name.endsWith(suffix)) ? [] : [path];
  });
}
const urlOf = (path) => relative(www, path).split(sep).join("/");

function writeIfChanged(path, bytes) {
  if (existsSync(path) && Buffer.compare(readFileSync(path), bytes) === 0) return;
  writeFileSync(path, bytes);
}

// An ICO file holding PNG images, as every current browser reads it.
function favicon(pngs) {
  const header = Buffer.alloc(6 + 16 * pngs.length);
  header.writeUInt16LE(1, 2); // an icon
  header.writeUInt16LE(pngs.length, 4);
  let offset = header.length;
  pngs.forEach(({ size, bytes }, i) => {
    const entry = 6 + 16 * i;
    header.writeUInt8(size % 256, entry); // 0 means 256
    header.writeUInt8(size % 256, entry + 1);
    header.writeUInt16LE(1, entry + 4); // planes
    header.writeUInt16LE(32, entry + 6); // bits per pixel
    header.writeUInt32LE(bytes.length, entry + 8);
    header.writeUInt32LE(offset, entry + 12);
    offset += bytes.length;
  });
  return Buffer.concat([header, ...pngs.map(({ bytes }) => bytes)]);
}

const sizes = [16, 32];
writeIfChanged(
  join(www, "favicon.ico"),
  favicon(
    sizes.map((size) => ({ size, bytes: readFileSync(join(www, `icons/vantrell-${size}.png`)) })),
  ),
);

// The service worker: its version is the digest of the names and bytes of what it keeps.
const kept = files(www)
  .map(urlOf)
  .filter((url) => !kNotKept.has(url))
  .sort();
const digest = createHash("sha256");
for (const url of kept) {
  digest.update(url + "\0");
  digest.update(readFileSync(join(www, url)));
}
const version = digest.digest("hex").slice(0, 16);
let worker = readFileSync(template, "utf8");
const stamped = worker
  .replace(/^const kVersion = .*;$/m, `const kVersion = ${JSON.stringify(version)};`)
  .replace(/^const kFiles = .*;$/m, `const kFiles = ${JSON.stringify(["./", ...kept])};`);
if (stamped === worker) {
  console.error(`finish_www: ${template} has no kVersion or kFiles line to fill in`);
  process.exit(1);
}
worker = stamped;
writeIfChanged(join(www, "sw.js"), Buffer.from(worker));

// Pre-compressed copies, best compression: they are made once a build.
for (const path of files(www)) {
  if (!kCompressible.test(path)) continue;
  const made = statSync(path).mtimeMs;
  const copies = kCompressed.map((suffix) => path + suffix);
  if (copies.every((copy) => existsSync(copy) && statSync(copy).mtimeMs >= made)) continue;
  const bytes = readFileSync(path);
  const packed = {
    ".br": brotliCompressSync(bytes, {
      params: {
        [constants.BROTLI_PARAM_QUALITY]: constants.BROTLI_MAX_QUALITY,
        [constants.BROTLI_PARAM_SIZE_HINT]: bytes.length,
      },
    }),
    ".gz": gzipSync(bytes, { level: 9 }),
  };
  for (const suffix of kCompressed) {
    if (packed[suffix].length < bytes.length) writeFileSync(path + suffix, packed[suffix]);
    else rmSync(path + suffix, { force: true });
  }
}
console.log(`finish_www: ${kept.length} files kept offline, version ${version}`);
