// The "Keys…" dialog: the five controls of each key set and the game's pause, retry and
// full-screen keys, each bound to one or more keys or pad buttons. A key another action holds
// is refused with a line naming that action. The dialog edits a copy; OK hands it back.
#pragma once

#include <QDialog>

#include <array>
#include <optional>

#include "input/key_bindings.h"

class QLabel;

namespace vantrell::desktop {

class KeysDialog final : public QDialog {
  public:
    KeysDialog(const KeyBindings& bindings, QWidget* parent);
    ~KeysDialog() override;

    const KeyBindings& Bindings() const { return bindings_; }

    // What the buttons do; public so a test can drive the dialog as a player would.
    // The next key pressed goes to the action (Escape gives up).
    void StartCapture(BoundAction action);
    // False (and the line says who holds it) when another action has the binding.
    bool Bind(BoundAction action, Binding binding);
    void ResetToDefaults();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void ShowBindings();
    void Say(const QString& text);

    KeyBindings bindings_;
    std::array<QLabel*, kBoundActionCount> shown_{};
    QLabel* message_ = nullptr;
    std::optional<BoundAction> capturing_;
};

// The action's name as the dialog shows it, "Key set 2: Reverse", in the language now chosen.
QString ActionTitle(BoundAction action);

}  // namespace vantrell::desktop
