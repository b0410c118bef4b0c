// Torvi: Torvi's own pages, served under its own scheme: the start page (also the home page),
// the tools view, the counter, the information page and the update page. Built from what the
// program knows in this run and from the user's files, read at each request; no network.
// The program's services own one; the engine's scheme handler asks it for every address.
#pragma once

#include "favorites/favorites_file.h"
#include "history/history_file.h"
#include "nav/endpoints.h"
#include "nav/own_pages.h"
#include "threats/checked_pages.h"

#include <optional>
#include <string>
#include <string_view>

namespace torvi {

// The window's own colours, as CSS "#rrggbb", for the counter page that peeks out below the
// page area and should sit there quietly.
struct PageColours
{
    std::string background;
    std::string text;
};

class OwnSite
{
public:
    // How many of the latest visits the start page lists, each address once, out of how
    // many of the history's last lines.
    static constexpr std::size_t HistoryShown = 10;
    static constexpr std::size_t HistoryRead = 200;

    OwnSite(const Endpoints &endpoints, const CheckedPages &checkedPages,
            const HistoryFile &historyFile, FavoritesFile favoritesFile, std::string emblemSvg);

    // The page of an address of the scheme, or nothing when there is none.
    std::optional<OwnAnswer> answer(const OwnRequest &request, const PageColours &window) const;

private:
    std::string startPage() const;
    std::string toolsPage() const;
    std::string counterPage(const PageColours &window) const;
    OwnAnswer searchRedirect(std::string_view query) const;

    const Endpoints &m_endpoints;
    const CheckedPages &m_checkedPages;
    const HistoryFile &m_historyFile;
    FavoritesFile m_favoritesFile;
    std::string m_emblemSvg;
};

// Text made safe inside an HTML element or a quoted attribute: & < > " ' escaped.
std::string htmlEscape(std::string_view text);

// Where a link to an address from the user's files may point: web and file addresses as
// they are, a bare host name as http; nothing for a script or data address.
std::optional<std::string> linkTarget(std::string_view address);

// The value of one field of a form's query ("q=c%2B%2B+e+c" gives "c++ e c"); empty when the
// field is missing.
std::string formValue(std::string_view query, std::string_view name);

} // namespace torvi
