#include "app/how_to_play.h"

#include <string_view>
#include <vector>

#include "input/input_config.h"
#include "platform/ui_text.h"

namespace vantrell {

namespace {

constexpr char kContext[] = "HowToPlay";

constexpr char kTitle[] = VT_TRANSLATE_NOOP("HowToPlay", "遊び方");

constexpr char kKeysHeading[] = VT_TRANSLATE_NOOP("HowToPlay", "キー");
// %1 and %2 are the player's forward and reverse keys, %3 and %4 left and right.
constexpr char kPlayer1Keys[] =
    VT_TRANSLATE_NOOP("HowToPlay", "プレイヤー1（赤）: 前進 %1、後退 %2、左 %3、右 %4");
constexpr char kPlayer2Keys[] =
    VT_TRANSLATE_NOOP("HowToPlay", "プレイヤー2（青）: 前進 %1、後退 %2、左 %3、右 %4");
constexpr char kNoKeys[] = VT_TRANSLATE_NOOP("HowToPlay", "なし");
constexpr char kPad[] = VT_TRANSLATE_NOOP(
    "HowToPlay",
    "ジョイパッド: スティックで前後左右。Start で一時停止、Back でやり直し。"
    "Guide（または Back と Start を同時）でメニュー、A で決定、B で取り消し。"
    "使うキーとパッドは「設定」の「操作設定」で選び、キーは「キー設定」で変えられます。");
constexpr char kSolo[] =
    VT_TRANSLATE_NOOP("HowToPlay", "1人で走るときも、プレイヤー2のキーで青い機体が動きます。");

constexpr char kDrivingHeading[] = VT_TRANSLATE_NOOP("HowToPlay", "走り方");
constexpr char kForward[] = VT_TRANSLATE_NOOP(
    "HowToPlay", "前進は機首の向きに押し、後退は逆向きに押します。止まるにも後退を使います。");
constexpr char kDrift[] = VT_TRANSLATE_NOOP(
    "HowToPlay",
    "左右で回るのは機首だけです。機体は浮いているので、それまでの勢いのまま横に滑ります"
    "（ドリフト）。カーブの手前で早めに向きを変え、前進で勢いを曲げましょう。");
constexpr char kHills[] = VT_TRANSLATE_NOOP(
    "HowToPlay", "坂や土手は機体を下へ押し流します。コースは左右の端でつながっています。");

constexpr char kRaceHeading[] = VT_TRANSLATE_NOOP("HowToPlay", "レース");
constexpr char kCheckpoints[] = VT_TRANSLATE_NOOP(
    "HowToPlay",
    "赤く点滅しているのが次のチェックポイントです。20か所を順に全て通過するとゴールです。");
constexpr char kLimit[] = VT_TRANSLATE_NOOP(
    "HowToPlay", "制限時間は2400ティック（標準の速さで約38秒）です。過ぎると失格になります。");
constexpr char kTable[] = VT_TRANSLATE_NOOP(
    "HowToPlay", "ゴールのタイムが上位10位に入ると、名前を入れて記録に残せます。");
// %1 are the pause keys, %2 the retry keys, %3 the full-screen keys.
constexpr char kGameKeys[] = VT_TRANSLATE_NOOP(
    "HowToPlay", "%1 で一時停止と再開、%2 で同じレースをやり直し、%3 で全画面表示の切り替え。");

constexpr char kMenuHeading[] = VT_TRANSLATE_NOOP("HowToPlay", "メニュー");
constexpr char kMenuKeys[] = VT_TRANSLATE_NOOP(
    "HowToPlay",
    "Alt と下線の文字でメニューを開けます。Alt+G のあと 1 で1人のレース、2 で過去の記録と"
    "対戦、3 で気楽にドライブ。");

constexpr char kDisplayHeading[] = VT_TRANSLATE_NOOP("HowToPlay", "レース表示");
constexpr char kDisplay[] = VT_TRANSLATE_NOOP(
    "HowToPlay",
    "画面の下にタイム、残り時間、通過したチェックポイントの数とコースの地図が出ます。"
    "地図の赤い点が自分、青い点が相手、黄色い四角が次のチェックポイントです。");
constexpr char kWrapMarks[] =
    VT_TRANSLATE_NOOP("HowToPlay", "地図の端の印は、コースが反対側の端へ続くところです。");
constexpr char kSplits[] = VT_TRANSLATE_NOOP(
    "HowToPlay",
    "スプリットは、チェックポイントごとに記録の1位（対戦では相手）との差をティックで示します"
    "（マイナスなら先行）。"
    "どちらも「設定」で表示を切り替えられます。");

std::string Text(const char* text) {
    return UiText(kContext, text);
}

void AppendEscaped(std::string& out, std::string_view text) {
    for (const char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            default:
                out += c;
        }
    }
}

// Fills %1..%9 with bold, escaped values; the text around them is escaped too.
std::string Filled(const std::string& text, const std::vector<std::string>& values) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 1 < text.size() && text[i + 1] >= '1' && text[i + 1] <= '9') {
            const size_t index = static_cast<size_t>(text[i + 1] - '1');
            if (index < values.size()) {
                out += "<b>";
                AppendEscaped(out, values[index]);
                out += "</b>";
            }
            ++i;
            continue;
        }
        AppendEscaped(out, std::string_view(&text[i], 1));
    }
    return out;
}

std::string Joined(const std::vector<std::string>& names) {
    std::string out;
    for (const std::string& name : names) {
        out += (out.empty() ? "" : " / ") + name;
    }
    return out;
}

// The names of what is bound to an action now, keys and pad buttons alike.
std::vector<std::string> BoundNames(const InputConfig& input, BoundAction action) {
    std::vector<std::string> names;
    for (const Binding& binding : input.Bindings().Of(action)) {
        names.push_back(BindingName(binding));
    }
    return names;
}

// Through the key set the player drives with; none when the player has no key set.
std::string KeysOf(const InputConfig& input, int32_t player, SetControl control) {
    const PlayerAssignment& assignment = input.Player(player);
    const int32_t set = assignment.useCursorKeys > 0 ? 1 : assignment.useLetterKeys > 0 ? 2 : 0;
    const std::vector<std::string> names =
        set == 0 ? std::vector<std::string>{} : BoundNames(input, SetAction(set, control));
    return names.empty() ? Text(kNoKeys) : Joined(names);
}

std::string GameKeys(const InputConfig& input, BoundAction action) {
    std::vector<std::string> names = BoundNames(input, action);
    if (action == BoundAction::FullScreen) {
        names.emplace_back("Alt+Enter");  // always, beside whatever is bound
    }
    return names.empty() ? Text(kNoKeys) : Joined(names);
}

std::string PlayerLine(const InputConfig& input, int32_t player) {
    return Filled(
        Text(player == 1 ? kPlayer1Keys : kPlayer2Keys),
        {KeysOf(input, player, SetControl::Forward), KeysOf(input, player, SetControl::Reverse),
         KeysOf(input, player, SetControl::Left), KeysOf(input, player, SetControl::Right)});
}

class Page {
  public:
    void Heading(const char* text) {
        Close();
        html_ += "<h3>" + Filled(Text(text), {}) + "</h3><ul>";
        open_ = true;
    }
    void Item(const std::string& filledHtml) { html_ += "<li>" + filledHtml + "</li>"; }
    void Item(const char* text) { Item(Filled(Text(text), {})); }
    std::string Done() {
        Close();
        return html_;
    }

  private:
    void Close() {
        if (open_) {
            html_ += "</ul>";
        }
        open_ = false;
    }
    std::string html_;
    bool open_ = false;
};

}  // namespace

std::string HowToPlayTitle() {
    return Text(kTitle);
}

std::string HowToPlayHtml(const InputConfig& input) {
    Page page;
    page.Heading(kKeysHeading);
    page.Item(PlayerLine(input, 1));
    page.Item(PlayerLine(input, 2));
    page.Item(kPad);
    page.Item(kSolo);
    page.Heading(kDrivingHeading);
    page.Item(kForward);
    page.Item(kDrift);
    page.Item(kHills);
    page.Heading(kRaceHeading);
    page.Item(kCheckpoints);
    page.Item(kLimit);
    page.Item(kTable);
    page.Item(Filled(Text(kGameKeys),
                     {GameKeys(input, BoundAction::Pause), GameKeys(input, BoundAction::Retry),
                      GameKeys(input, BoundAction::FullScreen)}));
    page.Heading(kMenuHeading);
    page.Item(kMenuKeys);
    page.Heading(kDisplayHeading);
    page.Item(kDisplay);
    page.Item(kWrapMarks);
    page.Item(kSplits);
    return page.Done();
}

}  // namespace vantrell
