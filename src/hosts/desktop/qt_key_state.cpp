#include "hosts/desktop/qt_key_state.h"

#include <QCoreApplication>
#include <QEvent>
#include <QKeyEvent>

namespace vantrell::desktop {

namespace {

struct KeyPair {
    int qtKey;
    Key key;
};

// Qt's keys for the game's. The letters and digits run in order in both, but a table keeps the
// two spellings side by side where a reader can check them.
constexpr KeyPair kKeys[] = {
    {Qt::Key_Shift, Key::Shift},   {Qt::Key_Control, Key::Control},
    {Qt::Key_Left, Key::Left},     {Qt::Key_Up, Key::Up},
    {Qt::Key_Right, Key::Right},   {Qt::Key_Down, Key::Down},
    {Qt::Key_A, Key::A},           {Qt::Key_D, Key::D},
    {Qt::Key_S, Key::S},           {Qt::Key_W, Key::W},
    {Qt::Key_X, Key::X},           {Qt::Key_B, Key::B},
    {Qt::Key_C, Key::C},           {Qt::Key_E, Key::E},
    {Qt::Key_F, Key::F},           {Qt::Key_G, Key::G},
    {Qt::Key_H, Key::H},           {Qt::Key_I, Key::I},
    {Qt::Key_J, Key::J},           {Qt::Key_K, Key::K},
    {Qt::Key_L, Key::L},           {Qt::Key_M, Key::M},
    {Qt::Key_N, Key::N},           {Qt::Key_O, Key::O},
    {Qt::Key_P, Key::P},           {Qt::Key_Q, Key::Q},
    {Qt::Key_R, Key::R},           {Qt::Key_T, Key::T},
    {Qt::Key_U, Key::U},           {Qt::Key_V, Key::V},
    {Qt::Key_Y, Key::Y},           {Qt::Key_Z, Key::Z},
    {Qt::Key_0, Key::Digit0},      {Qt::Key_1, Key::Digit1},
    {Qt::Key_2, Key::Digit2},      {Qt::Key_3, Key::Digit3},
    {Qt::Key_4, Key::Digit4},      {Qt::Key_5, Key::Digit5},
    {Qt::Key_6, Key::Digit6},      {Qt::Key_7, Key::Digit7},
    {Qt::Key_8, Key::Digit8},      {Qt::Key_9, Key::Digit9},
    {Qt::Key_Space, Key::Space},   {Qt::Key_Return, Key::Return},
    {Qt::Key_Enter, Key::Return},  {Qt::Key_Backspace, Key::Backspace},
    {Qt::Key_Tab, Key::Tab},       {Qt::Key_Pause, Key::Pause},
    {Qt::Key_Insert, Key::Insert}, {Qt::Key_Delete, Key::Delete},
    {Qt::Key_Home, Key::Home},     {Qt::Key_End, Key::End},
    {Qt::Key_PageUp, Key::PageUp}, {Qt::Key_PageDown, Key::PageDown},
    {Qt::Key_F1, Key::F1},         {Qt::Key_F2, Key::F2},
    {Qt::Key_F3, Key::F3},         {Qt::Key_F4, Key::F4},
    {Qt::Key_F5, Key::F5},         {Qt::Key_F6, Key::F6},
    {Qt::Key_F7, Key::F7},         {Qt::Key_F8, Key::F8},
    {Qt::Key_F9, Key::F9},         {Qt::Key_F10, Key::F10},
    {Qt::Key_F11, Key::F11},       {Qt::Key_F12, Key::F12},
    {Qt::Key_Comma, Key::Comma},   {Qt::Key_Period, Key::Period},
    {Qt::Key_Slash, Key::Slash},   {Qt::Key_Semicolon, Key::Semicolon},
    {Qt::Key_Minus, Key::Minus},   {Qt::Key_Equal, Key::Equal},
    {Qt::Key_Alt, Key::Alt},
};

}  // namespace

std::optional<Key> KeyFor(int qtKey) {
    for (const KeyPair& pair : kKeys) {
        if (pair.qtKey == qtKey) {
            return pair.key;
        }
    }
    return std::nullopt;
}

int QtKeyFor(Key key) {
    for (const KeyPair& pair : kKeys) {
        if (pair.key == key) {
            return pair.qtKey;
        }
    }
    return 0;
}

bool IsBoundKey(const KeyBindings& bindings, BoundAction action, int qtKey) {
    const std::optional<Key> key = KeyFor(qtKey);
    return key && bindings.KeyAction(*key) == action;
}

bool IsBoundPress(const KeyBindings& bindings, BoundAction action, const QKeyEvent& event) {
    Qt::KeyboardModifiers others = event.modifiers() & ~Qt::KeypadModifier;
    if (event.key() == Qt::Key_Shift) {
        others &= ~Qt::ShiftModifier;
    } else if (event.key() == Qt::Key_Control) {
        others &= ~Qt::ControlModifier;
    }
    return others == Qt::NoModifier && IsBoundKey(bindings, action, event.key());
}

QtKeyState::QtKeyState() {
    QCoreApplication::instance()->installEventFilter(this);
}

QtKeyState::~QtKeyState() {
    if (QCoreApplication::instance() != nullptr) {
        QCoreApplication::instance()->removeEventFilter(this);
    }
}

bool QtKeyState::DownOrPressedSinceLastAsked(Key key) {
    if (KeyIndex(key) >= kKeyCount) {
        return false;
    }
    Held& held = keys_[KeyIndex(key)];
    const bool result = held.down || held.pressedSince;
    held.pressedSince = false;
    return result;
}

void QtKeyState::Press(Key key) {
    if (KeyIndex(key) < kKeyCount) {
        keys_[KeyIndex(key)].down = true;
        keys_[KeyIndex(key)].pressedSince = true;
    }
}

void QtKeyState::Release(Key key) {
    if (KeyIndex(key) < kKeyCount) {
        keys_[KeyIndex(key)].down = false;
    }
}

void QtKeyState::ReleaseAll() {
    keys_.fill(Held{});
}

bool QtKeyState::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::KeyPress:
        case QEvent::KeyRelease: {
            // Qt hands one event to the window, the focus widget and its parents in turn, so
            // this sees it several times; pressing or releasing twice changes nothing.
            const auto* key = static_cast<QKeyEvent*>(event);
            if (key->isAutoRepeat()) {
                break;  // the key has been down all along
            }
            const std::optional<Key> gameKey = KeyFor(key->key());
            if (!gameKey) {
                break;
            }
            if (event->type() == QEvent::KeyPress) {
                Press(*gameKey);
            } else {
                Release(*gameKey);
            }
            break;
        }
        case QEvent::ApplicationDeactivate:
            // The key-up of a key held while the focus went elsewhere goes to that other
            // program, so nothing here would ever see it.
            ReleaseAll();
            break;
        default:
            break;
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace vantrell::desktop
