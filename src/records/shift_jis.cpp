#include "records/shift_jis.h"

#include <iconv.h>

#include <cerrno>

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

  private:
    iconv_t handle_;
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

std::string Convert(const char* to, const char* from, std::string_view input,
                    std::string_view replacement, SkipRule skip, std::size_t& failures) {
    Converter converter(to, from);
    if (!converter.Ok()) {
        return AsciiOnly(input, replacement, skip, failures);
    }
    return converter.Run(input, replacement, skip, failures);
}

std::string EncodeReplacing(std::string_view utf8, std::string_view replacement,
                            std::size_t& failures) {
    return Convert("CP932", "UTF-8", utf8, replacement, SkipUtf8Character, failures);
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
    return Convert("UTF-8", "CP932", shiftJis, kReplacementUtf8, SkipOneByte, failures);
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
