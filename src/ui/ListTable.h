#pragma once
// The look of the windows' read-only lists: whole rows selected one at a
// time, no editing, one text line per row of a fixed height.

#include <QAbstractItemModel>
#include <QFontMetrics>
#include <QHeaderView>
#include <QTableView>

namespace arc::ui {

inline void SetUpListTable(QTableView& table, QAbstractItemModel* model) {
    table.setModel(model);
    table.setSelectionBehavior(QAbstractItemView::SelectRows);
    table.setSelectionMode(QAbstractItemView::SingleSelection);
    table.setEditTriggers(QAbstractItemView::NoEditTriggers);
    table.setWordWrap(false);
    table.setAlternatingRowColors(true);
    table.verticalHeader()->hide();
    table.verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table.verticalHeader()->setDefaultSectionSize(table.fontMetrics().height() + 6);
}

}  // namespace arc::ui
