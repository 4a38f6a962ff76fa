// What the page takes from the system's JSZip (Debian's node-jszip), bundled by the browser
// build into www/jszip.js for page/archive.js: the reader of an archive's central directory
// and entries, which lists every entry as the archive holds it (JSZip's own loadAsync keeps one
// entry per name and rewrites names, and a stage pack's checks must see both), the stream that
// feeds an entry's packed bytes to its unpacker, and the CRC-32 that checks what came out.
export { default as ZipEntries } from "jszip/lib/zipEntries.js";
export { default as DataWorker } from "jszip/lib/stream/DataWorker.js";
export { default as crc32 } from "jszip/lib/crc32.js";
