// The numbers the page and the program share (the page's events, the game's commands, keys and
// speed-bar moves), by their names in the program's code. The program hands them over once,
// before it starts (web_protocol.cpp); nothing here is a copy, so reordering an enumeration in
// the program needs no change on the page.
export const Event = {};
export const Command = {};
export const Key = {};
export const SpeedMove = {};

// Takes the program's {"event", "command", "key", "speedMove"} once; the objects stay frozen.
export function learn(json) {
  Object.assign(Event, json.event);
  Object.assign(Command, json.command);
  Object.assign(Key, json.key);
  Object.assign(SpeedMove, json.speedMove);
  for (const names of [Event, Command, Key, SpeedMove]) Object.freeze(names);
}
