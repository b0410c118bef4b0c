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

} // namespace

FavoritesFile::FavoritesFile(std::string path) : m_path(std::move(path)) {}

std::vector<FavoriteEntry> parseFavorites(std::string_view content)
{
    const auto lines = lineViews(content);
    std::vector<FavoriteEntry> entries;
    entries.reserve(lines.size());
    for (const std::string_view line : lines) {
        if (line.empty())
            continue;
        const std::size_t nameEnd = line.find(Separator);
        FavoriteEntry &entry = entries.emplace_back();
        entry.name = line.substr(0, nameEnd);
        if (nameEnd == std::string_view::npos)
            continue;
        const std::string_view rest = line.substr(nameEnd + Separator.size());
        entry.address = rest.substr(0, rest.find(Separator));
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
    auto content = readWholeFile(native);
    if (!content)
        return Status::failure(pathText(native) + ": cannot be read");
    table.assign(parseFavorites(fromSystemText(std::move(*content))));
    return Status::ok();
}

Status FavoritesFile::rewrite(const FavoritesTable &table) const
{
    return writeFileAtomically(nativePath(m_path), toSystemText(favoritesText(table)));
}

} // namespace torvi
