#include "records/record_names.h"

#include "records/shift_jis.h"

namespace vantrell {
namespace {

bool BreaksLine(char c) {
    return c == '\0' || c == '\n' || c == '\r';
}

}  // namespace

std::optional<std::string> EncodeName(std::string_view utf8) {
    for (const char c : utf8) {
        if (BreaksLine(c)) {
            return std::nullopt;
        }
    }
    return EncodeShiftJisExactly(utf8);
}

bool NameFits(std::string_view utf8) {
    const std::optional<std::string> bytes = EncodeName(utf8);
    return bytes && bytes->size() <= kNameBytes;
}

std::string NameForTable(std::string_view typed) {
    std::string clean;
    for (const char c : typed) {
        if (!BreaksLine(c)) {
            clean += c;
        }
    }
    return std::string(CutShiftJis(EncodeShiftJisDropping(clean), kNameBytes));
}

std::string NameForDisplay(std::string_view stored) {
    return DecodeShiftJis(stored);
}

std::string NameFromLine(std::string_view line) {
    const std::size_t nul = line.find('\0');
    if (nul != std::string_view::npos) {
        line = line.substr(0, nul);
    }
    if (line.size() <= kNameBytes) {
        return std::string(line);  // as written, even a lone lead byte at the end
    }
    return std::string(CutShiftJis(line, kNameBytes));
}

}  // namespace vantrell
