// The numbers the page and the program share (the page's events, the game's commands, keys,
// speed-bar moves and picture modes), by their names in the program's code. The program hands them over once,
// before it starts (web_protocol.cpp); nothing here is a copy, so reordering an enumeration in
// the program needs no change on the page.
export const Event = {};
export const Command = {};
export const Key = {};
export const SpeedMove = {};
export const ViewMode = {}; // by the names the settings store: "original", "sharp2", ...

// Takes the program's {"event", "command", "key", "speedMove", "viewMode"} once; the objects
// stay frozen.
export function learn(json) {
  Object.assign(Event, json.event);
  Object.assign(Command, json.command);
  Object.assign(Key, json.key);
  Object.assign(SpeedMove, json.speedMove);
  Object.assign(ViewMode, json.viewMode);
  for (const names of [Event, Command, Key, SpeedMove, ViewMode]) Object.freeze(names);
}
