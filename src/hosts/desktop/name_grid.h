// The name box's character grid for a player without a keyboard: pages of Latin capitals, small
// letters, digits, hiragana and katakana (only characters the record file can hold), and a row
// of commands: the pages, space, delete and OK. The arrow keys move, Enter or Space picks; a
// pad's d-pad and A do the same through its arrow keys.
#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>

#include <functional>

namespace vantrell::desktop {

class NameGrid final : public QWidget {
  public:
    // What a pick asks for: a character to type, a deletion, or the end of the entry.
    struct Actions {
        std::function<void(const QString&)> type;
        std::function<void()> erase;
        std::function<void()> done;
    };

    explicit NameGrid(QWidget* parent, Actions actions);

    QSize sizeHint() const override;
    // The page shown (0..4) and the cell chosen: a row of the page, or the command row at
    // Rows(); for tests and the picture.
    int Page() const { return page_; }
    void Choose(int row, int column);
    int Rows() const;
    static constexpr int kColumns = 12;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    // The cells of one row: a page's characters, or the commands' labels.
    QStringList RowCells(int row) const;
    QRect CellRect(int row, int column) const;
    void Pick();
    void Move(int dx, int dy);

    Actions actions_;
    QList<QStringList> pages_;
    int page_ = 0;
    int row_ = 0;
    int column_ = 0;
};

}  // namespace vantrell::desktop
