#pragma once
// The game browser's table: a Qt model over the browser's index of the
// database (GameBrowserQuery). It holds only the positions of the games the
// filter shows; each cell is read from the index when the view asks for it.

#include <QAbstractTableModel>
#include <string>
#include <vector>

#include "collection/GameBrowserQuery.h"

namespace arc::ui {

class GameTableModel : public QAbstractTableModel {
    Q_OBJECT

  public:
    explicit GameTableModel(GameBrowserQuery& query, QObject* parent = nullptr);

    /// Shows the games of the filter (the query's index is read again).
    void SetFilter(const BrowserFilter& filter);
    const BrowserFilter& Filter() const { return filter_; }
    /// The index was reloaded: columns and rows are taken again.
    void Reset();

    /// The set name of a row ("" outside the rows).
    std::string SetName(int row) const;
    /// True when the game of a row is a favourite.
    bool IsFavourite(int row) const;
    /// The row of a set name, -1 when the filter does not show it.
    int RowOf(const std::string& setName) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

  private:
    GameBrowserQuery& query_;
    BrowserFilter filter_;
    std::vector<int> rows_;  ///< positions in the query's sort order
};

}  // namespace arc::ui
