// Names in the record files are Shift-JIS (code page 932) bytes; every text the game shows is
// UTF-8. These helpers convert between the two (record_names.h says when) and measure texts the
// way the record format and the fixed-pitch lists count them: one unit per single-byte and two
// per double-byte character.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace vantrell {

// UTF-8 to code page 932. A character that has no code-page form, or a byte that is not valid
// UTF-8, becomes '?', so the result always re-decodes.
std::string EncodeShiftJis(std::string_view utf8);

// UTF-8 to code page 932, or nothing if any character has no code-page form or the text is not
// valid UTF-8.
std::optional<std::string> EncodeShiftJisExactly(std::string_view utf8);

// UTF-8 to code page 932, leaving out every character that has no code-page form and every
// byte that is not valid UTF-8.
std::string EncodeShiftJisDropping(std::string_view utf8);

// Code page 932 to UTF-8. Bytes that do not form a character become U+FFFD.
std::string DecodeShiftJis(std::string_view shiftJis);

// The longest prefix of code-page bytes of at most maxBytes that does not end inside a
// double-byte character.
std::string_view CutShiftJis(std::string_view shiftJis, std::size_t maxBytes);

// Width of a UTF-8 text in single-byte columns: its length in code page 932.
std::size_t ShiftJisWidth(std::string_view utf8);

// True for a byte that opens a double-byte character in code page 932.
constexpr bool IsShiftJisLeadByte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

}  // namespace vantrell
