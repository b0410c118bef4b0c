// Torvi: line splitting and path texts, shared by every reader and writer of the program's files.
#include "nav/text_file.h"

namespace torvi {

std::vector<std::string> splitLines(std::string_view content)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < content.size(); ++i) {
        const char c = content[i];
        if (c != '\r' && c != '\n')
            continue;
        lines.emplace_back(content.substr(start, i - start));
        if (c == '\r' && i + 1 < content.size() && content[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < content.size())
        lines.emplace_back(content.substr(start));
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
