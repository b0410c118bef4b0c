// Torvi: the favorites in the order the panel lists them. The favorites panel owns one,
// rebuilds it from the file on opening and rewrites the file from it after every change.
#pragma once

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

namespace torvi {

struct FavoriteEntry
{
    std::string name;
    std::string address;

    bool operator==(const FavoriteEntry &) const = default;
};

// Positions start at 1 and match the panel's items one for one. The table grows as needed:
// no favorite is refused or dropped for lack of room.
class FavoritesTable
{
public:
    std::size_t count() const { return m_entries.size(); }
    bool holds(std::size_t position) const { return position >= 1 && position <= m_entries.size(); }

    // position must be held.
    const FavoriteEntry &at(std::size_t position) const;

    void clear() { m_entries.clear(); }
    // Replaces every entry, keeping their order.
    void assign(std::vector<FavoriteEntry> entries) { m_entries = std::move(entries); }
    // Appends; the new entry's position is the new count.
    void add(FavoriteEntry entry);
    // Replaces the entry at a held position; anything else is left alone.
    void change(std::size_t position, FavoriteEntry entry);
    // Removes the entry at a held position; the later ones move up by one.
    void remove(std::size_t position);

    const std::vector<FavoriteEntry> &entries() const { return m_entries; }

private:
    std::vector<FavoriteEntry> m_entries;
};

// The address as it is opened or shown for editing: without tab characters.
std::string addressWithoutTabs(std::string_view address);

} // namespace torvi
