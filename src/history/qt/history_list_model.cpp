// Torvi: the history panel's list.
#include "history/qt/history_list_model.h"

#include "history/history_panel_design.h"
#include "ui/qt/qt_text.h"

#include <utility>

namespace torvi {

void HistoryListModel::replaceLines(std::vector<HistoryLine> lines)
{
    beginResetModel();
    m_lines = std::move(lines);
    endResetModel();
}

const std::string &HistoryListModel::address(int row) const
{
    return m_lines.at(static_cast<std::size_t>(row)).address;
}

int HistoryListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_lines.size());
}

int HistoryListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(HistoryColumns.size());
}

QVariant HistoryListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::ToolTipRole))
        return {};
    const HistoryLine &line = m_lines[static_cast<std::size_t>(index.row())];
    switch (index.column()) {
    case 0:
        return listText(line.address);
    case 1:
        return listText(line.dateTime);
    default:
        return listText(line.title);
    }
}

QVariant HistoryListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= columnCount())
        return {};
    return qs(HistoryColumns[static_cast<std::size_t>(section)]);
}

} // namespace torvi
