// The player's keys in the settings file (Vantrell.conf), one line an action under [keys]:
// "Set2Reverse=S, X". A line that does not read cleanly leaves that action at its default and
// the others as stored, so one damaged entry loses nothing else.
#pragma once

#include <QString>

#include "input/key_bindings.h"

namespace vantrell::desktop {

// iniPath empty: the program's own settings file.
KeyBindings LoadKeyBindings(const QString& iniPath);
void StoreKeyBindings(const QString& iniPath, const KeyBindings& bindings);

}  // namespace vantrell::desktop
