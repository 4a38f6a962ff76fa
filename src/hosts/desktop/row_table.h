// A read-only table of whole rows, one chosen at a time: the stage list and the world table show
// their lines so.
#pragma once

#include <QHeaderView>
#include <QStringList>
#include <QTableWidget>

namespace vantrell::desktop {

inline QTableWidget* NewRowTable(int rows, const QStringList& heads, QSize minimum,
                                 QWidget* parent) {
    auto* table = new QTableWidget(rows, static_cast<int>(heads.size()), parent);
    table->setHorizontalHeaderLabels(heads);
    table->verticalHeader()->hide();
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table->horizontalHeader()->setStretchLastSection(true);
    table->setWordWrap(false);
    table->setMinimumSize(minimum);
    return table;
}

}  // namespace vantrell::desktop
