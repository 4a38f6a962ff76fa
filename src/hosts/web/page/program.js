// The running program as the page's modules reach it: the few functions it exports for the
// page, called directly (Emscripten's ccall would wait for the suspended event loop instead
// of answering). page/main.js creates the program and attaches it.
let program = null;

export function attach(instance) {
  program = instance;
}

export function attached() {
  return program;
}

// A text as a NUL-terminated UTF-8 copy in the program's memory; the caller frees it.
function newString(text) {
  const bytes = new TextEncoder().encode(String(text));
  const pointer = program._malloc(bytes.length + 1);
  program.HEAPU8.set(bytes, pointer);
  program.HEAPU8[pointer + bytes.length] = 0;
  return pointer;
}

// Whether the record file can hold this name (the program's own Shift-JIS check); true while
// no program runs, which then checks the name itself when it is entered.
export function nameFits(name) {
  if (!program) return true;
  const pointer = newString(name);
  try {
    return program._vt_name_fits(pointer) === 1;
  } finally {
    program._free(pointer);
  }
}

// The name with its accented letters folded to plain ones (the program's own table); the name
// as it is while no program runs.
export function foldName(name) {
  if (!program) return String(name);
  const pointer = newString(name);
  try {
    return program.UTF8ToString(program._vt_fold_name(pointer));
  } finally {
    program._free(pointer);
  }
}

// Runs entered and not yet saved.
export function unsaved() {
  return program !== null && program._vt_unsaved() === 1;
}

// The current stage (0..4) and its course digest, and with the world name `name` that name's
// best run in the stage's table as a run file ({stage, course, time, run: bytes}; no run when
// the table holds none of theirs); null while no program runs.
export function worldRun(name = "") {
  if (!program) return null;
  const pointer = newString(name);
  try {
    const answer = JSON.parse(program.UTF8ToString(program._vt_world_run(pointer)));
    if (typeof answer.run === "string") {
      answer.run = Uint8Array.from(answer.run.match(/../g), (pair) => parseInt(pair, 16));
    }
    return answer;
  } finally {
    program._free(pointer);
  }
}

// Puts the keys the page keeps to work ("Action=Key, Key" lines; a line that does not read
// cleanly keeps its default) and answers the lines in use; the defaults for "". Null while no
// program runs.
export function useKeys(lines) {
  if (!program) return null;
  const pointer = newString(lines);
  try {
    return program.UTF8ToString(program._vt_use_keys(pointer));
  } finally {
    program._free(pointer);
  }
}
