// Torvi: the plain-text history.
#include "history/history_file.h"

#include "nav/text_file.h"
#include "nav/windows_path.h"

#include <cstdio>
#include <initializer_list>
#include <utility>

namespace torvi {

HistoryFile::HistoryFile(FileSystem &fileSystem, std::string path)
    : m_fileSystem(fileSystem), m_path(std::move(path))
{}

std::string historyRecord(std::string_view address, std::string_view dateTime,
                          std::string_view title)
{
    // A line break in a field would end the record early and make its rest a line of its own.
    std::string record = oneLineField(address);
    record += HistoryFieldSeparator;
    record += oneLineField(trimBlanks(dateTime));
    record += HistoryFieldSeparator;
    record += oneLineField(title);
    record += CrLf;
    return record;
}

Status HistoryFile::AddCronologia(const std::string &address, const std::string &dateTime,
                                  const std::string &title)
{
    // One write per record: a crash or a second writer never leaves half a line.
    return appendLine(nativePath(m_path), toSystemText(historyRecord(address, dateTime, title)));
}

std::vector<HistoryLine> parseHistory(std::string_view content)
{
    const auto rawLines = lineViews(content);
    std::vector<HistoryLine> lines;
    lines.reserve(rawLines.size());
    for (auto it = rawLines.rbegin(); it != rawLines.rend(); ++it) {
        std::string_view rest = *it;
        if (rest.empty())
            continue;
        HistoryLine &line = lines.emplace_back();
        for (std::string *field : {&line.address, &line.dateTime, &line.title}) {
            const auto cut = rest.find(HistoryFieldSeparator);
            *field = fromSystemText(rest.substr(0, cut));
            if (cut == std::string_view::npos)
                break;
            rest.remove_prefix(cut + HistoryFieldSeparator.size());
        }
    }
    return lines;
}

std::vector<HistoryLine> HistoryFile::readHistory() const
{
    if (!m_fileSystem.FileExists(m_path))
        return {};
    const auto content = readWholeFile(nativePath(m_path));
    return content ? parseHistory(*content) : std::vector<HistoryLine>{};
}

Status HistoryFile::DeleteCronologia()
{
    // Not finding the file is what the user asked for; anything else is a real failure.
    if (!m_fileSystem.FileExists(m_path))
        return Status::ok();
    return m_fileSystem.DeleteFile(m_path, Force::No);
}

std::string_view trimBlanks(std::string_view text)
{
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

// A fixed Italian form rather than the locale's "%x %X": the program speaks Italian, and the
// locale's form changes with LANG (the C locale of a service or a CI run writes the American
// "03/07/26"), so one file would mix forms that read as different days. Day first, four-digit
// year and a 24-hour clock are what an Italian system shows as its short date and time.
std::string defaultDateTimeText(const LocalTime &when)
{
    char text[64];
    std::snprintf(text, sizeof text, "%02d/%02d/%04d %02d:%02d:%02d", when.day, when.month,
                  when.year, when.hour, when.minute, when.second);
    return text;
}

} // namespace torvi
