// Torvi: the XML navigation log History.xml, one record per address request and per
// completed document. Written by the navigation hub and the document-complete handlers.
#pragma once

#include "nav/clock.h"
#include "nav/file_system.h"
#include "nav/status.h"
#include "nav/text_file.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace torvi {

// One record as it was asked for: the address, when, and the download flag then.
struct LogEntry
{
    std::string address;
    LocalTime when;
    bool downloadFlag = false;
};

class NavigationLog
{
public:
    // path: the log's path in the program's Windows form (see windows_path.h).
    NavigationLog(std::string path, const FileSystem &fileSystem, const Clock &clock);

    // The log of the running program: History.xml in the application directory.
    static std::string defaultPath();

    // Appends one record for the address, carrying the download flag, and resets the flag.
    // An empty address writes nothing. A log as this writer leaves it gets the record in
    // place of its closing line, in one write, whatever its size; any other log is replaced
    // whole, atomically. A failed write leaves the old log whole; the failure is reported,
    // never thrown.
    Status WriteHistoryXml(const std::string &address, bool &downloadPending);

    // Appends the records in one write, those with an empty address left out, as
    // WriteHistoryXml does one.
    Status appendRecords(const std::vector<LogEntry> &entries);

    // The time a record asked for now carries.
    LocalTime now() const;

    const std::string &path() const { return m_path; }

private:
    std::string m_path;
    const FileSystem &m_fileSystem;
    const Clock &m_clock;
};

// The lines of an existing log that a new record goes after: every line before the first
// line that is exactly "</history>"; all lines when there is none.
std::vector<std::string> keptLogLines(std::string_view content);

// The lines an existing log keeps before a new record: its kept lines, with a "<history>"
// line put in before the first record when none is there (a log cut short by a crash or an
// editor would never parse again otherwise). An empty log gets the lines a new one starts with.
std::vector<std::string> logLinesBeforeRecord(std::string_view content);

// Where a new record goes without rewriting the log: right after its last whole record (or
// its root line), replacing what follows, the closing line or the remains of a write cut
// short. Nothing when the log does not start as a log does or has no whole record near its
// end: it is then rewritten whole.
std::optional<std::uint64_t> inPlaceRecordOffset(const FileEnds &ends);

// The address as XML character data. "&" and "<" become entity references; so do ">" after
// "]]", CR and LF (a record stays five lines); characters XML 1.0 cannot carry at all
// (control characters, U+FFFE, U+FFFF, bytes that are not UTF-8) become U+FFFD.
// Any other address comes out unchanged.
std::string escapeLogAddress(std::string_view address);

// The five lines of one record, each ended by CR LF.
std::string logRecord(std::string_view address, const LocalTime &when, bool downloadFlag);

} // namespace torvi
