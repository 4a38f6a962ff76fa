#include "records/shift_jis.h"

#include <iconv.h>

#include <cerrno>
#include <utility>

namespace vantrell {
namespace {

constexpr std::string_view kReplacementUtf8 = "\xEF\xBF\xBD";  // U+FFFD

bool IsUtf8Continuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// After a failed character, how many input bytes to drop before trying again.
using SkipRule = std::size_t (*)(std::string_view rest);

std::size_t SkipUtf8Character(std::string_view rest) {
    std::size_t n = 1;
    while (n < rest.size() && IsUtf8Continuation(static_cast<unsigned char>(rest[n]))) {
        ++n;
    }
    return n;
}

std::size_t SkipOneByte(std::string_view) {
    return 1;
}

class Converter {
  public:
    Converter(const char* to, const char* from) : handle_(iconv_open(to, from)) {}
    ~Converter() {
        if (Ok()) {
            iconv_close(handle_);
        }
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool Ok() const { return handle_ != reinterpret_cast<iconv_t>(-1); }

    // Converts all of input; every character that fails is replaced and skipped, so one bad
    // byte never loses the rest of the text. `failures` counts them.
    std::string Run(std::string_view input, std::string_view replacement, SkipRule skip,
                    std::size_t& failures) {
        std::string out;
        char buffer[256];
        char* in = const_cast<char*>(input.data());
        std::size_t inLeft = input.size();
        while (inLeft > 0) {
            char* outPtr = buffer;
            std::size_t outLeft = sizeof buffer;
            const std::size_t result = iconv(handle_, &in, &inLeft, &outPtr, &outLeft);
            out.append(buffer, outPtr);
            if (result != static_cast<std::size_t>(-1)) {
                substituted_ += result;
                continue;
            }
            if (errno == E2BIG) {
                continue;
            }
            // EILSEQ or EINVAL: a character that cannot be converted, or one cut short at the
            // end. Replace it and start afresh after it.
            ++failures;
            out += replacement;
            const std::size_t n = skip(std::string_view(in, inLeft));
            in += n;
            inLeft -= n;
            iconv(handle_, nullptr, nullptr, nullptr, nullptr);
        }
        return out;
    }

    // Characters the library put something of its own in for, since the last call: one the
    // target cannot hold may be written as '*' and only counted (musl does so).
    std::size_t TakeSubstituted() { return std::exchange(substituted_, 0); }

  private:
    iconv_t handle_;
    std::size_t substituted_ = 0;
};

// Without the converter module, keep what is plain ASCII in both encodings.
std::string AsciiOnly(std::string_view input, std::string_view replacement, SkipRule skip,
                      std::size_t& failures) {
    std::string out;
    std::size_t i = 0;
    while (i < input.size()) {
        const unsigned char byte = static_cast<unsigned char>(input[i]);
        if (byte < 0x80) {
            out += static_cast<char>(byte);
            ++i;
        } else {
            ++failures;
            out += replacement;
            i += skip(input.substr(i));
        }
    }
    return out;
}

// The record files' code page is CP932. A C library without it (the browser build's has only
// plain Shift-JIS) converts with Shift-JIS instead: the two agree on every JIS X 0208
// character, and CP932's own additions are then refused, never garbled.
constexpr const char* kCodePages[] = {"CP932", "SHIFT_JIS"};

// UTF-8 to Shift-JIS one character at a time, so that a character the library only counts as
// substituted is found and treated as one that failed. The code page keeps no state between
// characters, so this writes what one call over the whole text writes.
std::string EncodeEach(Converter& converter, std::string_view utf8, std::string_view replacement,
                       std::size_t& failures) {
    std::string out;
    std::size_t at = 0;
    while (at < utf8.size()) {
        const std::string_view character = utf8.substr(at, SkipUtf8Character(utf8.substr(at)));
        std::size_t characterFailures = 0;
        const std::string bytes =
            converter.Run(character, replacement, SkipUtf8Character, characterFailures);
        if (converter.TakeSubstituted() > 0) {
            ++failures;
            out += replacement;
        } else {
            failures += characterFailures;
            out += bytes;
        }
        at += character.size();
    }
    return out;
}

std::string Convert(bool toShiftJis, std::string_view input, std::string_view replacement,
                    SkipRule skip, std::size_t& failures) {
    for (const char* codePage : kCodePages) {
        Converter converter(toShiftJis ? codePage : "UTF-8", toShiftJis ? "UTF-8" : codePage);
        if (!converter.Ok()) {
            continue;
        }
        return toShiftJis ? EncodeEach(converter, input, replacement, failures)
                          : converter.Run(input, replacement, skip, failures);
    }
    return AsciiOnly(input, replacement, skip, failures);
}

std::string EncodeReplacing(std::string_view utf8, std::string_view replacement,
                            std::size_t& failures) {
    return Convert(true, utf8, replacement, SkipUtf8Character, failures);
}

}  // namespace

std::string EncodeShiftJis(std::string_view utf8) {
    std::size_t failures = 0;
    return EncodeReplacing(utf8, "?", failures);
}

std::optional<std::string> EncodeShiftJisExactly(std::string_view utf8) {
    std::size_t failures = 0;
    std::string bytes = EncodeReplacing(utf8, "", failures);
    if (failures > 0) {
        return std::nullopt;
    }
    return bytes;
}

std::string EncodeShiftJisDropping(std::string_view utf8) {
    std::size_t failures = 0;
    return EncodeReplacing(utf8, "", failures);
}

std::string DecodeShiftJis(std::string_view shiftJis) {
    std::size_t failures = 0;
    return Convert(false, shiftJis, kReplacementUtf8, SkipOneByte, failures);
}

std::string_view CutShiftJis(std::string_view shiftJis, std::size_t maxBytes) {
    std::size_t end = 0;
    while (end < shiftJis.size()) {
        const std::size_t length =
            IsShiftJisLeadByte(static_cast<unsigned char>(shiftJis[end])) ? 2 : 1;
        if (end + length > maxBytes || end + length > shiftJis.size()) {
            break;
        }
        end += length;
    }
    return shiftJis.substr(0, end);
}

std::size_t ShiftJisWidth(std::string_view utf8) {
    return EncodeShiftJis(utf8).size();
}

}  // namespace vantrell
