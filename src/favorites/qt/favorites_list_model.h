// Torvi: the favorites panel's list over the favorites table, one row per position. It owns
// the table, so every change to the table reaches the view, and makes the shown texts only
// for the rows a view asks for: 200 000 favorites or a 50 MB address show as fast as a few.
#pragma once

#include "favorites/favorites_table.h"

#include <QAbstractListModel>
#include <QIcon>

namespace torvi {

class FavoritesListModel : public QAbstractListModel
{
    Q_OBJECT

public:
    explicit FavoritesListModel(QIcon picture, QObject *parent = nullptr);

    const FavoritesTable &table() const { return m_table; }
    void replaceTable(FavoritesTable table);
    void add(FavoriteEntry entry);
    // Positions as in the table: the row's number plus one.
    void change(std::size_t position, FavoriteEntry entry);
    void remove(std::size_t position);

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;

private:
    QIcon m_picture;
    FavoritesTable m_table;
};

} // namespace torvi
