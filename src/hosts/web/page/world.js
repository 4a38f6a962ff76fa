// The world table's API, as the server that serves the page answers it on the same origin
// (docs/world-api.md): whether there is one, the registered name and its key kept in this
// browser, and the four requests the page makes. Every answer is {ok, ...} or a refusal
// {ok: false, code, message}; a network failure is the refusal code "offline".
const kApi = "/api/v1";
const kAccountKey = "vantrell.world";

// {name, sjis, key}: the name as registered, its bytes in a run file (hex, as the server
// answers them) and its key; null when this browser has none.
function account() {
  try {
    const kept = JSON.parse(localStorage.getItem(kAccountKey));
    return kept && typeof kept.name === "string" && /^[0-9a-f]{64}$/.test(kept.key) ? kept : null;
  } catch {
    return null;
  }
}

function keep(kept) {
  try {
    localStorage.setItem(kAccountKey, JSON.stringify(kept));
    return true;
  } catch {
    return false;
  }
}

async function request(path, init = {}) {
  let response;
  try {
    response = await fetch(kApi + path, { cache: "no-store", ...init });
  } catch (error) {
    return { ok: false, code: "offline", message: String(error.message || error) };
  }
  const type = response.headers.get("Content-Type") || "";
  if (response.ok && !type.startsWith("application/json")) {
    return {
      ok: true,
      status: response.status,
      bytes: new Uint8Array(await response.arrayBuffer()),
    };
  }
  let body = null;
  try {
    body = await response.json();
  } catch {
    /* not the API's answer: a plain file server, a proxy's page */
  }
  if (response.ok && body) return { ok: true, status: response.status, ...body };
  const error = body && body.error ? body.error : {};
  return {
    ok: false,
    status: response.status,
    code: String(error.code || (response.status >= 500 ? "unavailable" : "not_api")),
    message: String(error.message || response.status + " " + response.statusText),
  };
}

let available = null;

export const world = {
  // Whether the page's own origin answers the API: asked once a visit.
  available() {
    if (!available) {
      available = request("/courses").then((answer) => answer.ok && Array.isArray(answer.courses));
    }
    return available;
  },

  account,

  async register(name) {
    const answer = await request("/players", {
      method: "POST",
      headers: { "Content-Type": "application/json" },
      body: JSON.stringify({ name }),
    });
    if (!answer.ok) return answer;
    const kept = { name: answer.name, sjis: answer.name_sjis, key: answer.key };
    if (!keep(kept)) return { ok: false, code: "not_kept", message: "the key could not be kept" };
    return { ok: true, name: kept.name };
  },

  send(bytes) {
    const kept = account();
    if (!kept) return Promise.resolve({ ok: false, code: "no_key", message: "no name here" });
    return request("/runs", {
      method: "POST",
      headers: { Authorization: "Bearer " + kept.key, "Content-Type": "application/octet-stream" },
      body: bytes,
    });
  },

  // With a name kept, the answer also holds its own place (`own`), wherever it stands.
  table(course, offset, limit) {
    const kept = account();
    return request(`/courses/${encodeURIComponent(course)}/runs?offset=${offset}&limit=${limit}`, {
      headers: kept ? { Authorization: "Bearer " + kept.key } : {},
    });
  },

  ghost(id) {
    return request(`/runs/${encodeURIComponent(id)}`);
  },
};

// What a run file says of itself: its stage (0..4), name (Shift-JIS) and claimed time.
export function runFileFacts(bytes) {
  if (!bytes || bytes.length < 62) return null;
  const view = new DataView(bytes.buffer, bytes.byteOffset, bytes.byteLength);
  const length = Math.min(bytes[44], 15);
  let name = "";
  try {
    name = new TextDecoder("shift_jis").decode(bytes.subarray(45, 45 + length));
  } catch {
    name = "?";
  }
  return { stage: view.getUint16(10), name, time: view.getUint16(60) };
}
