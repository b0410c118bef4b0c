// Torvi: line splitting and path texts, shared by every reader and writer of the program's files.
#include "nav/text_file.h"

#include <algorithm>
#include <cstring>

namespace torvi {

std::vector<std::string> splitLines(std::string_view content)
{
    const std::vector<std::string_view> views = lineViews(content);
    return {views.begin(), views.end()};
}

std::vector<std::string_view> lineViews(std::string_view content)
{
    // memchr rather than a test per byte: a file may hold a line of 50 MB.
    const char *at = content.data();
    const char *const end = at + content.size();
    const auto next = [end](const char *from, char c) {
        const void *found = std::memchr(from, c, static_cast<std::size_t>(end - from));
        return found ? static_cast<const char *>(found) : end;
    };
    std::vector<std::string_view> lines;
    const char *cr = next(at, '\r');
    const char *lf = next(at, '\n');
    while (at < end) {
        const char *stop = std::min(cr, lf);
        lines.emplace_back(at, static_cast<std::size_t>(stop - at));
        if (stop == end)
            break;
        at = stop + 1;
        if (*stop == '\r' && at < end && *at == '\n')
            ++at;
        if (cr < at)
            cr = next(at, '\r');
        if (lf < at)
            lf = next(at, '\n');
    }
    return lines;
}

std::string oneLineField(std::string_view field)
{
    std::string line{field};
    for (char &c : line)
        if (c == '\r' || c == '\n')
            c = ' ';
    return line;
}

std::string pathText(const std::filesystem::path &path)
{
    const std::u8string utf8 = path.u8string();
    return std::string{utf8.begin(), utf8.end()};
}

} // namespace torvi
