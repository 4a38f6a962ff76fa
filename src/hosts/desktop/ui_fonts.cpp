#include "hosts/desktop/ui_fonts.h"

#include <QStringList>

#include <cstring>

namespace vantrell::desktop {

namespace {

// Family names as fontconfig lists them, Latin first, then the Japanese alias.
const QStringList kMincho{"IPAMincho", "IPA明朝", "Noto Serif CJK JP", "serif"};
const QStringList kPGothic{"IPAPGothic", "IPA Pゴシック", "Noto Sans CJK JP", "sans-serif"};
const QStringList kGothic{"IPAGothic", "IPAゴシック", "Noto Sans Mono CJK JP", "monospace"};

QFont Make(const QStringList& families, int pixels) {
    QFont font(families.front());
    font.setFamilies(families);
    font.setPixelSize(pixels);
    return font;
}

int PointsToPixels(int points) {
    return (points * 96 + 36) / 72;
}

}  // namespace

QFont StatusFont() {
    QFont font = Make(kMincho, 20);
    font.setWeight(static_cast<QFont::Weight>(550));
    font.setStyleStrategy(QFont::NoAntialias);  // the strip's text was drawn without smoothing
    return font;
}

QFont FontForFace(const char* face, int points) {
    const int pixels = PointsToPixels(points);
    if (std::strcmp(face, "ＭＳ Ｐゴシック") == 0) {
        // IPA P Gothic's Latin letters run about a tenth wider than the face the templates
        // were laid out for; a pixel less keeps the templates' texts inside their controls.
        return Make(kPGothic, pixels - 1);
    }
    if (std::strcmp(face, "ＭＳ ゴシック") == 0) {
        return Make(kGothic, pixels);
    }
    if (std::strcmp(face, "ＭＳ 明朝") == 0) {
        return Make(kMincho, pixels);
    }
    QStringList families{QString::fromUtf8(face)};
    families.append(kPGothic);
    return Make(families, pixels);
}

QFont SystemDialogFont() {
    QFont font = Make(kGothic, 16);
    font.setFixedPitch(true);
    return font;
}

QFont MenuFont() {
    return Make(kPGothic, 12);
}

}  // namespace vantrell::desktop
