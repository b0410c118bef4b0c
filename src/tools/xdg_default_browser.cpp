// Torvi: the texts of the desktop entry and of mimeapps.list.
#include "tools/xdg_default_browser.h"

#include <array>
#include <vector>

namespace torvi {

namespace {

constexpr std::string_view DefaultSection = "[Default Applications]";
constexpr std::array<std::string_view, 2> HandledSchemes = {"x-scheme-handler/http",
                                                            "x-scheme-handler/https"};

struct Line
{
    std::string text;
    std::string_view end; // "\n", "\r\n" or "" for a last line without one
};

std::vector<Line> splitKeepingEnds(std::string_view content)
{
    std::vector<Line> lines;
    while (!content.empty()) {
        const auto lf = content.find('\n');
        if (lf == std::string_view::npos) {
            lines.push_back({std::string{content}, ""});
            break;
        }
        const bool crlf = lf > 0 && content[lf - 1] == '\r';
        lines.push_back({std::string{content.substr(0, crlf ? lf - 1 : lf)},
                         crlf ? std::string_view{"\r\n"} : std::string_view{"\n"}});
        content.remove_prefix(lf + 1);
    }
    return lines;
}

std::string_view trimmed(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// The key of a "key=value" line; empty for comments, blank lines and anything else.
std::string_view keyOf(std::string_view line)
{
    const auto text = trimmed(line);
    const auto equals = text.find('=');
    if (text.empty() || text.front() == '#' || equals == std::string_view::npos)
        return {};
    return trimmed(text.substr(0, equals));
}

} // namespace

std::string desktopEntryText(std::string_view command)
{
    std::string text = "[Desktop Entry]\n"
                       "Type=Application\n"
                       "Name=Torvi\n"
                       "GenericName=Browser web\n"
                       "Comment=Naviga sul web in modo sicuro\n"
                       "Exec=";
    text += command;
    text += " %u\n"
            "Icon=torvi\n"
            "Terminal=false\n"
            "MimeType=x-scheme-handler/http;x-scheme-handler/https;text/html;\n"
            "Categories=Network;WebBrowser;\n";
    return text;
}

std::string withDefaultHandlers(std::string_view mimeapps, std::string_view desktopId)
{
    auto lines = splitKeepingEnds(mimeapps);
    const std::string_view newline =
        lines.empty() || lines.front().end.empty() ? std::string_view{"\n"} : lines.front().end;

    std::array<bool, HandledSchemes.size()> found{};
    bool inDefault = false;
    bool sectionSeen = false;
    bool inFirstSection = false;
    std::size_t insertAt = 0; // after the first section's last non-blank line
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const auto text = trimmed(lines[i].text);
        if (!text.empty() && text.front() == '[') {
            inDefault = text == DefaultSection;
            inFirstSection = inDefault && !sectionSeen;
            if (inFirstSection) {
                sectionSeen = true;
                insertAt = i + 1;
            }
            continue;
        }
        if (!inDefault)
            continue;
        if (inFirstSection && !text.empty())
            insertAt = i + 1;
        for (std::size_t s = 0; s < HandledSchemes.size(); ++s) {
            if (keyOf(lines[i].text) == HandledSchemes[s]) {
                lines[i].text = std::string{HandledSchemes[s]} + "=" + std::string{desktopId};
                found[s] = true;
            }
        }
    }

    std::vector<Line> added;
    if (!sectionSeen) {
        if (!lines.empty() && !trimmed(lines.back().text).empty())
            added.push_back({"", newline}); // a blank line between sections
        added.push_back({std::string{DefaultSection}, newline});
        insertAt = lines.size();
    }
    for (std::size_t s = 0; s < HandledSchemes.size(); ++s)
        if (!found[s])
            added.push_back(
                {std::string{HandledSchemes[s]} + "=" + std::string{desktopId}, newline});
    if (!added.empty()) {
        // The line before the new ones must end, or they would run into it.
        if (insertAt > 0 && lines[insertAt - 1].end.empty())
            lines[insertAt - 1].end = newline;
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(insertAt), added.begin(),
                     added.end());
    }

    std::string result;
    result.reserve(mimeapps.size() + 80);
    for (const auto &line : lines) {
        result += line.text;
        result += line.end;
    }
    return result;
}

} // namespace torvi
