#include "platform/ui_text.h"

namespace vantrell {

namespace {
UiTextTranslator translator = nullptr;
}  // namespace

void SetUiTextTranslator(UiTextTranslator next) {
    translator = next;
}

std::string UiText(const char* context, const char* text) {
    return translator != nullptr ? translator(context, text) : std::string(text);
}

}  // namespace vantrell
