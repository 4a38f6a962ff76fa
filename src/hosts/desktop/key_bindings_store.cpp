#include "hosts/desktop/key_bindings_store.h"

#include <QSettings>

#include "hosts/desktop/qt_settings.h"

namespace vantrell::desktop {

namespace {

QString EntryOf(BoundAction action) {
    return QStringLiteral("keys/") +
           QString::fromLatin1(ActionName(action).data(),
                               static_cast<int>(ActionName(action).size()));
}

}  // namespace

KeyBindings LoadKeyBindings(const QString& iniPath) {
    const auto settings = OpenSettings(iniPath);
    std::array<std::optional<std::string>, kBoundActionCount> texts;
    for (std::size_t i = 0; i < kBoundActionCount; ++i) {
        const QVariant value = settings->value(EntryOf(static_cast<BoundAction>(i)));
        if (!value.isValid()) {
            continue;
        }
        // QSettings reads an unquoted "S, X" as a list of two strings.
        const QString text = value.typeId() == QMetaType::QStringList
                                 ? value.toStringList().join(QStringLiteral(", "))
                                 : value.toString();
        texts[i] = text.toStdString();
    }
    return KeyBindings::FromTexts(texts);
}

void StoreKeyBindings(const QString& iniPath, const KeyBindings& bindings) {
    const auto settings = OpenSettings(iniPath);
    for (std::size_t i = 0; i < kBoundActionCount; ++i) {
        const auto action = static_cast<BoundAction>(i);
        settings->setValue(EntryOf(action), QString::fromStdString(bindings.Text(action)));
    }
    settings->sync();
}

}  // namespace vantrell::desktop
