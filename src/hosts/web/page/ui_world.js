// The world table in the page, when the page's own server keeps one (page/world.js): entries at
// the end of the settings pop-up to register a name, send the stage's best run and see the
// stage's world table, whose runs race as ghosts through the game's own "Race a run file"; and
// a link to a run (?run=ID) that opens the page ready to race it. Nothing here touches the
// local table: a refusal or a lost connection says so and leaves everything as it was.
import { command, holdTicks } from "./host.js";
import { i18n } from "./i18n.js";
import { nameFits, worldRun } from "./program.js";
import { Command } from "./protocol.js";
import { ui } from "./ui.js";
import {
  button,
  buttonRow,
  closeDialog,
  handFile,
  message,
  openDialog,
  showDialog,
} from "./ui_dialogs.js";
import { runFileFacts, world } from "./world.js";
import { fill, kReplacing, kWorldContext, refusal, tr } from "./ui_world_texts.js";

const el = ui.el;
const kPageSize = 10;

const tell = (text) => message(text, tr("ワールドランキング"));

// ---- register ----

function register() {
  return new Promise((resolve) => {
    const d = openDialog("world-register", tr("ワールドランキング"));
    const input = el("input", "vt-edit");
    input.type = "text";
    input.dataset.field = "name";
    input.spellcheck = false;
    input.autocomplete = "off";
    const kept = world.account();
    const finish = (name) => {
      closeDialog(d);
      resolve(name);
    };
    const field = el("div", "vt-name-field");
    field.append(input);
    d.body.append(el("div", "vt-prompt", tr("ワールドランキングで使う名前:")), field);
    if (kept) d.body.append(el("div", "vt-run-line", fill(kReplacing, kept.name)));
    // Only what a record file can hold: the name travels inside every run file sent.
    let accepted = "";
    input.addEventListener("input", (e) => {
      if (e.isComposing) return;
      if (nameFits(input.value)) accepted = input.value;
      else input.value = accepted;
    });
    d.body.append(
      buttonRow(
        button(d, "ok", tr("登録"), true, () => finish(input.value)),
        button(d, "cancel", i18n.tr("Dialogs", "Cancel"), false, () => finish(null)),
      ),
    );
    d.onEscape = () => finish(null);
    showDialog(d, input);
  }).then(async (name) => {
    if (name === null) return;
    const answer = await world.register(name);
    await tell(answer.ok ? fill("「%1」を登録しました。", answer.name) : refusal(answer));
  });
}

// ---- send ----

async function send() {
  const kept = world.account();
  if (!kept) {
    await tell(refusal({ code: "no_key" }));
    return;
  }
  const best = worldRun(kept.name);
  if (!best || !best.run) {
    await tell(fill("この面の記録に「%1」の走行がありません。", kept.name));
    return;
  }
  const answer = await world.send(best.run);
  if (!answer.ok) {
    await tell(refusal(answer) + "\n" + tr("何も送られていません。手元の記録はそのままです。"));
    return;
  }
  await tell(
    fill(
      "%1面の走行（TIME:%2）を送りました。世界%3位です。",
      answer.stage,
      answer.time,
      answer.rank,
    ),
  );
}

// ---- racing a run of the table ----

// The ghost's file goes the way of a file the player picks in "Race a run file", on its own
// stage (the game then checks it as it checks any file).
function raceGhost(id, bytes) {
  const facts = runFileFacts(bytes);
  const now = worldRun();
  const stage = facts ? Command["Stage" + (facts.stage + 1)] : undefined;
  if (now && stage !== undefined && facts.stage !== now.stage) command(stage);
  handFile({ name: `world-${id}.run`, bytes });
  command(Command.RaceRunFile);
}

async function race(id) {
  const answer = await world.ghost(id);
  if (answer.ok) raceGhost(id, answer.bytes);
  else await tell(refusal(answer));
}

function runLink(id) {
  const link = new URL(window.location.href);
  link.search = "";
  link.hash = "";
  link.searchParams.set("run", String(id));
  return link.href;
}

// ---- the table ----

// The player's place on a course's board, as the server finds it by their key; null when they
// have no run there.
async function ownRank(course) {
  const answer = await world.table(course, 0, 1);
  return answer.ok && answer.own ? answer.own.rank : null;
}

function table() {
  const now = worldRun();
  if (!now || !now.course) return tell(refusal({ code: "unknown_course" }));
  const kept = world.account();
  let offset = 0;
  let runs = [];
  let chosen = -1;
  const d = openDialog("world-table", fill("ワールドランキング %1面", now.stage + 1));
  const list = el("div", "vt-list vt-columns vt-world-list");
  list.tabIndex = 0;
  list.setAttribute("role", "listbox");
  const status = el("div", "vt-prompt");
  const linkField = el("input", "vt-edit vt-world-link");
  linkField.readOnly = true;
  linkField.dataset.field = "link";
  const linkLine = el("div", "vt-world-link-line");
  linkLine.append(el("div", null, tr("この走行へのリンク（送ると挑戦状になります）:")), linkField);
  linkLine.hidden = true;
  const closed = new Promise((resolve) => (d.resolve = resolve));
  const finish = (then) => {
    closeDialog(d);
    d.resolve();
    if (then) then();
  };
  const header = el("div", "vt-row vt-column-head");
  const cells = (row, values) =>
    values.forEach((value, i) => row.append(el("span", "vt-world-c" + i, value)));
  cells(header, [tr("順位"), tr("名前"), tr("タイム"), tr("日時")]);
  const choose = (index) => {
    chosen = index;
    Array.from(list.children).forEach((row, i) => row.classList.toggle("vt-selected", i === index));
    ghost.disabled = copy.disabled = index < 0;
    linkLine.hidden = index < 0;
    if (index >= 0) linkField.value = runLink(runs[index].id);
  };
  const show = async (from) => {
    const answer = await world.table(now.course, Math.max(0, from), kPageSize);
    if (!answer.ok) {
      status.textContent = refusal(answer);
      return;
    }
    offset = Math.max(0, from);
    runs = answer.runs;
    list.textContent = "";
    runs.forEach((run, index) => {
      const row = el("div", "vt-row");
      row.dataset.rank = String(run.rank);
      row.dataset.id = String(run.id);
      row.classList.toggle("vt-own", !!kept && run.name_sjis === kept.sjis);
      cells(row, [
        String(run.rank),
        run.name,
        String(run.time),
        run.when.replace("T", " ").replace("Z", ""),
      ]);
      row.addEventListener("mousedown", () => choose(index));
      row.addEventListener("dblclick", () => finish(() => race(run.id)));
      list.append(row);
    });
    status.textContent = runs.length
      ? fill("%1〜%2位 / 全%3件", offset + 1, offset + runs.length, answer.total)
      : tr("まだ走行がありません。");
    previous.disabled = offset === 0;
    next.disabled = offset + runs.length >= answer.total;
    choose(runs.findIndex((run) => kept && run.name_sjis === kept.sjis));
  };
  const previous = button(d, "previous", tr("前へ"), false, () => show(offset - kPageSize));
  const next = button(d, "next", tr("次へ"), false, () => show(offset + kPageSize));
  const mine = button(d, "mine", tr("自分の順位"), false, async () => {
    const rank = (await ownRank(now.course)) || 1;
    show(Math.floor((rank - 1) / kPageSize) * kPageSize);
  });
  mine.disabled = !kept;
  const ghost = button(d, "race", tr("ゴーストと対戦"), false, () => {
    if (chosen >= 0) finish(() => race(runs[chosen].id));
  });
  const copy = button(d, "copy", tr("リンクをコピー"), false, () => {
    linkField.select();
    if (navigator.clipboard) navigator.clipboard.writeText(linkField.value).catch(() => {});
  });
  d.body.append(
    header,
    list,
    status,
    buttonRow(previous, next, mine),
    linkLine,
    buttonRow(
      ghost,
      copy,
      button(d, "close", tr("閉じる"), true, () => finish()),
    ),
  );
  d.onEscape = () => finish();
  d.onKey = (e) => {
    if (e.target !== list || (e.key !== "ArrowDown" && e.key !== "ArrowUp")) return false;
    const step = e.key === "ArrowDown" ? 1 : -1;
    if (runs.length) choose(Math.max(0, Math.min(runs.length - 1, chosen + step)));
    return true;
  };
  choose(-1);
  showDialog(d, list);
  show(0);
  return closed;
}

// ---- a link to a run ----

async function challenge(id) {
  const answer = await world.ghost(id);
  const facts = answer.ok ? runFileFacts(answer.bytes) : null;
  if (!facts) {
    await tell(tr("リンクの走行を読み込めませんでした。") + "\n" + refusal(answer));
    return;
  }
  const yes = await new Promise((resolve) => {
    const d = openDialog("world-challenge", tr("挑戦状"));
    const finish = (answer) => {
      closeDialog(d);
      resolve(answer);
    };
    d.body.append(
      el(
        "div",
        "vt-text",
        fill(
          "%1さんの%2面の走行（TIME:%3）です。ゴーストとして対戦しますか？",
          facts.name,
          facts.stage + 1,
          facts.time,
        ),
      ),
      buttonRow(
        button(d, "race", tr("対戦する"), true, () => finish(true)),
        button(d, "cancel", i18n.tr("Dialogs", "Cancel"), false, () => finish(false)),
      ),
    );
    d.onEscape = () => finish(false);
    showDialog(d);
  });
  if (yes) raceGhost(id, answer.bytes);
}

// The race waits while the player is in these dialogs: their keys are not the craft's.
function holding(action) {
  return async () => {
    holdTicks(true);
    try {
      await action();
    } finally {
      holdTicks(false);
    }
  };
}

// Once the game is up: the entries, if the page's server keeps a world table, and the run of
// a link. A plain file server answers no API: then nothing shows.
export async function offerWorld() {
  if (!(await world.available())) return false;
  ui.addEntries([
    { command: null, text: "" },
    {
      entry: "world-register",
      context: kWorldContext,
      text: "ワールドランキングに名前を登録...",
      action: holding(register),
    },
    {
      entry: "world-send",
      context: kWorldContext,
      text: "この面の最高記録をワールドランキングに送る",
      action: holding(send),
    },
    {
      entry: "world-table",
      context: kWorldContext,
      text: "ワールドランキング...",
      action: holding(table),
    },
  ]);
  const id = new URLSearchParams(window.location.search).get("run");
  if (id && /^[0-9]+$/.test(id)) await holding(() => challenge(id))();
  return true;
}
