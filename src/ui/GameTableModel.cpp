#include "ui/GameTableModel.h"

namespace arc::ui {

GameTableModel::GameTableModel(GameBrowserQuery& query, QObject* parent)
    : QAbstractTableModel(parent), query_(query) {
    rows_ = query_.Match(filter_);
}

void GameTableModel::SetFilter(const BrowserFilter& filter) {
    filter_ = filter;
    Reset();
}

void GameTableModel::Reset() {
    beginResetModel();
    rows_ = query_.Match(filter_);
    endResetModel();
}

std::string GameTableModel::SetName(int row) const {
    if (row < 0 || row >= static_cast<int>(rows_.size())) return {};
    return query_.Game(rows_[static_cast<std::size_t>(row)]).name;
}

bool GameTableModel::IsFavourite(int row) const {
    if (row < 0 || row >= static_cast<int>(rows_.size())) return false;
    return query_.Game(rows_[static_cast<std::size_t>(row)]).favourite;
}

int GameTableModel::RowOf(const std::string& setName) const {
    for (std::size_t row = 0; row < rows_.size(); ++row)
        if (query_.Game(rows_[row]).name == setName) return static_cast<int>(row);
    return -1;
}

int GameTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int GameTableModel::columnCount(const QModelIndex& parent) const {
    if (parent.isValid()) return 0;
    return query_.HasAudit() ? kBrowserColumns : kBrowserColumns - 1;
}

QVariant GameTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= static_cast<int>(rows_.size())) return {};
    const BrowserGame& game = query_.Game(rows_[static_cast<std::size_t>(index.row())]);
    if (role == Qt::TextAlignmentRole &&
        index.column() == static_cast<int>(BrowserColumn::Favourite))
        return int(Qt::AlignCenter);
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole) return {};
    return QString::fromStdString(game.Cell(static_cast<BrowserColumn>(index.column())));
}

QVariant GameTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    if (section < 0 || section >= columnCount()) return {};
    return QString::fromStdString(BrowserColumnCaption(static_cast<BrowserColumn>(section)));
}

void GameTableModel::sort(int column, Qt::SortOrder order) {
    if (column < 0 || column >= columnCount()) return;
    query_.Sort(static_cast<BrowserColumn>(column), order == Qt::DescendingOrder);
    Reset();
}

}  // namespace arc::ui
