// A stage pack's archive as the program reads it in the browser: JSZip (./jszip.js, built from
// the system's, loaded at the first pack) lists the entries and unpacks each through a stream
// that stops one byte past the size the program asks for, so a zip bomb is never unpacked
// whole. The program decides everything else (pack_reader.cpp): which entries may be
// unpacked, and whether what came out is a pack. One archive is open at a time.
let zip = null;
let opened = null;

const kFileType = 0o170000;
const kTypes = { 0o100000: "file", 0o120000: "link", 0o040000: "folder" };

// Opens the bytes: { count } of the entries the archive lists, or { problem }.
async function open(bytes) {
  opened = null;
  try {
    zip = zip || (await import("./jszip.js"));
  } catch (error) {
    return { problem: "cannot be read here: the page's zip reader did not load (" + error + ")" };
  }
  try {
    const entries = new zip.ZipEntries({
      decodeFileName: (name) => new TextDecoder().decode(name),
    });
    entries.load(bytes);
    opened = entries.files;
    return { count: opened.length };
  } catch (error) {
    return { problem: "is not a readable zip archive (" + (error.message || error) + ")" };
  }
}

// What the archive says of entry i: its name, what it is by the Unix mode in its external
// attributes (a plain file when made elsewhere), its declared size. JSZip refuses encrypted
// archives when it opens them.
function head(i) {
  const entry = opened[i];
  const mode = entry.unixPermissions;
  const type = mode === null || (mode & kFileType) === 0 ? "file" : kTypes[mode & kFileType];
  return {
    name: entry.fileNameStr,
    type: type || "special",
    size: entry.uncompressedSize,
    encrypted: false,
  };
}

// Entry i unpacked, stopping once more than `size` bytes came out: { bytes } (at most size + 1
// of them; fewer or more tell the program the entry is not what its head says), or { problem }.
function unpack(i, size) {
  const entry = opened[i];
  const packed = entry.decompressed;
  return new Promise((resolve) => {
    const chunks = [];
    let got = 0;
    let done = false;
    const finish = (answer) => {
      if (done) return;
      done = true;
      resolve(answer);
    };
    const joined = () => {
      const bytes = new Uint8Array(Math.min(got, size + 1));
      let at = 0;
      for (const chunk of chunks) {
        const part = chunk.subarray(0, bytes.length - at);
        bytes.set(part, at);
        at += part.length;
      }
      return bytes;
    };
    let worker;
    try {
      worker = new zip.DataWorker(Promise.resolve(packed.compressedContent)).pipe(
        packed.compression.uncompressWorker(),
      );
    } catch (error) {
      finish({ problem: String(error.message || error) });
      return;
    }
    worker
      .on("data", (chunk) => {
        if (done) return;
        const data = chunk.data instanceof Uint8Array ? chunk.data : new Uint8Array(chunk.data);
        chunks.push(data);
        got += data.length;
        if (got > size) {
          worker.pause(); // the rest is never unpacked
          finish({ bytes: joined() });
        }
      })
      .on("error", (error) => finish({ problem: String(error.message || error) }))
      .on("end", () => {
        const bytes = joined();
        if (bytes.length === size && zip.crc32(bytes) >>> 0 !== entry.crc32 >>> 0) {
          finish({ problem: "CRC error" });
        } else {
          finish({ bytes });
        }
      })
      .resume();
  });
}

function close() {
  opened = null;
}

export const archive = { open, head, unpack, close };
