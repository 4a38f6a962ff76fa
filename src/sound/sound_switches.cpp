#include "sound/sound_switches.h"

#include <algorithm>
#include <fstream>
#include <limits>
#include <optional>

#include "io/atomic_save.h"

namespace vantrell {
namespace {

// The file holds two short lines; a larger one is not ours, and reading all of it would only
// cost time. Nothing past this many bytes takes part in the patterns.
constexpr std::streamsize kMaxReadBytes = 64 * 1024;

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// One scanf-style pass over the text, starting where the previous pass stopped. On a mismatch
// the offending character stays unread, as with scanf.
class Scanner {
  public:
    explicit Scanner(std::string_view text) : text_(text) {}

    // Matches a pattern holding exactly one %d; the number, or nothing if the pattern failed
    // before the number was read. What follows the number is matched for position only.
    std::optional<int32_t> Scan(std::string_view pattern) {
        std::optional<int32_t> number;
        for (size_t p = 0; p < pattern.size(); ++p) {
            const char want = pattern[p];
            if (IsBlank(want)) {
                SkipBlanks();
            } else if (want == '%' && p + 1 < pattern.size() && pattern[p + 1] == 'd') {
                ++p;
                number = ReadDecimal();
                if (!number) {
                    return std::nullopt;
                }
            } else if (pos_ < text_.size() && text_[pos_] == want) {
                ++pos_;
            } else {
                break;
            }
        }
        return number;
    }

  private:
    void SkipBlanks() {
        while (pos_ < text_.size() && IsBlank(text_[pos_])) {
            ++pos_;
        }
    }

    // A number beyond 32 bits saturates, so an absurdly large count still reads as on.
    std::optional<int32_t> ReadDecimal() {
        SkipBlanks();
        bool negative = false;
        if (pos_ < text_.size() && (text_[pos_] == '+' || text_[pos_] == '-')) {
            negative = text_[pos_] == '-';
            ++pos_;  // a sign without digits stays consumed, as scanf leaves it
        }
        const int64_t limit = negative ? -int64_t{std::numeric_limits<int32_t>::min()}
                                       : int64_t{std::numeric_limits<int32_t>::max()};
        int64_t magnitude = 0;
        bool anyDigit = false;
        while (pos_ < text_.size() && text_[pos_] >= '0' && text_[pos_] <= '9') {
            magnitude = std::min(limit, magnitude * 10 + (text_[pos_] - '0'));
            anyDigit = true;
            ++pos_;
        }
        if (!anyDigit) {
            return std::nullopt;
        }
        return static_cast<int32_t>(negative ? -magnitude : magnitude);
    }

    std::string_view text_;
    size_t pos_ = 0;
};

int32_t OnOff(int32_t value) {
    return value > 0 ? 1 : 0;
}

}  // namespace

void ParseSoundSwitches(std::string_view text, SoundSwitches& switches) {
    Scanner scanner(text);
    if (const auto se = scanner.Scan("SE = %d ")) {
        switches.effectsOn = OnOff(*se);
    }
    if (const auto bgm = scanner.Scan("BGM = %d ")) {
        switches.musicOn = OnOff(*bgm);
    }
}

std::string FormatSoundSwitches(const SoundSwitches& switches) {
    return "SE = " + std::to_string(OnOff(switches.effectsOn)) +
           " \r\nBGM = " + std::to_string(OnOff(switches.musicOn)) + " \r\n";
}

int32_t LoadSoundSwitches(const std::filesystem::path& file, SoundSwitches& switches) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        return -1;
    }
    std::string text(static_cast<size_t>(kMaxReadBytes), '\0');
    in.read(text.data(), kMaxReadBytes);
    text.resize(static_cast<size_t>(in.gcount()));
    ParseSoundSwitches(text, switches);
    return 1;
}

int32_t SaveSoundSwitches(const std::filesystem::path& file, const SoundSwitches& switches) {
    const std::string bytes = FormatSoundSwitches(switches);
    return SaveFile(file, BytesOf(bytes)) ? -1 : 1;
}

}  // namespace vantrell
