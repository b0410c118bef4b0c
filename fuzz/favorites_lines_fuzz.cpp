// Torvi fuzz target: the favorites lines reader, on any bytes a preferiti.txt may hold.
#include "favorites/favorites_file.h"
#include "fuzz_check.h"
#include "nav/text_file.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

using namespace torvi;
using torvi::fuzz::hasLineEnd;
using torvi::fuzz::require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view content{reinterpret_cast<const char *>(data), size};
    const auto entries = parseFavorites(content);

    std::size_t filled = 0;
    for (const auto &raw : splitLines(content))
        filled += raw.empty() ? 0 : 1;
    require(entries.size() == filled, "one favorite per non-empty line of the file");

    // The panel rewrites the file from what it read; reading that gives the same favorites.
    // A name ending in '|' cannot come back: its last '|' joins the separator, a limit of the
    // file format, not of the reader.
    FavoritesTable table;
    std::vector<FavoriteEntry> expressible;
    for (const auto &entry : entries) {
        for (const std::string *field : {&entry.name, &entry.address}) {
            require(!hasLineEnd(*field), "a field holds no line end");
            require(field->find("||") == std::string::npos, "a field holds no separator");
        }
        if (entry.name.ends_with('|'))
            continue;
        table.add(entry);
        expressible.push_back(entry);
    }
    require(parseFavorites(favoritesText(table)) == expressible,
            "rewriting the file keeps every favorite");
    return 0;
}
