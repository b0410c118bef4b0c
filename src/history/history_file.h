// Torvi: the plain-text history cronologia.txt. The main window's document handler appends a
// line per completed document; the history panel reads it back newest first and deletes it.
#pragma once

#include "nav/clock.h"
#include "nav/file_system.h"
#include "nav/status.h"

#include <string>
#include <string_view>
#include <vector>

namespace torvi {

inline constexpr std::string_view HistoryFilePath = "C:\\WINDOWS\\cronologia.txt";
inline constexpr std::string_view HistoryFieldSeparator = "||";

// One line of the history as the panel shows it.
struct HistoryLine
{
    std::string address;
    std::string dateTime;
    std::string title;
    bool operator==(const HistoryLine &) const = default;
};

class HistoryFile
{
public:
    // path: the file in the program's Windows form (see windows_path.h).
    explicit HistoryFile(FileSystem &fileSystem, std::string path = std::string{HistoryFilePath});

    // Appends "address||dateTime||title" and CR LF in one write, on a line of its own; only
    // the date loses its leading and trailing blanks. A failure loses the record, leaves the
    // file as it was and is reported, so the handler can go on with its next steps.
    Status AddCronologia(const std::string &address, const std::string &dateTime,
                         const std::string &title);

    // The lines of the file, the last one first; a missing or unreadable file gives none.
    std::vector<HistoryLine> readHistory() const;

    // The last lines of the file, the last one first, at most `count`: read from the file's
    // end, so a long history costs no more than a short one.
    std::vector<HistoryLine> readLatest(std::size_t count) const;

    // Deletes the file. A file that is already gone is no failure: the list empties anyway.
    Status DeleteCronologia();

    const std::string &path() const { return m_path; }

private:
    FileSystem &m_fileSystem;
    std::string m_path;
};

// The record of one line, its CR LF included; a CR or LF in a field becomes a blank.
std::string historyRecord(std::string_view address, std::string_view dateTime,
                          std::string_view title);

// The lines of the file's content, the last first. Empty lines are skipped; a line is split
// at every "||", pieces after the third are ignored and missing ones stay empty.
std::vector<HistoryLine> parseHistory(std::string_view content);

// The text without its leading and trailing blanks (spaces; tabs and other characters stay).
std::string_view trimBlanks(std::string_view text);

// The date and time of a history line: "dd/mm/yyyy hh:mm:ss".
std::string defaultDateTimeText(const LocalTime &when);

} // namespace torvi
