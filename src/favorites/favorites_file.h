// Torvi: the favorites file "C:\WINDOWS\preferiti.txt", name "||" address per line.
// Read and rewritten whole by the favorites panel.
#pragma once

#include "favorites/favorites_table.h"
#include "nav/status.h"

#include <string>
#include <string_view>
#include <vector>

namespace torvi {

class FavoritesFile
{
public:
    // path: the file's path in the program's Windows form (see windows_path.h).
    explicit FavoritesFile(std::string path = defaultPath());

    static std::string defaultPath() { return "C:\\WINDOWS\\preferiti.txt"; }

    // Refills the table from the file. A missing or empty file gives an empty table; a file
    // that exists but cannot be read is a failure, with the table left empty.
    Status load(FavoritesTable &table) const;

    // Replaces the file with the table's entries, atomically: on failure the old file stays
    // whole and the failure is reported.
    Status rewrite(const FavoritesTable &table) const;

    const std::string &path() const { return m_path; }

private:
    std::string m_path;
};

// The entries of a file's text: empty lines skipped, each other line split at every "||",
// the first piece the name, the second the address, further pieces ignored.
std::vector<FavoriteEntry> parseFavorites(std::string_view content);

// The file's text: name "||" address CR LF for every entry, in table order; a CR or LF in a
// field becomes a blank.
std::string favoritesText(const FavoritesTable &table);

} // namespace torvi
