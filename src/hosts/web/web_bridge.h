// What every part of the browser host needs to talk to the page: strings the page hands back
// and JSON text for the structured values it is given. The page's scripts live in page/; their
// entry points are the window.VT namespace (page/main.js, page/ui*.js, page/audio.js).
#pragma once

#include <cstdint>
#include <string>

namespace vantrell::web {

// Takes a string the page allocated with malloc (null reads as empty) and frees it.
std::string TakeString(char* fromPage);

// The text as a JSON string literal, quotes included.
std::string JsonQuote(const std::string& text);

}  // namespace vantrell::web
