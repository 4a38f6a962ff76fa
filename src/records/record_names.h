// Names in a record file are Shift-JIS bytes, at most kNameBytes of them, on a line of their
// own. The table keeps those bytes exactly as read, so a save never rewrites a name it did not
// change; a name is converted only to be shown, and a typed name once, when it is entered.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace vantrell {

constexpr std::size_t kNameBytes = 15;  // a name's limit in Shift-JIS bytes, without the NUL

// The Shift-JIS bytes of a typed (UTF-8) name, or nothing when the record file could not hold
// it: a character without a Shift-JIS form, bytes that are not UTF-8, or a NUL, CR or LF, which
// would break the file's lines. The length is not checked here: see NameFits.
std::optional<std::string> EncodeName(std::string_view utf8);

// Whether the name entry may accept this text: it encodes, in at most kNameBytes bytes.
bool NameFits(std::string_view utf8);

// The bytes stored for a typed name. The dialog should only accept names that fit; anything
// else is stored with the characters the file cannot hold dropped (never replaced by '?') and
// cut to kNameBytes at a character boundary.
std::string NameForTable(std::string_view typed);

// A stored name as UTF-8 for the lists and the name box; bytes that form no character show
// as U+FFFD.
std::string NameForDisplay(std::string_view stored);

// What a name line of the record file gives, before its CR LF: the bytes up to a NUL, and of a
// line longer than kNameBytes (which the game never writes) the longest prefix of whole
// characters that fits.
std::string NameFromLine(std::string_view line);

}  // namespace vantrell
