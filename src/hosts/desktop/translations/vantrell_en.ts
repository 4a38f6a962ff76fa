<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>Dialogs</name>
    <message>
        <source>O K</source>
        <translation>O K</translation>
    </message>
    <message>
        <source>SPEED</source>
        <translation>SPEED</translation>
    </message>
    <message>
        <source>Fast</source>
        <translation>Fast</translation>
    </message>
    <message>
        <source>Slow</source>
        <translation>Slow</translation>
    </message>
    <message>
        <source>Player 1 (Red) Control</source>
        <translation>Player 1 (Red) Control</translation>
    </message>
    <message>
        <source>Keyboard ( Cursor,  Shift )</source>
        <translation>Keyboard ( Cursor,  Shift )</translation>
    </message>
    <message>
        <source>Keyboard ( W, A, S, D , Ctrl)</source>
        <translation>Keyboard ( W, A, S, D , Ctrl)</translation>
    </message>
    <message>
        <source>Joystick 1</source>
        <translation>Joystick 1</translation>
    </message>
    <message>
        <source>Joystick 2</source>
        <translation>Joystick 2</translation>
    </message>
    <message>
        <source>Player 2 (BLUE) Control</source>
        <translation>Player 2 (BLUE) Control</translation>
    </message>
    <message>
        <source> Game Configuration</source>
        <translation> Game Configuration</translation>
    </message>
    <message>
        <source>--過去の挑戦者達の記録--</source>
        <translation>--Records of past challengers--</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>対戦相手を選択してください。</source>
        <translation>Choose your opponent.</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>記録できない文字か、長すぎる名前です (Shift-JIS, 15 bytes)</source>
        <translation>A character the records cannot hold, or too long a name (Shift-JIS, 15 bytes)</translation>
    </message>
    <message>
        <source>競技終了</source>
        <translation>Race over</translation>
    </message>
    <message>
        <source>貴殿の記録は賞賛に値する。</source>
        <translation>A time worthy of praise.</translation>
    </message>
    <message>
        <source>名操縦者として記録する故、</source>
        <translation>You enter the records as</translation>
    </message>
    <message>
        <source>名前を入力してくれたまえ。</source>
        <translation>a master pilot: your name?</translation>
    </message>
    <message>
        <source>Vantrell for Windows95</source>
        <translation>Vantrell for Windows95</translation>
    </message>
    <message>
        <source>Version 1.0</source>
        <translation>Version 1.0</translation>
    </message>
    <message>
        <source>Game and course design</source>
        <translation>Game and course design</translation>
    </message>
    <message>
        <source>by the Vantrell team</source>
        <translation>by the Vantrell team</translation>
    </message>
    <message>
        <source>未接続</source>
        <translation>not connected</translation>
    </message>
    <message>
        <source>Joystick %1: %2</source>
        <translation>Joystick %1: %2</translation>
    </message>
    <message>
        <source>書き出す記録を選択してください。</source>
        <translation>Choose the run to export.</translation>
    </message>
    <message>
        <source>走行ファイルを開く</source>
        <translation>Open a run file</translation>
    </message>
    <message>
        <source>走行ファイルの保存</source>
        <translation>Save the run file</translation>
    </message>
    <message>
        <source>走行ファイル (*.run)</source>
        <translation>Run files (*.run)</translation>
    </message>
    <message>
        <source>この記録と対戦</source>
        <translation>Race this run</translation>
    </message>
    <message>
        <source>ステージパックを開く</source>
        <translation>Open a stage pack</translation>
    </message>
    <message>
        <source>ステージパック (*.vstage)</source>
        <translation>Stage packs (*.vstage)</translation>
    </message>
    <message>
        <source>その他のステージ</source>
        <translation>More stages</translation>
    </message>
    <message>
        <source>ステージ</source>
        <translation>Stage</translation>
    </message>
    <message>
        <source>作者</source>
        <translation>Author</translation>
    </message>
    <message>
        <source>最高記録</source>
        <translation>Best time</translation>
    </message>
    <message>
        <source>（標準）</source>
        <translation>(built in)</translation>
    </message>
    <message>
        <source>このステージへ</source>
        <translation>Race this stage</translation>
    </message>
    <message>
        <source>削除...</source>
        <translation>Remove…</translation>
    </message>
    <message>
        <source>ステージパックを追加...</source>
        <translation>Add a stage pack…</translation>
    </message>
    <message>
        <source>閉じる</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>記録 %1、第%2位</source>
        <translation>Time %1: rank %2</translation>
    </message>
    <message>
        <source>%1 → %2（「%3」は記録できません）</source>
        <translation>%1 → %2 (“%3” cannot be stored)</translation>
    </message>
</context>
<context>
    <name>GameView</name>
    <message>
        <source>PAUSE</source>
        <translation>PAUSE</translation>
    </message>
</context>
<context>
    <name>HowToPlay</name>
    <message>
        <source>遊び方</source>
        <translation>How to play</translation>
    </message>
    <message>
        <source>キー</source>
        <translation>Keys</translation>
    </message>
    <message>
        <source>プレイヤー1（赤）: 前進 %1、後退 %2、左 %3、右 %4</source>
        <translation>Player 1 (red): forward %1, reverse %2, left %3, right %4</translation>
    </message>
    <message>
        <source>プレイヤー2（青）: 前進 %1、後退 %2、左 %3、右 %4</source>
        <translation>Player 2 (blue): forward %1, reverse %2, left %3, right %4</translation>
    </message>
    <message>
        <source>なし</source>
        <translation>none</translation>
    </message>
    <message>
        <source>ジョイパッド: スティックで前後左右。Start で一時停止、Back でやり直し。Guide（または Back と Start を同時）でメニュー、A で決定、B で取り消し。使うキーとパッドは「設定」の「操作設定」で選び、キーは「キー設定」で変えられます。</source>
        <translation>Joypad: the stick drives; Start pauses, Back races again. Guide (or Back and Start together) opens the menus, A accepts, B cancels. Settings → Controls and speed chooses the keys and pads each player uses; Settings → Keys… binds other keys.</translation>
    </message>
    <message>
        <source>1人で走るときも、プレイヤー2のキーで青い機体が動きます。</source>
        <translation>In a solo race too, player 2&apos;s keys drive the blue craft.</translation>
    </message>
    <message>
        <source>走り方</source>
        <translation>Driving</translation>
    </message>
    <message>
        <source>前進は機首の向きに押し、後退は逆向きに押します。止まるにも後退を使います。</source>
        <translation>Forward pushes the craft the way its nose points, reverse the other way; reverse is also the brake.</translation>
    </message>
    <message>
        <source>左右で回るのは機首だけです。機体は浮いているので、それまでの勢いのまま横に滑ります（ドリフト）。カーブの手前で早めに向きを変え、前進で勢いを曲げましょう。</source>
        <translation>Left and right turn only the nose. The craft floats, so it keeps sliding the way it was going (it drifts). Turn early before a bend and let forward swing the slide round.</translation>
    </message>
    <message>
        <source>坂や土手は機体を下へ押し流します。コースは左右の端でつながっています。</source>
        <translation>Slopes and banks push the craft downhill. The course joins up at its left and right edges.</translation>
    </message>
    <message>
        <source>レース</source>
        <translation>The race</translation>
    </message>
    <message>
        <source>赤く点滅しているのが次のチェックポイントです。20か所を順に全て通過するとゴールです。</source>
        <translation>The checkpoint blinking red is the next one. Pass all 20 in order to finish.</translation>
    </message>
    <message>
        <source>制限時間は2400ティック（標準の速さで約38秒）です。過ぎると失格になります。</source>
        <translation>The limit is 2400 ticks (about 38 seconds at the standard speed); past it the run is out.</translation>
    </message>
    <message>
        <source>ゴールのタイムが上位10位に入ると、名前を入れて記録に残せます。</source>
        <translation>A finish among the ten best times asks for your name and goes into the table.</translation>
    </message>
    <message>
        <source>%1 で一時停止と再開、%2 で同じレースをやり直し、%3 で全画面表示の切り替え。</source>
        <translation>%1 pauses and resumes, %2 starts the same race again, %3 switches full screen on and off.</translation>
    </message>
    <message>
        <source>メニュー</source>
        <translation>Menus</translation>
    </message>
    <message>
        <source>Alt と下線の文字でメニューを開けます。Alt+G のあと 1 で1人のレース、2 で過去の記録と対戦、3 で気楽にドライブ。</source>
        <translation>Alt and an underlined letter open a menu: Alt+G, then 1 for a solo race, 2 to race a recorded run, 3 for a free drive.</translation>
    </message>
    <message>
        <source>レース表示</source>
        <translation>Race display</translation>
    </message>
    <message>
        <source>画面の下にタイム、残り時間、通過したチェックポイントの数とコースの地図が出ます。地図の赤い点が自分、青い点が相手、黄色い四角が次のチェックポイントです。</source>
        <translation>Below the picture: the time, the time left, the checkpoints passed and a map of the course. On the map the red dot is you, the blue dot the other craft and the yellow box the next checkpoint.</translation>
    </message>
    <message>
        <source>地図の端の印は、コースが反対側の端へ続くところです。</source>
        <translation>The notches on the map&apos;s sides mark where the course runs off one edge and comes back at the other.</translation>
    </message>
    <message>
        <source>スプリットは、チェックポイントごとに記録の1位（対戦では相手）との差をティックで示します（マイナスなら先行）。どちらも「設定」で表示を切り替えられます。</source>
        <translation>The split at each checkpoint is the difference in ticks to the table&apos;s best run (or to the run you race); minus means ahead. Settings switches the panel and the splits on and off.</translation>
    </message>
</context>
<context>
    <name>KeysDialog</name>
    <message>
        <source>キー設定</source>
        <translation>Keys</translation>
    </message>
    <message>
        <source>キーセット1（カーソルキー）</source>
        <translation>Key set 1 (cursor keys)</translation>
    </message>
    <message>
        <source>キーセット2（文字キー）</source>
        <translation>Key set 2 (letter keys)</translation>
    </message>
    <message>
        <source>ゲーム</source>
        <translation>Game</translation>
    </message>
    <message>
        <source>前進</source>
        <translation>Forward</translation>
    </message>
    <message>
        <source>後退</source>
        <translation>Reverse</translation>
    </message>
    <message>
        <source>左</source>
        <translation>Left</translation>
    </message>
    <message>
        <source>右</source>
        <translation>Right</translation>
    </message>
    <message>
        <source>ボタン</source>
        <translation>Button</translation>
    </message>
    <message>
        <source>ポーズ</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>やり直し</source>
        <translation>Retry</translation>
    </message>
    <message>
        <source>全画面表示</source>
        <translation>Full screen</translation>
    </message>
    <message>
        <source>キーを追加</source>
        <translation>Add key</translation>
    </message>
    <message>
        <source>パッド</source>
        <translation>Pad</translation>
    </message>
    <message>
        <source>消去</source>
        <translation>Clear</translation>
    </message>
    <message>
        <source>初期設定に戻す</source>
        <translation>Reset to defaults</translation>
    </message>
    <message>
        <source>（なし）</source>
        <translation>(none)</translation>
    </message>
    <message>
        <source>%1 のキーを押してください（Esc で取り消し）</source>
        <translation>Press a key for %1 (Esc to cancel)</translation>
    </message>
    <message>
        <source>このキーは使えません</source>
        <translation>That key cannot be bound</translation>
    </message>
    <message>
        <source>%1 はすでに %2 に使われています</source>
        <translation>%1 is already bound to %2</translation>
    </message>
    <message>
        <source>どのキーセットで走るかは「操作設定」で選びます</source>
        <translation>Which key set each player drives with is chosen in Controls and speed.</translation>
    </message>
</context>
<context>
    <name>Menu</name>
    <message>
        <source>&amp;1人で精進する</source>
        <translation>&amp;1 Solo race</translation>
    </message>
    <message>
        <source>過去の記録と対戦(&amp;2)</source>
        <translation>&amp;2 Race a recorded run</translation>
    </message>
    <message>
        <source>気楽にドライブ(&amp;3)</source>
        <translation>&amp;3 Free drive</translation>
    </message>
    <message>
        <source>１面</source>
        <translation>Stage 1</translation>
    </message>
    <message>
        <source>２面</source>
        <translation>Stage 2</translation>
    </message>
    <message>
        <source>３面</source>
        <translation>Stage 3</translation>
    </message>
    <message>
        <source>４面</source>
        <translation>Stage 4</translation>
    </message>
    <message>
        <source>５面</source>
        <translation>Stage 5</translation>
    </message>
    <message>
        <source>デモ画面に戻る</source>
        <translation>Back to the demonstration</translation>
    </message>
    <message>
        <source>ハイスコアを表示</source>
        <translation>Show high scores</translation>
    </message>
    <message>
        <source>ハイスコア初期化</source>
        <translation>Reset high scores</translation>
    </message>
    <message>
        <source>操作設定</source>
        <translation>Controls and speed</translation>
    </message>
    <message>
        <source>効果音</source>
        <translation>Sound effects</translation>
    </message>
    <message>
        <source>音楽</source>
        <translation>Music</translation>
    </message>
    <message>
        <source>ゲームのルールについて</source>
        <translation>Rules of the game</translation>
    </message>
    <message>
        <source>操作方法</source>
        <translation>Controls</translation>
    </message>
    <message>
        <source>著作権</source>
        <translation>About</translation>
    </message>
    <message>
        <source>ゲーム開始(&amp;G)</source>
        <translation>&amp;Game</translation>
    </message>
    <message>
        <source>面セレクト</source>
        <translation>Stage</translation>
    </message>
    <message>
        <source>設定</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>説明</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>走行ファイルと対戦(&amp;4)...</source>
        <translation>&amp;4 Race a run file...</translation>
    </message>
    <message>
        <source>走行ファイルに書き出す...</source>
        <translation>Export a run to a file...</translation>
    </message>
    <message>
        <source>走行ファイルを読み込む...</source>
        <translation>Import a run file...</translation>
    </message>
    <message>
        <source>レース表示</source>
        <translation>Race display</translation>
    </message>
    <message>
        <source>スプリット表示</source>
        <translation>Splits</translation>
    </message>
    <message>
        <source>その他のステージ...</source>
        <translation>More stages…</translation>
    </message>
    <message>
        <source>ステージパックを追加...</source>
        <translation>Add a stage pack…</translation>
    </message>
    <message>
        <source>キー設定…</source>
        <translation>Keys…</translation>
    </message>
    <message>
        <source>遊び方</source>
        <translation>How to play</translation>
    </message>
</context>
<context>
    <name>Messages</name>
    <message>
        <source>赤く点滅しているチェックポイントを
全て通過してください</source>
        <translation>Pass every checkpoint,
the one blinking red next</translation>
    </message>
    <message>
        <source>ゲームのルール</source>
        <translation>Rules of the game</translation>
    </message>
    <message>
        <source> カーソルキーまたは
ジョイパッドで操作します</source>
        <translation> Steer with the cursor keys
or a joypad</translation>
    </message>
    <message>
        <source>操作方法</source>
        <translation>Controls</translation>
    </message>
    <message>
        <source>ステージのファイル</source>
        <translation>Stage files</translation>
    </message>
    <message>
        <source>%d面のファイルに問題があります。</source>
        <translation>The files of stage %d have problems.</translation>
    </message>
    <message>
        <source>このまま進みますか？</source>
        <translation>Go on anyway?</translation>
    </message>
    <message>
        <source>記録ファイル</source>
        <translation>Record file</translation>
    </message>
    <message>
        <source>もっと精進せいよ！</source>
        <translation>Keep practising!</translation>
    </message>
    <message>
        <source>競技終了</source>
        <translation>Race over</translation>
    </message>
    <message>
        <source>ハイスコアデータを初期化します。
よろしいですか？</source>
        <translation>This empties the high-score table.
Are you sure?</translation>
    </message>
    <message>
        <source>ハイスコアの初期化</source>
        <translation>Reset high scores</translation>
    </message>
    <message>
        <source>15バイトより長い行です</source>
        <translation>line longer than 15 bytes</translation>
    </message>
    <message>
        <source>タイムに数字がありません</source>
        <translation>the time has no digits</translation>
    </message>
    <message>
        <source>タイムが負の数です</source>
        <translation>the time is negative</translation>
    </message>
    <message>
        <source>タイムに数字以外の文字があります</source>
        <translation>the time has characters other than digits</translation>
    </message>
    <message>
        <source>タイムが大きすぎます</source>
        <translation>the time is too large</translation>
    </message>
    <message>
        <source>タイムの桁揃えが違います</source>
        <translation>the time is not aligned as written</translation>
    </message>
    <message>
        <source>%d行目: %s</source>
        <translation>line %d: %s</translation>
    </message>
    <message>
        <source>
ほかに%zu件</source>
        <translation>
and %zu more</translation>
    </message>
    <message>
        <source>%zuバイトしかありません（%dバイトのはず）</source>
        <translation>only %zu bytes (%d expected)</translation>
    </message>
    <message>
        <source>%dバイトより長いファイルです</source>
        <translation>longer than %d bytes</translation>
    </message>
    <message>
        <source>前回のセーブを最後まで終えられませんでした（%s）</source>
        <translation>the last save did not finish (%s)</translation>
    </message>
    <message>
        <source>名前にNULがあります</source>
        <translation>the name holds a NUL character</translation>
    </message>
    <message>
        <source>%d行しかありません（%d行のはず）</source>
        <translation>only %d lines (%d expected)</translation>
    </message>
    <message>
        <source>ハイスコアデータをセーブしますか？</source>
        <translation>Save the high-score data?</translation>
    </message>
    <message>
        <source>スコアデータのセーブ</source>
        <translation>Saving the scores</translation>
    </message>
    <message>
        <source>ハイスコアデータを保存できませんでした。</source>
        <translation>The high-score data could not be saved.</translation>
    </message>
    <message>
        <source>ゲームのフォルダに書き込めるか確かめてください。</source>
        <translation>Check that the game&apos;s folder can be written to.</translation>
    </message>
    <message>
        <source>ゲームのフォルダに書き込めるか確かめてください。
記録は残したまま、この面に留まります。</source>
        <translation>Check that the game&apos;s folder can be written to.
The runs are kept and you stay on this stage.</translation>
    </message>
    <message>
        <source>ゲームのフォルダに書き込めるか確かめてください。
再試行、破棄（記録を捨てて終了）、キャンセル（ゲームに戻る）から選んでください。</source>
        <translation>Check that the game&apos;s folder can be written to.
Choose Retry, Discard (close without the new runs) or Cancel (back to the game).</translation>
    </message>
    <message>
        <source>読めなかった記録ファイルは上書きせず、次の名前で残しました。</source>
        <translation>The record files that could not be read were not overwritten; they were kept as:</translation>
    </message>
    <message>
        <source>走行ファイル</source>
        <translation>Run file</translation>
    </message>
    <message>
        <source>走行ファイルとして読めません。</source>
        <translation>This is not a run file the game can read.</translation>
    </message>
    <message>
        <source>%d面の走行です。いまは%d面です。その面を選んでから読み込んでください。</source>
        <translation>This is a run of stage %d; the current stage is %d. Select its stage first.</translation>
    </message>
    <message>
        <source>別のコースで記録された走行です。この面のファイルが記録時と異なります。</source>
        <translation>This run was set on another course: the files of this stage differ from those it was set on.</translation>
    </message>
    <message>
        <source>この面のファイルが読めません。</source>
        <translation>The files of this stage cannot be read.</translation>
    </message>
    <message>
        <source>この走行は記録されたタイム（%d）で走りきれません。</source>
        <translation>This run does not drive to the time it claims (%d).</translation>
    </message>
    <message>
        <source>この走行（TIME:%d）は10位（TIME:%d）より速くないため、記録に入りません。</source>
        <translation>This run (TIME: %d) is not faster than rank 10 (TIME: %d); the table is unchanged.</translation>
    </message>
    <message>
        <source>この走行はすでに記録にあります。</source>
        <translation>This run is already in the table.</translation>
    </message>
    <message>
        <source>空の記録は書き出せません。</source>
        <translation>An empty entry holds no run to export.</translation>
    </message>
    <message>
        <source>走行ファイルを書き出せませんでした。</source>
        <translation>The run file could not be written.</translation>
    </message>
    <message>
        <source>ステージパック「%s」のファイルに問題があります。</source>
        <translation>The files of the stage pack “%s” have problems.</translation>
    </message>
    <message>
        <source>ステージパック</source>
        <translation>Stage pack</translation>
    </message>
    <message>
        <source>このファイルはステージパックとして受け付けられません。</source>
        <translation>This file is not taken as a stage pack.</translation>
    </message>
    <message>
        <source>ファイルを読めません。</source>
        <translation>The file cannot be read.</translation>
    </message>
    <message>
        <source>「%s」はすでに追加されています。</source>
        <translation>“%s” has been added already.</translation>
    </message>
    <message>
        <source>「%s」と同じコースの別の版です。
記録はそのままに、この版に入れ替えますか？</source>
        <translation>This is another version of the same course as “%s”.
Replace it with this version, keeping its records?</translation>
    </message>
    <message>
        <source>「%s」を追加しました。
このステージに移りますか？</source>
        <translation>“%s” has been added.
Go to this stage now?</translation>
    </message>
    <message>
        <source>ステージパックを保存できませんでした。何も変わっていません。</source>
        <translation>The stage pack could not be saved. Nothing has changed.</translation>
    </message>
    <message>
        <source>「%s」とその記録を削除します。
よろしいですか？</source>
        <translation>“%s” and its records will be removed.
Are you sure?</translation>
    </message>
    <message>
        <source>ステージパックを削除できませんでした。</source>
        <translation>The stage pack could not be removed.</translation>
    </message>
    <message>
        <source>ja</source>
        <translation>en</translation>
    </message>
    <message>
        <source>空のファイルです。</source>
        <translation>The file is empty.</translation>
    </message>
    <message>
        <source>このゲームの走行ファイルではありません。</source>
        <translation>This is not a run file of this game.</translation>
    </message>
    <message>
        <source>走行ファイルを書き出しました。</source>
        <translation>The run file has been written:</translation>
    </message>
</context>
<context>
    <name>RaceDisplay</name>
    <message>
        <source>タイム --</source>
        <translation>Time --</translation>
    </message>
    <message>
        <source>チェックポイント --</source>
        <translation>Checkpoint --</translation>
    </message>
    <message>
        <source>チェックポイント %1/%2</source>
        <translation>Checkpoint %1/%2</translation>
    </message>
    <message>
        <source>合計 %1</source>
        <translation>Total %1</translation>
    </message>
    <message>
        <source>今回 %1</source>
        <translation>This run %1</translation>
    </message>
    <message>
        <source>タイム %1</source>
        <translation>Time %1</translation>
    </message>
    <message>
        <source>10位 %1</source>
        <translation>10th place %1</translation>
    </message>
    <message>
        <source>残り --</source>
        <translation>Left --</translation>
    </message>
    <message>
        <source>残り %1</source>
        <translation>Left %1</translation>
    </message>
    <message>
        <source>時間切れ</source>
        <translation>Time up</translation>
    </message>
    <message>
        <source>Alt+G, 1 でレース開始</source>
        <translation>Alt+G, 1 to race</translation>
    </message>
</context>
<context>
    <name>Times</name>
    <message>
        <source>%d（%s秒）</source>
        <translation>%d (%s s)</translation>
    </message>
</context>
<context>
    <name>ViewMenu</name>
    <message>
        <source>全画面表示</source>
        <translation>Full screen</translation>
    </message>
    <message>
        <source>画面の表示</source>
        <translation>Picture</translation>
    </message>
    <message>
        <source>ウィンドウに合わせて伸ばす</source>
        <translation>Stretch to the window</translation>
    </message>
    <message>
        <source>縦横比を保つ（黒い縁）</source>
        <translation>Keep the shape (black borders)</translation>
    </message>
    <message>
        <source>整数倍だけ（くっきりした画素）</source>
        <translation>Whole multiples only (sharp pixels)</translation>
    </message>
    <message>
        <source>元の画面</source>
        <translation>Original</translation>
    </message>
    <message>
        <source>くっきり ×2</source>
        <translation>Sharp x2</translation>
    </message>
    <message>
        <source>くっきり ×4</source>
        <translation>Sharp x4</translation>
    </message>
    <message>
        <source>ワイド 16:9（くっきり ×4）</source>
        <translation>Wide 16:9 (sharp x4)</translation>
    </message>
    <message>
        <source>ウィンドウの大きさ</source>
        <translation>Window size</translation>
    </message>
    <message>
        <source>×1 (256 x 360)</source>
        <translation>x1 (256 x 360)</translation>
    </message>
    <message>
        <source>×2 (512 x 720)</source>
        <translation>x2 (512 x 720)</translation>
    </message>
    <message>
        <source>×3 (768 x 1080)</source>
        <translation>x3 (768 x 1080)</translation>
    </message>
    <message>
        <source>×1 (488 x 360)</source>
        <translation>x1 (488 x 360)</translation>
    </message>
    <message>
        <source>×2 (976 x 720)</source>
        <translation>x2 (976 x 720)</translation>
    </message>
    <message>
        <source>×3 (1464 x 1080)</source>
        <translation>x3 (1464 x 1080)</translation>
    </message>
</context>
<context>
    <name>WorldTable</name>
    <message>
        <source>ワールドランキングに参加...</source>
        <translation>Join the world table...</translation>
    </message>
    <message>
        <source>ベスト走行をワールドランキングへ送る</source>
        <translation>Send my best run to the world table</translation>
    </message>
    <message>
        <source>ワールドランキング...</source>
        <translation>World table...</translation>
    </message>
    <message>
        <source>ワールドランキング</source>
        <translation>World table</translation>
    </message>
    <message>
        <source>サーバーのアドレス（例 http://127.0.0.1:8080）</source>
        <translation>Server address (e.g. http://127.0.0.1:8080)</translation>
    </message>
    <message>
        <source>登録する名前</source>
        <translation>Name to register</translation>
    </message>
    <message>
        <source>「%1」で%2に登録しました。</source>
        <translation>Registered as %1 on %2.</translation>
    </message>
    <message>
        <source>先に「ワールドランキングに参加」で名前を登録してください。</source>
        <translation>Register a name first with &quot;Join the world table&quot;.</translation>
    </message>
    <message>
        <source>この面の記録に「%1」の走行がありません。</source>
        <translation>This stage&apos;s table holds no run of %1.</translation>
    </message>
    <message>
        <source>ワールドランキング %1位（TIME:%2）に入りました。</source>
        <translation>On the world table at rank %1 (TIME:%2).</translation>
    </message>
    <message>
        <source>サーバーにつながりません。</source>
        <translation>The world table server cannot be reached.</translation>
    </message>
    <message>
        <source>サーバーが断りました。</source>
        <translation>The server refused the request.</translation>
    </message>
    <message>
        <source>ワールドランキングにある自己ベストより速くありません。</source>
        <translation>Not faster than your best on the world table.</translation>
    </message>
    <message>
        <source>同じ走行がすでに別の名前でワールドランキングにあります。</source>
        <translation>The same run is on the world table under another name.</translation>
    </message>
    <message>
        <source>この名前はサーバーに登録されていません。もう一度参加してください。</source>
        <translation>This name is not registered on the server; join again.</translation>
    </message>
    <message>
        <source>その名前はすでに使われています。</source>
        <translation>That name is taken.</translation>
    </message>
    <message>
        <source>その名前は使えません（全角7文字・半角15文字まで）。</source>
        <translation>That name cannot be used (15 bytes at most, as the tables keep names).</translation>
    </message>
    <message>
        <source>このサーバーはこの面のコースを受け付けていません。</source>
        <translation>This server takes no runs of this stage&apos;s course.</translation>
    </message>
    <message>
        <source>この走行は記録されたタイムで走りきれません。</source>
        <translation>This run does not drive to its recorded time.</translation>
    </message>
    <message>
        <source>サーバーが混み合っています。しばらく待ってからもう一度どうぞ。</source>
        <translation>The server is busy; wait a moment and try again.</translation>
    </message>
    <message>
        <source>読み込み中...</source>
        <translation>Loading...</translation>
    </message>
    <message>
        <source>%1面  %2件</source>
        <translation>Stage %1  %2 runs</translation>
    </message>
    <message>
        <source>あなたの順位: %1位</source>
        <translation>Your place: %1</translation>
    </message>
    <message>
        <source>あなたの走行はまだありません。</source>
        <translation>You have no run here yet.</translation>
    </message>
    <message>
        <source>順位</source>
        <translation>Rank</translation>
    </message>
    <message>
        <source>タイム</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>名前</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>日時</source>
        <translation>When</translation>
    </message>
    <message>
        <source>前へ</source>
        <translation>Previous</translation>
    </message>
    <message>
        <source>次へ</source>
        <translation>Next</translation>
    </message>
    <message>
        <source>この走行と競争</source>
        <translation>Race this run</translation>
    </message>
    <message>
        <source>閉じる</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>%1  %2件</source>
        <translation>%1  %2 runs</translation>
    </message>
</context>
</TS>
