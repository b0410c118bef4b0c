// Torvi: the favorites in the order the panel lists them.
#include "favorites/favorites_table.h"

#include <algorithm>
#include <cassert>
#include <utility>

namespace torvi {

const FavoriteEntry &FavoritesTable::at(std::size_t position) const
{
    assert(holds(position));
    return m_entries[position - 1];
}

void FavoritesTable::add(FavoriteEntry entry)
{
    m_entries.push_back(std::move(entry));
}

void FavoritesTable::change(std::size_t position, FavoriteEntry entry)
{
    if (holds(position))
        m_entries[position - 1] = std::move(entry);
}

void FavoritesTable::remove(std::size_t position)
{
    if (holds(position))
        m_entries.erase(m_entries.begin() + static_cast<std::ptrdiff_t>(position - 1));
}

std::string addressWithoutTabs(std::string_view address)
{
    std::string out(address);
    out.erase(std::remove(out.begin(), out.end(), '\t'), out.end());
    return out;
}

} // namespace torvi
