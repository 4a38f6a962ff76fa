#include "hosts/web/web_bridge.h"

#include <cstdio>
#include <cstdlib>

namespace vantrell::web {

std::string TakeString(char* fromPage) {
    std::string text = fromPage == nullptr ? std::string() : std::string(fromPage);
    std::free(fromPage);
    return text;
}

std::string JsonQuote(const std::string& text) {
    std::string quoted = "\"";
    for (const char ch : text) {
        const auto byte = static_cast<unsigned char>(ch);
        if (ch == '"' || ch == '\\') {
            quoted += '\\';
            quoted += ch;
        } else if (byte < 0x20) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", byte);
            quoted += escape;
        } else {
            quoted += ch;
        }
    }
    return quoted + "\"";
}

}  // namespace vantrell::web
