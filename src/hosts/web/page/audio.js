// The game's sound on Web Audio: one voice for the four effects (a new effect cuts off the one
// still sounding) and one music channel for the two pieces ("race", "goal"), fetched from the
// address the program names (the build renders them from the game's MIDI files). As on the
// desktop, a piece plays once from its start and is not looped; "continue" goes on from where
// it was stopped, and a piece that has played to its end stays silent. Nothing here ever
// throws: without an audio device, or with a file that is missing or will not decode, that sound
// is simply not heard.
//
// Nothing of it delays the game's start: the audio context, whose making can take a few hundred
// milliseconds, is made at the first key or click, which browsers ask for before sound anyway;
// the sounds are decoded apart from it (an offline context, which opens no device), and they and
// the music are fetched and decoded once the start-up is over (`warm`) or when first played.

const LOG_LIMIT = 200;

let ctx; // undefined: not tried yet; null: no Web Audio here
let master = null; // everything sounds through this
let decoder; // the context that decodes: undefined not tried yet, null none
const effects = new Map(); // id -> { bytes, buffer, ready }
let effectVoice = null;
let effectSerial = 0; // counts effect requests, so a late decode knows it was overtaken
let warmed = false; // the start-up is over: sounds are fetched and decoded as they come
const pieces = new Map(); // name -> { url, buffer, ready }
// The music channel: the piece last started in it and where it is.
const channel = { alias: "", source: null, startedAt: 0, offset: 0 };
let pending = null; // { alias, fromStart }: asked for while still loading

const log = [];
function note(text) {
  log.push(text);
  if (log.length > LOG_LIMIT) log.splice(0, log.length - LOG_LIMIT);
}

// Never lets an exception out to the game.
function quietly(fn) {
  return function (...args) {
    try {
      return fn(...args);
    } catch {
      return undefined;
    }
  };
}

function context() {
  if (ctx === undefined) {
    ctx = null;
    const Ctor = window.AudioContext || window.webkitAudioContext;
    if (Ctor) {
      try {
        ctx = new Ctor();
        master = ctx.createGain();
        master.connect(ctx.destination);
      } catch {
        ctx = null;
      }
    }
  }
  return ctx;
}

// The context if it is made already; making it is left to a key or a click.
function madeContext() {
  return ctx || null;
}

// Resolves to an AudioBuffer, or null when the bytes do not decode.
// Any context plays a buffer another decoded, resampling it where the rates differ.
function decode(arrayBuffer) {
  if (decoder === undefined) {
    const Offline = window.OfflineAudioContext || window.webkitOfflineAudioContext;
    try {
      decoder = Offline ? new Offline(2, 1, 48000) : context();
    } catch {
      decoder = context();
    }
  }
  const c = decoder;
  if (!c) return Promise.resolve(null);
  return new Promise((resolve) => {
    const promise = c.decodeAudioData(arrayBuffer, resolve, () => resolve(null));
    if (promise && promise.catch) promise.catch(() => resolve(null));
  });
}

function unlock() {
  const c = context();
  if (c && c.state !== "running" && c.state !== "closed") c.resume().catch(() => {});
}

// Effects. An effect asked for before its decode has finished plays once the decode is done,
// unless another effect or a stop came in between.
function loadEffect(id, bytes) {
  if (effects.has(id)) return;
  // A copy: the program's memory may move, and decoding takes the buffer over.
  effects.set(id, { bytes: new Uint8Array(bytes).buffer, buffer: null, ready: null });
  note("effect load " + id);
  if (warmed) decodeEffect(effects.get(id));
}

function decodeEffect(entry) {
  if (!entry.ready) {
    entry.ready = decode(entry.bytes).then((buffer) => {
      entry.buffer = buffer;
    });
  }
  return entry.ready;
}

function silenceEffect() {
  if (effectVoice) {
    effectVoice.onended = null;
    effectVoice.stop();
    effectVoice.disconnect();
    effectVoice = null;
  }
}

function startEffect(buffer) {
  // An effect that did not decode leaves the one sounding alone, as on the desktop.
  if (!buffer) return;
  silenceEffect();
  const c = madeContext();
  // Before the first user gesture the context is held; a sound started then would come out
  // late, at the first click, so it is dropped instead.
  if (!c || c.state !== "running") return;
  const voice = c.createBufferSource();
  voice.buffer = buffer;
  voice.connect(master);
  voice.onended = () => {
    if (effectVoice === voice) effectVoice = null;
  };
  voice.start();
  effectVoice = voice;
}

function playEffect(id) {
  note("effect " + id);
  const serial = ++effectSerial;
  const entry = effects.get(id);
  if (!entry) return;
  if (entry.buffer) {
    startEffect(entry.buffer);
  } else {
    decodeEffect(entry).then(quietly(() => serial === effectSerial && startEffect(entry.buffer)));
  }
}

function stopEffect() {
  note("effect stop");
  ++effectSerial;
  silenceEffect();
}

// Music. A piece is fetched once the start-up is over (`warm`) or when it is first played.

function openMusic(alias, url) {
  if (pieces.has(alias)) return;
  note("music " + alias + " open " + url);
  pieces.set(alias, { url, buffer: null, ready: null, done: false });
  if (warmed) fetchPiece(alias);
}

function fetchPiece(alias) {
  const piece = pieces.get(alias);
  if (!piece || piece.ready) return;
  piece.ready = fetch(piece.url)
    .then((response) => (response.ok ? response.arrayBuffer() : null))
    .then((data) => (data ? decode(data) : null))
    .catch(() => null)
    .then(
      quietly((buffer) => {
        piece.buffer = buffer;
        piece.done = true;
        if (pieces.get(alias) !== piece) return; // closed meanwhile
        if (pending && pending.alias === alias) {
          const { fromStart } = pending;
          pending = null;
          if (buffer) start(alias, fromStart);
        }
      }),
    );
}

// The start-up is over: the sounds are decoded and the music fetched.
function warm() {
  warmed = true;
  effects.forEach(decodeEffect);
  pieces.forEach((_, alias) => fetchPiece(alias));
}

function position() {
  const c = madeContext();
  if (!channel.source || !c) return channel.offset;
  return channel.offset + (c.currentTime - channel.startedAt);
}

function halt() {
  if (channel.source) {
    channel.offset = position();
    channel.source.onended = null;
    channel.source.stop();
    channel.source.disconnect();
    channel.source = null;
  }
}

function start(alias, fromStart) {
  const piece = pieces.get(alias);
  const c = madeContext();
  if (!piece || !piece.buffer || !c) return;
  const buffer = piece.buffer;
  if (!fromStart && channel.alias === alias) {
    // Continue: already sounding, or stopped somewhere, or at its end (stays silent).
    if (channel.source || channel.offset >= buffer.duration) return;
  } else {
    halt();
    channel.alias = alias;
    channel.offset = 0;
  }
  const source = c.createBufferSource();
  source.buffer = buffer;
  source.connect(master);
  source.onended = () => {
    if (channel.source !== source) return;
    channel.source = null;
    channel.offset = buffer.duration;
  };
  channel.startedAt = c.currentTime;
  source.start(0, channel.offset);
  channel.source = source;
}

function playMusic(alias, fromStart) {
  note("music " + alias + " play " + (fromStart ? "start" : "resume"));
  const piece = pieces.get(alias);
  if (!piece) return;
  fetchPiece(alias);
  if (piece.buffer) {
    pending = null;
    start(alias, fromStart);
  } else if (!piece.done) {
    // Still loading: it starts when ready. Asking again from the start stays from the start.
    const again = pending && pending.alias === alias && pending.fromStart;
    pending = { alias, fromStart: fromStart || again };
  }
}

function stopMusic(alias) {
  note("music " + alias + " stop");
  if (pending && pending.alias === alias) pending = null;
  if (channel.alias === alias) halt();
}

function closeMusic(alias) {
  note("music " + alias + " close");
  if (pending && pending.alias === alias) pending = null;
  if (channel.alias === alias) {
    halt();
    channel.alias = "";
    channel.offset = 0;
  }
  pieces.delete(alias);
}

export const audio = {
  log,
  unlock: quietly(unlock),
  warm: quietly(warm),
  loadEffect: quietly(loadEffect),
  playEffect: quietly(playEffect),
  stopEffect: quietly(stopEffect),
  openMusic: quietly(openMusic),
  playMusic: quietly(playMusic),
  stopMusic: quietly(stopMusic),
  closeMusic: quietly(closeMusic),
};
