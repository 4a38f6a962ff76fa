// The race display: one fixed panel below the game picture with the race clock and the time
// left (ticks with their seconds), the checkpoints passed with the split against the reference
// run, and a small map of the course with both craft and the next checkpoint. Drawn here from
// what the game reports after each tick; the picture above keeps its own size and is never
// drawn on.
#pragma once

#include <QImage>
#include <QWidget>

#include "race/race_display.h"

namespace vantrell::desktop {

class RacePanel final : public QWidget {
  public:
    static constexpr int kHeight = 72;
    static constexpr int kMapSize = 64;  // the map's side in pixels

    explicit RacePanel(QWidget* parent = nullptr);

    // What to show; repaints. The map is made again when the stage changed.
    void Show(const RaceDisplay& display);
    void SetSplitsShown(bool shown);
    // Everything drawn this many times its size (at least 1): in full screen the panel grows
    // with the picture. The panel's height follows.
    void SetScale(double scale);
    double Scale() const { return scale_; }
    bool SplitsShown() const { return splitsShown_; }

    const RaceDisplay& Shown() const { return display_; }
    // The texts as painted, left column top to bottom, for tests and the curious. A missed
    // run's time and rank 10's take the first two lines.
    QString ClockText() const;
    QString LeftText() const;
    QString CheckpointText() const;
    // The split as painted ("-12", "+3"), empty when none is shown.
    QString SplitText() const;
    // The last line: "Time up" while that banner shows, else the whole run's split at the goal.
    QString NoteText() const;
    // Where the map is drawn, in the panel's unscaled units.
    QRect MapRect() const;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    void MakeMap(const RaceDisplay& display);
    QPoint OnMap(const MapPoint& point) const;

    RaceDisplay display_;
    QImage map_;
    int mapStage_ = -1;
    double scale_ = 1.0;
    bool splitsShown_ = true;
};

}  // namespace vantrell::desktop
