// Every dialog as wide as its title and its texts need in the player's language. The dialog
// templates are laid out for their Japanese texts, which are often far shorter than the
// English; a window system cuts a title that does not fit ("Rule... ame"). A dialog about to
// show is widened where, and only where, it is too narrow, so a layout that fits is kept.
#pragma once

#include <QObject>

class QWidget;

namespace vantrell::desktop {

// The width a window needs for its title: the text in the caption's bold face, the icon and the
// caption's buttons beside it.
int TitleRoom(const QWidget& window);

// Watches the application: widens each dialog as it shows.
class DialogFit final : public QObject {
  public:
    explicit DialogFit(QObject* parent);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace vantrell::desktop
