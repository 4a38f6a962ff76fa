#include "input/key_bindings.h"

#include <algorithm>

namespace vantrell {

namespace {

// By Key value; the spelling is what the settings keep and the page reads.
// clang-format off
constexpr std::string_view kKeyNames[] = {
    "Shift", "Control", "Left", "Up", "Right", "Down", "A", "D", "S", "W", "X",
    "B", "C", "E", "F", "G", "H", "I", "J", "K", "L", "M", "N", "O", "P", "Q", "R", "T", "U",
    "V", "Y", "Z",
    "0", "1", "2", "3", "4", "5", "6", "7", "8", "9",
    "Space", "Return", "Backspace", "Tab", "Pause", "Insert", "Delete", "Home", "End",
    "PageUp", "PageDown",
    "F1", "F2", "F3", "F4", "F5", "F6", "F7", "F8", "F9", "F10", "F11", "F12",
    "Comma", "Period", "Slash", "Semicolon", "Minus", "Equal", "Alt",
};
// clang-format on
static_assert(std::size(kKeyNames) == kKeyCount);

constexpr std::string_view kPadNames[] = {
    "Pad A",  "Pad B",  "Pad X",  "Pad Y",  "Pad Back", "Pad Guide", "Pad Start",
    "Pad L3", "Pad R3", "Pad LB", "Pad RB", "Pad LT",   "Pad RT",
};
static_assert(std::size(kPadNames) == kPadButtonCount);

constexpr std::string_view kActionNames[] = {
    "Set1Forward", "Set1Reverse", "Set1Left",   "Set1Right", "Set1Button",
    "Set2Forward", "Set2Reverse", "Set2Left",   "Set2Right", "Set2Button",
    "Pause",       "Retry",       "FullScreen",
};
static_assert(std::size(kActionNames) == kBoundActionCount);

std::string_view Trim(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) {
        text.remove_suffix(1);
    }
    return text;
}

// A stored line as bindings; none when any part is not a key or repeats one.
std::optional<std::vector<Binding>> ReadLine(std::string_view line) {
    std::vector<Binding> bindings;
    if (Trim(line).empty()) {
        return bindings;
    }
    while (true) {
        const std::size_t comma = line.find(',');
        const std::optional<Binding> binding = BindingNamed(Trim(line.substr(0, comma)));
        if (!binding || std::find(bindings.begin(), bindings.end(), *binding) != bindings.end()) {
            return std::nullopt;
        }
        bindings.push_back(*binding);
        if (comma == std::string_view::npos) {
            return bindings;
        }
        line.remove_prefix(comma + 1);
    }
}

}  // namespace

BoundAction SetAction(int32_t set, SetControl control) {
    const int32_t first = set == 1 ? 0 : static_cast<int32_t>(BoundAction::Set2Forward);
    return static_cast<BoundAction>(first + static_cast<int32_t>(control));
}

std::string_view KeyName(Key key) {
    const auto index = static_cast<std::size_t>(key);
    return index < kKeyCount ? kKeyNames[index] : std::string_view{};
}

std::string_view PadButtonName(PadButton button) {
    const auto index = static_cast<std::size_t>(button);
    return index < kPadButtonCount ? kPadNames[index] : std::string_view{};
}

std::string BindingName(Binding binding) {
    return std::string(binding.pad ? PadButtonName(static_cast<PadButton>(binding.code))
                                   : KeyName(static_cast<Key>(binding.code)));
}

std::optional<Binding> BindingNamed(std::string_view name) {
    for (std::size_t i = 0; i < kKeyCount; ++i) {
        if (kKeyNames[i] == name) {
            return Binding::OfKey(static_cast<Key>(i));
        }
    }
    for (std::size_t i = 0; i < kPadButtonCount; ++i) {
        if (kPadNames[i] == name) {
            return Binding::OfPad(static_cast<PadButton>(i));
        }
    }
    return std::nullopt;
}

std::string_view ActionName(BoundAction action) {
    return kActionNames[static_cast<std::size_t>(action)];
}

KeyBindings KeyBindings::Defaults() {
    KeyBindings b;
    const auto set = [&b](BoundAction action, std::vector<Binding> bindings) {
        b.table_[static_cast<std::size_t>(action)] = std::move(bindings);
    };
    const auto key = Binding::OfKey;
    set(BoundAction::Set1Forward, {key(Key::Up)});
    set(BoundAction::Set1Reverse, {key(Key::Down)});
    set(BoundAction::Set1Left, {key(Key::Left)});
    set(BoundAction::Set1Right, {key(Key::Right)});
    set(BoundAction::Set1Button, {key(Key::Shift)});
    set(BoundAction::Set2Forward, {key(Key::W)});
    set(BoundAction::Set2Reverse, {key(Key::S), key(Key::X)});
    set(BoundAction::Set2Left, {key(Key::A)});
    set(BoundAction::Set2Right, {key(Key::D)});
    set(BoundAction::Set2Button, {key(Key::Control)});
    set(BoundAction::Pause, {key(Key::P), key(Key::Pause), Binding::OfPad(PadButton::Start)});
    set(BoundAction::Retry, {key(Key::R), key(Key::Backspace), Binding::OfPad(PadButton::Back)});
    set(BoundAction::FullScreen, {key(Key::F11)});
    return b;
}

std::optional<BoundAction> KeyBindings::Holder(Binding binding) const {
    for (std::size_t i = 0; i < kBoundActionCount; ++i) {
        if (std::find(table_[i].begin(), table_[i].end(), binding) != table_[i].end()) {
            return static_cast<BoundAction>(i);
        }
    }
    return std::nullopt;
}

uint32_t KeyBindings::PadMask(BoundAction action) const {
    uint32_t mask = 0;
    for (const Binding& binding : Of(action)) {
        if (binding.pad) {
            mask |= 1u << binding.code;
        }
    }
    return mask;
}

bool KeyBindings::Add(BoundAction action, Binding binding) {
    const std::optional<BoundAction> holder = Holder(binding);
    if (holder) {
        return *holder == action;
    }
    table_[static_cast<std::size_t>(action)].push_back(binding);
    return true;
}

void KeyBindings::Remove(BoundAction action, Binding binding) {
    auto& list = table_[static_cast<std::size_t>(action)];
    list.erase(std::remove(list.begin(), list.end(), binding), list.end());
}

std::string KeyBindings::Text(BoundAction action) const {
    std::string text;
    for (const Binding& binding : Of(action)) {
        text += (text.empty() ? "" : ", ") + BindingName(binding);
    }
    return text;
}

KeyBindings KeyBindings::FromTexts(
    const std::array<std::optional<std::string>, kBoundActionCount>& texts) {
    const KeyBindings defaults = Defaults();
    KeyBindings read = defaults;
    std::array<bool, kBoundActionCount> own{};
    for (std::size_t i = 0; i < kBoundActionCount; ++i) {
        if (!texts[i]) {
            continue;
        }
        if (std::optional<std::vector<Binding>> line = ReadLine(*texts[i])) {
            read.table_[i] = std::move(*line);
            own[i] = true;
        }
    }
    // A key two lines hold sends the line that is not a default back to its default, until none
    // is held twice; the defaults never clash among themselves, so this ends.
    for (bool clash = true; clash;) {
        clash = false;
        for (std::size_t i = 0; i < kBoundActionCount && !clash; ++i) {
            for (std::size_t j = 0; j < kBoundActionCount && !clash; ++j) {
                if (i == j) {
                    continue;
                }
                for (const Binding& binding : read.table_[i]) {
                    const auto& other = read.table_[j];
                    if (std::find(other.begin(), other.end(), binding) != other.end()) {
                        const std::size_t back = own[i] ? i : j;
                        read.table_[back] = defaults.table_[back];
                        own[back] = false;
                        clash = true;
                        break;
                    }
                }
            }
        }
    }
    return read;
}

}  // namespace vantrell
