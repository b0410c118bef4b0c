// Torvi: the favorites panel's list.
#include "favorites/qt/favorites_list_model.h"

#include "ui/qt/qt_text.h"

#include <utility>

namespace torvi {

FavoritesListModel::FavoritesListModel(QIcon picture, QObject *parent)
    : QAbstractListModel(parent), m_picture(std::move(picture))
{}

void FavoritesListModel::replaceTable(FavoritesTable table)
{
    beginResetModel();
    m_table = std::move(table);
    endResetModel();
}

void FavoritesListModel::add(FavoriteEntry entry)
{
    const int row = rowCount();
    beginInsertRows({}, row, row);
    m_table.add(std::move(entry));
    endInsertRows();
}

void FavoritesListModel::change(std::size_t position, FavoriteEntry entry)
{
    if (!m_table.holds(position))
        return;
    m_table.change(position, std::move(entry));
    const QModelIndex changed = index(static_cast<int>(position - 1));
    emit dataChanged(changed, changed);
}

void FavoritesListModel::remove(std::size_t position)
{
    if (!m_table.holds(position))
        return;
    const int row = static_cast<int>(position - 1);
    beginRemoveRows({}, row, row);
    m_table.remove(position);
    endRemoveRows();
}

int FavoritesListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_table.count());
}

QVariant FavoritesListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    if (role == Qt::DecorationRole)
        return m_picture;
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole)
        return {};
    // Each field cut on its own, so a long name still leaves the address in sight.
    const FavoriteEntry &entry = m_table.at(static_cast<std::size_t>(index.row()) + 1);
    return listText(entry.name) + QStringLiteral(" - ") + listText(entry.address);
}

} // namespace torvi
