// The world table's texts in the page's two languages (the desktop has none of them, so they
// are the page's own, beside the desktop's translations), and the player's line for each
// refusal code the server answers (docs/world-api.md).
import { i18n } from "./i18n.js";

export const kWorldContext = "World";

// The page's own texts (the desktop has no world table): Japanese, then English.
i18n.add(kWorldContext, {
  "ワールドランキングに名前を登録...": "Register for the world table...",
  この面の最高記録をワールドランキングに送る: "Send this stage's best run to the world table",
  "ワールドランキング...": "World table...",
  ワールドランキング: "World table",
  "ワールドランキング %1面": "World table, stage %1",
  "ワールドランキングで使う名前:": "Name on the world table:",
  "登録済みの名前: %1（新しい名前を登録すると、このブラウザは前の名前の鍵を忘れます）":
    "Registered now: %1 (a new name takes the old one's place in this browser)",
  登録: "Register",
  "「%1」を登録しました。": "Registered as “%1”.",
  "%1面の走行（TIME:%2）を送りました。世界%3位です。":
    "The run of stage %1 (TIME:%2) is on the world table: rank %3.",
  "この面の記録に「%1」の走行がありません。": "This stage's table holds no run of %1.",
  "何も送られていません。手元の記録はそのままです。":
    "Nothing was stored; your own table is as it was.",
  順位: "Rank",
  名前: "Name",
  タイム: "Time",
  日時: "When",
  "%1〜%2位 / 全%3件": "Ranks %1–%2 of %3",
  "まだ走行がありません。": "No runs yet.",
  前へ: "Previous",
  次へ: "Next",
  自分の順位: "My place",
  ゴーストと対戦: "Race as a ghost",
  リンクをコピー: "Copy link",
  閉じる: "Close",
  "この走行へのリンク（送ると挑戦状になります）:": "A link to this run (send it as a challenge):",
  挑戦状: "A challenge",
  "%1さんの%2面の走行（TIME:%3）です。ゴーストとして対戦しますか？":
    "%1's run of stage %2 (TIME:%3). Race it as a ghost?",
  対戦する: "Race",
  "リンクの走行を読み込めませんでした。": "The run of the link could not be fetched.",
  "ワールドランキングのサーバーにつながりません。": "The world table's server cannot be reached.",
  "ワールドランキングはいま使えません。しばらくしてからどうぞ。":
    "The world table is not available now; try again in a while.",
  "サーバーが要求を受け付けませんでした。": "The server did not take the request.",
  "名前が空です。": "The name is empty.",
  "記録できない文字が名前にあります。": "The name has a character a record cannot hold.",
  "名前が長すぎます（Shift-JISで15バイトまで）。":
    "The name is too long (15 bytes of Shift-JIS at most).",
  "この名前はすでに使われています。": "This name is taken.",
  "まずワールドランキングに名前を登録してください。": "Register for the world table first.",
  "このブラウザの鍵をサーバーが知りません。名前を登録し直してください。":
    "The server does not know this browser's key; register again.",
  "走行ファイルが壊れています。": "The run file is damaged.",
  "このコースはワールドランキングにありません。": "The world table does not know this course.",
  "走行の名前が登録した名前と違います。": "The run is under another name than the one registered.",
  "この走行は記録されたタイムで走りきれません。": "This run does not drive to its time.",
  "この面のあなたの記録より速くありません。": "It is not faster than your best on this course.",
  "同じ走行が別の名前ですでに載っています。":
    "The same run is on the table already, under another name.",
  "送信が多すぎます。少し待ってからどうぞ。": "Too many runs sent; wait a minute.",
  "その走行はワールドランキングにありません。": "That run is not on the world table.",
  "このブラウザに鍵を保存できませんでした。": "This browser could not keep the key.",
});
export const tr = (text) => i18n.tr(kWorldContext, text);
export const fill = (text, ...values) =>
  values.reduce((line, value, i) => line.replace("%" + (i + 1), String(value)), tr(text));

// The player's text for a refusal's code; the server's English line for any other.
const kRefusals = {
  offline: "ワールドランキングのサーバーにつながりません。",
  unavailable: "ワールドランキングはいま使えません。しばらくしてからどうぞ。",
  not_api: "ワールドランキングのサーバーにつながりません。",
  bad_request: "サーバーが要求を受け付けませんでした。",
  name_empty: "名前が空です。",
  name_unfit: "記録できない文字が名前にあります。",
  name_too_long: "名前が長すぎます（Shift-JISで15バイトまで）。",
  name_taken: "この名前はすでに使われています。",
  no_key: "まずワールドランキングに名前を登録してください。",
  unknown_key: "このブラウザの鍵をサーバーが知りません。名前を登録し直してください。",
  too_large: "走行ファイルが壊れています。",
  damaged: "走行ファイルが壊れています。",
  unknown_course: "このコースはワールドランキングにありません。",
  name_not_key: "走行の名前が登録した名前と違います。",
  time_not_driven: "この走行は記録されたタイムで走りきれません。",
  not_faster: "この面のあなたの記録より速くありません。",
  duplicate: "同じ走行が別の名前ですでに載っています。",
  rate_limited: "送信が多すぎます。少し待ってからどうぞ。",
  no_run: "その走行はワールドランキングにありません。",
  not_kept: "このブラウザに鍵を保存できませんでした。",
};
export function refusal(answer) {
  const known = Object.prototype.hasOwnProperty.call(kRefusals, answer.code);
  return known ? tr(kRefusals[answer.code]) : answer.message;
}

export const kReplacing =
  "登録済みの名前: %1（新しい名前を登録すると、このブラウザは前の名前の鍵を忘れます）";
