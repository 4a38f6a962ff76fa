// Texts a player reads outside the game picture (menus, messages, dialogs). The game's own
// texts are Japanese and are written as such in the code; a host that offers another language
// installs a translator that looks each text up by its context and its Japanese.
#pragma once

#include <string>

// Marks a text for the translation tools where it is defined; it stays the text itself.
#define VT_TRANSLATE_NOOP(context, text) text

namespace vantrell {

// Returns the text in the player's language; it must not keep the pointers.
using UiTextTranslator = std::string (*)(const char* context, const char* text);

// Installs the translator (null: the texts as written).
void SetUiTextTranslator(UiTextTranslator translator);

// The text as the player reads it. A format text keeps its conversions in every language.
std::string UiText(const char* context, const char* text);

}  // namespace vantrell
