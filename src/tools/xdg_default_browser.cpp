// Torvi: the texts of the desktop entry and of mimeapps.list.
#include "tools/xdg_default_browser.h"

#include <algorithm>
#include <array>
#include <vector>

namespace torvi {

namespace {

constexpr std::string_view DefaultSection = "[Default Applications]";
constexpr std::string_view EntrySection = "[Desktop Entry]";
constexpr std::array<std::string_view, 2> HandledSchemes = {"x-scheme-handler/http",
                                                            "x-scheme-handler/https"};
constexpr std::string_view EntryMimeTypes =
    "x-scheme-handler/http;x-scheme-handler/https;text/html;";

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

std::string_view valueOf(std::string_view line)
{
    return trimmed(line.substr(line.find('=') + 1));
}

std::vector<std::string_view> listItems(std::string_view list)
{
    std::vector<std::string_view> items;
    while (!list.empty()) {
        const auto semicolon = list.find(';');
        if (const auto item = trimmed(list.substr(0, semicolon)); !item.empty())
            items.push_back(item);
        list =
            semicolon == std::string_view::npos ? std::string_view{} : list.substr(semicolon + 1);
    }
    return items;
}

// What a key's value becomes; the old value is null when the key is missing.
using NewValue = std::string (*)(std::string_view key, const std::string_view *old,
                                 std::string_view wanted);

// The file with the keys set in the given group. Every other byte stays: comments, other
// keys, other groups, their order and line ends. A key is changed wherever it stands in a
// group of that name; one that is missing goes to the end of the first such group, or of a
// new group at the file's end (unless missing keys are left out).
std::string withGroupKeys(std::string_view content, std::string_view group,
                          const std::vector<std::string_view> &keys, NewValue newValue,
                          std::string_view wanted, MissingKeys missing)
{
    auto lines = splitKeepingEnds(content);
    const std::string_view newline =
        lines.empty() || lines.front().end.empty() ? std::string_view{"\n"} : lines.front().end;

    std::vector<bool> found(keys.size());
    bool inGroup = false;
    bool groupSeen = false;
    bool inFirstGroup = false;
    std::size_t insertAt = 0; // after the first group's last non-blank line
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const auto text = trimmed(lines[i].text);
        if (!text.empty() && text.front() == '[') {
            inGroup = text == group;
            inFirstGroup = inGroup && !groupSeen;
            if (inFirstGroup) {
                groupSeen = true;
                insertAt = i + 1;
            }
            continue;
        }
        if (!inGroup)
            continue;
        if (inFirstGroup && !text.empty())
            insertAt = i + 1;
        for (std::size_t k = 0; k < keys.size(); ++k) {
            if (keyOf(lines[i].text) != keys[k])
                continue;
            const std::string_view old = valueOf(lines[i].text);
            const std::string value = newValue(keys[k], &old, wanted);
            if (value != old)
                lines[i].text = std::string{keys[k]} + "=" + value;
            // A key only a later group of the same name holds must still go into the first.
            found[k] = found[k] || inFirstGroup;
        }
    }

    std::vector<Line> added;
    for (std::size_t k = 0; k < keys.size() && missing == MissingKeys::Add; ++k)
        if (!found[k])
            added.push_back(
                {std::string{keys[k]} + "=" + newValue(keys[k], nullptr, wanted), newline});
    if (!added.empty() && !groupSeen) {
        std::vector<Line> header;
        if (!lines.empty() && !trimmed(lines.back().text).empty())
            header.push_back({"", newline}); // a blank line between groups
        header.push_back({std::string{group}, newline});
        added.insert(added.begin(), header.begin(), header.end());
        insertAt = lines.size();
    }
    if (!added.empty()) {
        // The line before the new ones must end, or they would run into it.
        if (insertAt > 0 && lines[insertAt - 1].end.empty())
            lines[insertAt - 1].end = newline;
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(insertAt), added.begin(),
                     added.end());
    }

    std::string result;
    result.reserve(content.size() + 80);
    for (const auto &line : lines) {
        result += line.text;
        result += line.end;
    }
    return result;
}

// The handler list with ours first and every other handler kept after it, in its order.
std::string handlerList(std::string_view, const std::string_view *old, std::string_view ours)
{
    std::string list{ours};
    if (!old)
        return list;
    for (const auto item : listItems(*old))
        if (item != ours)
            (list += ';') += item;
    if (old->ends_with(';'))
        list += ';';
    return list;
}

// Exec becomes ours; the MIME types keep the user's and gain those of ours they lack.
std::string entryValue(std::string_view key, const std::string_view *old, std::string_view exec)
{
    if (key == "Exec")
        return std::string{exec};
    if (!old)
        return std::string{EntryMimeTypes};
    std::string types{*old};
    const auto have = listItems(*old);
    for (const auto type : listItems(EntryMimeTypes)) {
        if (std::find(have.begin(), have.end(), type) != have.end())
            continue;
        if (!types.empty() && !types.ends_with(';'))
            types += ';';
        (types += type) += ';';
    }
    return types;
}

} // namespace

std::string execArgument(std::string_view program)
{
    constexpr std::string_view Reserved = " \t\n\r\"'\\><~|&;$*?#()`";
    const bool quote = program.find_first_of(Reserved) != std::string_view::npos;
    std::string argument = quote ? "\"" : "";
    for (const char c : program) {
        if (c == '%')
            argument += "%%";
        else if (c == '"' || c == '`' || c == '$')
            (argument += '\\') += c;
        else if (c == '\\')
            argument += "\\\\\\\\"; // escaped inside the quotes, then as a desktop string
        else if (c == '\n')
            argument += "\\n"; // never a line of its own: it would add a key to the entry
        else if (c == '\r')
            argument += "\\r";
        else
            argument += c;
    }
    return quote ? argument + "\"" : argument;
}

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
            "MimeType=";
    text += EntryMimeTypes;
    text += "\n"
            "Categories=Network;WebBrowser;\n";
    return text;
}

std::string withOurEntryKeys(std::string_view entry, std::string_view command)
{
    const std::string exec = std::string{command} + " %u";
    return withGroupKeys(entry, EntrySection, {"Exec", "MimeType"}, entryValue, exec,
                         MissingKeys::Add);
}

std::string withDefaultHandlers(std::string_view mimeapps, std::string_view desktopId,
                                MissingKeys missing)
{
    return withGroupKeys(mimeapps, DefaultSection, {HandledSchemes.begin(), HandledSchemes.end()},
                         handlerList, desktopId, missing);
}

} // namespace torvi
