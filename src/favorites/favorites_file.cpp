// Torvi: the favorites file.
#include "favorites/favorites_file.h"

#include "nav/text_file.h"
#include "nav/windows_path.h"

#include <filesystem>
#include <system_error>
#include <utility>

namespace torvi {

namespace {

constexpr std::string_view Separator = "||";

std::vector<std::string> splitAtSeparators(std::string_view line)
{
    std::vector<std::string> pieces;
    for (;;) {
        const std::size_t at = line.find(Separator);
        pieces.emplace_back(line.substr(0, at));
        if (at == std::string_view::npos)
            return pieces;
        line.remove_prefix(at + Separator.size());
    }
}

} // namespace

FavoritesFile::FavoritesFile(std::string path) : m_path(std::move(path)) {}

std::vector<FavoriteEntry> parseFavorites(std::string_view content)
{
    std::vector<FavoriteEntry> entries;
    for (const auto &line : splitLines(content)) {
        if (line.empty())
            continue;
        auto pieces = splitAtSeparators(line);
        FavoriteEntry entry{std::move(pieces[0]), {}};
        if (pieces.size() > 1)
            entry.address = std::move(pieces[1]);
        entries.push_back(std::move(entry));
    }
    return entries;
}

std::string favoritesText(const FavoritesTable &table)
{
    std::string text;
    // A line break in a field would split the favorite in two and shift every later one.
    for (const auto &entry : table.entries()) {
        text += oneLineField(entry.name);
        text += Separator;
        text += oneLineField(entry.address);
        text += CrLf;
    }
    return text;
}

Status FavoritesFile::load(FavoritesTable &table) const
{
    table.clear();
    const auto native = nativePath(m_path);
    std::error_code error;
    const auto type = std::filesystem::status(native, error).type();
    if (type == std::filesystem::file_type::not_found)
        return Status::ok();
    if (type != std::filesystem::file_type::regular)
        return Status::failure(pathText(native) + ": not a readable file");
    const auto content = readWholeFile(native);
    if (!content)
        return Status::failure(pathText(native) + ": cannot be read");
    for (auto &entry : parseFavorites(fromSystemText(*content)))
        table.add(std::move(entry));
    return Status::ok();
}

Status FavoritesFile::rewrite(const FavoritesTable &table) const
{
    return writeFileAtomically(nativePath(m_path), toSystemText(favoritesText(table)));
}

} // namespace torvi
