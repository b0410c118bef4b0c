// Torvi: Torvi's own pages.
#include "app/own_site.h"

#include "app/own_site_texts.h"
#include "favorites/favorites_table.h"
#include "nav/page_events.h"
#include "tools/version_info.h"

#include <algorithm>
#include <array>
#include <set>
#include <utility>

namespace torvi {

namespace {

enum class OwnPage
{
    Start,
    Tools,
    Counter,
    Info,
    Update,
    Search,
    Emblem,
};

struct Route
{
    std::string_view host;
    std::string_view path;
    OwnPage page;
};

// The fixed paths of the endpoints, each on its host; the tools page is on a host of its own.
constexpr std::array<Route, 10> Routes = {{
    {"sito", "", OwnPage::Start},
    {"sito", "/", OwnPage::Start},
    {"sito", "/torvi/index.html", OwnPage::Start},
    {"sito", "/count.php", OwnPage::Counter},
    {"sito", "/TorviUpdate.php", OwnPage::Update},
    {"sito", "/cerca", OwnPage::Search},
    {"sito", "/emblema.svg", OwnPage::Emblem},
    {"strumenti", "/torvi/ext-2.2/examples/desktop/desktop.html", OwnPage::Tools},
    {"consulenza", "", OwnPage::Info},
    {"consulenza", "/", OwnPage::Info},
}};

constexpr std::string_view EmblemAddress = "torvi://sito/emblema.svg";
constexpr std::string_view SearchAction = "torvi://sito/cerca";

// Nothing runs in these pages and nothing comes from elsewhere: what the user's files put in
// them stays text, even if an escape were ever missed.
constexpr std::string_view PageHead =
    "<!DOCTYPE html>\n<html lang=\"it\"><head><meta charset=\"utf-8\">"
    "<meta http-equiv=\"Content-Security-Policy\" content=\"default-src 'none'; "
    "img-src torvi:; style-src 'unsafe-inline'\">"
    "<meta name=\"viewport\" content=\"width=device-width\">";

constexpr std::string_view PageStyle =
    "<style>"
    "body{margin:0;font:16px/1.5 system-ui,'Noto Sans','DejaVu Sans',sans-serif;"
    "color:#1d2733;background:#f4f6f9}"
    "main{max-width:46em;margin:0 auto;padding:1.5em 1.5em 3em}"
    "header{display:flex;align-items:center;gap:1em}"
    "header img{width:4em;height:4em;flex:none}"
    "h1{font-size:1.7em;line-height:1.2;margin:0}"
    "header p{margin:0;color:#4a5767}"
    "h2{font-size:1.15em;margin:1.8em 0 .4em;color:#173f78}"
    "a{color:#1f5fb4;overflow-wrap:anywhere}"
    "form{display:flex;gap:.5em;margin:1.8em 0 .5em}"
    "input{flex:1;min-width:0;font:inherit;padding:.45em .7em;border:1px solid #8d9bac;"
    "border-radius:.4em;background:#fff}"
    "button{font:inherit;padding:.45em 1.3em;border:0;border-radius:.4em;background:#1f5fb4;"
    "color:#fff}"
    "ul,ol{padding-left:1.3em;margin:.3em 0}li{margin:.25em 0}"
    ".quando{color:#5b6675;font-size:.85em;margin-left:.6em;white-space:nowrap}"
    ".vuoto{color:#5b6675}"
    "table{border-collapse:collapse;width:100%;margin:.5em 0}"
    "th,td{text-align:left;padding:.35em .5em;border-bottom:1px solid #d5dbe3;"
    "vertical-align:top}"
    "th{font-size:.9em;color:#4a5767}"
    ".pericolo{color:#a4262c;font-weight:600}.pulito{color:#2e7d32}"
    "pre{background:#e6eaf0;padding:.6em .8em;border-radius:.4em;overflow-x:auto}"
    "footer{margin-top:2.5em;font-size:.9em;color:#5b6675}"
    "</style>";

std::string page(std::string_view title, std::string_view body)
{
    std::string html{PageHead};
    html += "<title>";
    html += htmlEscape(title);
    html += "</title>";
    html += PageStyle;
    html += "</head><body><main>";
    html += body;
    html += "</main></body></html>\n";
    return html;
}

std::string header(std::string_view title)
{
    std::string html = "<header><img src=\"";
    html += EmblemAddress;
    html += "\" alt=\"";
    html += htmlEscape(EmblemAlt);
    html += "\"><div><h1>";
    html += htmlEscape(title);
    html += "</h1><p>";
    html += htmlEscape(TorviVersion.comments);
    html += "</p></div></header>";
    return html;
}

// A link with the text, or the text alone when the address may not be a link.
std::string linkOrText(std::string_view address, std::string_view text)
{
    const auto target = linkTarget(address);
    if (!target)
        return htmlEscape(text);
    return "<a href=\"" + htmlEscape(*target) + "\">" + htmlEscape(text) + "</a>";
}

std::string_view textOrAddress(std::string_view text, std::string_view address)
{
    return text.empty() ? address : text;
}

std::string paragraph(std::string_view cssClass, std::string_view text)
{
    return "<p class=\"" + std::string{cssClass} + "\">" + htmlEscape(text) + "</p>";
}

// The text of the command list's item for a command.
std::string_view menuText(MenuCommand command)
{
    const auto item = std::find_if(MenuItems.begin(), MenuItems.end(),
                                   [&](const MenuItem &i) { return i.command == command; });
    return item == MenuItems.end() ? std::string_view{} : item->text;
}

bool isHexDigit(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

std::string cssColour(std::string_view colour, std::string_view fallback)
{
    const bool valid = colour.size() == 7 && colour.front() == '#' &&
                       std::all_of(colour.begin() + 1, colour.end(), isHexDigit);
    return std::string{valid ? colour : fallback};
}

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return c - 'A' + 10;
}

std::string formDecode(std::string_view text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '+') {
            out += ' ';
        } else if (text[i] == '%' && i + 2 < text.size() && isHexDigit(text[i + 1]) &&
                   isHexDigit(text[i + 2])) {
            out += static_cast<char>(hexValue(text[i + 1]) * 16 + hexValue(text[i + 2]));
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

} // namespace

OwnSite::OwnSite(const Endpoints &endpoints, const CheckedPages &checkedPages,
                 const HistoryFile &historyFile, FavoritesFile favoritesFile, std::string emblemSvg)
    : m_endpoints(endpoints), m_checkedPages(checkedPages), m_historyFile(historyFile),
      m_favoritesFile(std::move(favoritesFile)), m_emblemSvg(std::move(emblemSvg))
{}

std::optional<OwnAnswer> OwnSite::answer(const OwnRequest &request, const PageColours &window) const
{
    const auto route = std::find_if(Routes.begin(), Routes.end(), [&](const Route &r) {
        return r.host == request.host && r.path == request.path;
    });
    if (route == Routes.end())
        return std::nullopt;
    switch (route->page) {
    case OwnPage::Start:
        return OwnAnswer{"text/html", startPage(), {}};
    case OwnPage::Tools:
        return OwnAnswer{"text/html", toolsPage(), {}};
    case OwnPage::Counter:
        return OwnAnswer{"text/html", counterPage(window), {}};
    case OwnPage::Info:
        return OwnAnswer{"text/html",
                         page(InfoPageTitle, header(InfoPageTitle) + std::string{InfoPageBody}),
                         {}};
    case OwnPage::Update:
        return OwnAnswer{
            "text/html",
            page(UpdatePageTitle, header(UpdatePageTitle) + "<h2>" + htmlEscape(UpdateInstalled) +
                                      " " + versionText() + "</h2>" + std::string{UpdatePageBody}),
            {}};
    case OwnPage::Search:
        return searchRedirect(request.query);
    case OwnPage::Emblem:
        return OwnAnswer{"image/svg+xml", m_emblemSvg, {}};
    }
    return std::nullopt;
}

std::string OwnSite::startPage() const
{
    std::string body = header("Torvi");
    body += "<form action=\"";
    body += SearchAction;
    body += "\" method=\"get\" role=\"search\"><input type=\"search\" name=\"q\" "
            "aria-label=\"";
    body += htmlEscape(SearchLabel);
    body += "\" placeholder=\"";
    body += htmlEscape(SearchLabel);
    body += "\"><button type=\"submit\">";
    body += htmlEscape(SearchButton);
    body += "</button></form>";

    body += "<h2>" + htmlEscape(FavoritesHeading) + "</h2>";
    FavoritesTable favorites;
    const Status loaded = m_favoritesFile.load(favorites);
    if (!loaded) {
        body += paragraph("vuoto", std::string{FavoritesUnreadable} + " " + loaded.error());
    } else if (favorites.entries().empty()) {
        body += paragraph("vuoto", NoFavorites);
    } else {
        body += "<ul>";
        for (const FavoriteEntry &entry : favorites.entries())
            body += "<li>" + linkOrText(entry.address, textOrAddress(entry.name, entry.address)) +
                    "</li>";
        body += "</ul>";
    }

    // The latest visits, each address once.
    body += "<h2>" + htmlEscape(HistoryHeading) + "</h2>";
    std::string visits;
    std::set<std::string_view> shown;
    const std::vector<HistoryLine> history = m_historyFile.readLatest(HistoryRead);
    for (const HistoryLine &line : history) {
        if (shown.size() == HistoryShown)
            break;
        if (!shown.insert(line.address).second)
            continue;
        visits += "<li>" + linkOrText(line.address, textOrAddress(line.title, line.address)) +
                  "<span class=\"quando\">" + htmlEscape(line.dateTime) + "</span></li>";
    }
    body += visits.empty() ? paragraph("vuoto", NoHistory) : "<ol>" + visits + "</ol>";

    body += "<footer>" + linkOrText(m_endpoints.InfoUrl, InfoPageTitle) + "</footer>";
    return page(StartPageTitle, body);
}

std::string OwnSite::toolsPage() const
{
    std::string body = header(ToolsPageTitle);
    body += "<h2>" + htmlEscape(ChecksHeading) + "</h2>";
    const std::size_t checked = m_checkedPages.documentsChecked();
    if (checked == 0) {
        body += paragraph("vuoto", NoChecks);
    } else {
        body += "<p>" + htmlEscape(ChecksDocuments) + " <b>" + std::to_string(checked) + "</b>; " +
                htmlEscape(ChecksWithThreats) + " <b>" +
                std::to_string(m_checkedPages.documentsWithThreats()) + "</b>.";
        if (m_checkedPages.latest().size() < checked)
            body += " " + htmlEscape(ChecksLatestBefore) + " " +
                    std::to_string(m_checkedPages.latest().size()) + htmlEscape(ChecksLatestAfter);
        body += "</p><table><tr><th>" + htmlEscape(ChecksColumnPage) + "</th><th>" +
                htmlEscape(ChecksColumnVerdict) + "</th><th>" + htmlEscape(ChecksColumnWords) +
                "</th></tr>";
        for (const CheckedPage &checkedPage : m_checkedPages.latest()) {
            std::string words;
            for (const std::string &word : checkedPage.words)
                words += (words.empty() ? "" : ", ") + htmlEscape(word);
            body += "<tr><td>" + linkOrText(checkedPage.address, checkedPage.address) +
                    "</td><td class=\"" + (checkedPage.clean ? "pulito" : "pericolo") + "\">" +
                    htmlEscape(verdictText(checkedPage.clean)) + "</td><td>" + words + "</td></tr>";
        }
        body += "</table>" + paragraph("vuoto", ChecksSiteInformation);
    }

    body += "<h2>" + htmlEscape(ToolsHeading) + "</h2><ul>";
    for (const ToolExplanation &tool : ToolExplanations)
        body += "<li><b>" + htmlEscape(menuText(tool.command)) + "</b>: " + htmlEscape(tool.line) +
                "</li>";
    body += "</ul>";
    return page(ToolsPageTitle, body);
}

std::string OwnSite::counterPage(const PageColours &window) const
{
    std::string html{PageHead};
    html += "<title>" + htmlEscape(CounterPageTitle) +
            "</title><style>html,body{margin:0;"
            "height:100%;overflow:hidden;background:" +
            cssColour(window.background, "#ffffff") +
            ";color:" + cssColour(window.text, "#808080") +
            ";font:12px system-ui,'Noto Sans','DejaVu Sans',sans-serif}"
            "p{margin:.3em .6em}</style></head><body><p><span id=\"documenti\">" +
            std::to_string(m_checkedPages.documentsChecked()) + "</span> " +
            htmlEscape(CounterLabel) + "</p></body></html>\n";
    return html;
}

OwnAnswer OwnSite::searchRedirect(std::string_view query) const
{
    const std::string words = formValue(query, "q");
    if (words.find_first_not_of(" \t") == std::string::npos)
        return OwnAnswer{{}, {}, m_endpoints.SearchHomeUrl};
    return OwnAnswer{{}, {}, searchAddressFor(m_endpoints.SearchQueryUrl, words)};
}

std::string htmlEscape(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        case '\'':
            out += "&#39;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

std::optional<std::string> linkTarget(std::string_view address)
{
    static constexpr std::array<std::string_view, 5> Linkable = {"http://", "https://", "ftp://",
                                                                 "file://", "torvi://"};
    std::string lower{address.substr(0, std::min<std::size_t>(address.size(), 8))};
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; });
    for (const std::string_view prefix : Linkable)
        if (lower.starts_with(prefix))
            return std::string{address};
    // A host typed without its scheme, as the address box takes it; anything else with a
    // colon names a scheme of its own ("javascript:", "data:") and gets no link.
    if (address.empty() || address.find(':') != std::string_view::npos ||
        address.find_first_of(" \t") != std::string_view::npos)
        return std::nullopt;
    return "http://" + std::string{address};
}

std::string formValue(std::string_view query, std::string_view name)
{
    while (!query.empty()) {
        const auto end = query.find('&');
        const std::string_view field = query.substr(0, end);
        const auto equals = field.find('=');
        if (formDecode(field.substr(0, equals)) == name)
            return equals == std::string_view::npos ? std::string{}
                                                    : formDecode(field.substr(equals + 1));
        if (end == std::string_view::npos)
            break;
        query.remove_prefix(end + 1);
    }
    return {};
}

} // namespace torvi
