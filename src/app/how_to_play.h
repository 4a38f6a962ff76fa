// "How to play": the help page that teaches a new player the game, with the keys each player
// drives with now. A small rich text (headings, paragraphs, lists) both hosts can show as it is.
#pragma once

#include <string>

namespace vantrell {

class InputConfig;

// The page's title, in the player's language.
std::string HowToPlayTitle();

// The page in the player's language, as HTML: h3, p, ul, li and b only, every text escaped.
std::string HowToPlayHtml(const InputConfig& input);

}  // namespace vantrell
