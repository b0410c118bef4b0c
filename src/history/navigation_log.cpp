// Torvi: the XML navigation log.
#include "history/navigation_log.h"

#include "nav/text_file.h"
#include "nav/windows_path.h"

#include <algorithm>
#include <utility>

namespace torvi {

namespace {

constexpr std::string_view Declaration = "<?xml version='1.0'?>";
constexpr std::string_view RootOpen = "<history>";
constexpr std::string_view RootClose = "</history>";
constexpr std::string_view RecordOpen = "<connection>";
constexpr std::string_view RecordEndLine = "\n</connection>\r\n";
constexpr std::string_view RootOpenLine = "\n<history>\r\n";
// How far from its end a log is searched for its last whole record.
constexpr std::size_t EndWindow = 64 * 1024;
constexpr std::string_view Replacement = "\xEF\xBF\xBD"; // U+FFFD in UTF-8

// Length of the UTF-8 sequence at the start of text, or 0 when it is not well-formed
// (overlong forms and surrogates included).
std::size_t utf8SequenceLength(std::string_view text, char32_t &codePoint)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(0);
    std::size_t length = 0;
    char32_t min = 0;
    if (lead < 0x80) {
        codePoint = lead;
        return 1;
    }
    if ((lead & 0xE0) == 0xC0) {
        length = 2;
        codePoint = lead & 0x1Fu;
        min = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        codePoint = lead & 0x0Fu;
        min = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
        codePoint = lead & 0x07u;
        min = 0x10000;
    } else {
        return 0;
    }
    if (text.size() < length)
        return 0;
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80)
            return 0;
        codePoint = (codePoint << 6) | (byte(i) & 0x3Fu);
    }
    if (codePoint < min || codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF))
        return 0;
    return length;
}

bool allowedInXml(char32_t c)
{
    if (c < 0x20)
        return c == '\t' || c == '\n' || c == '\r';
    return c != 0xFFFE && c != 0xFFFF;
}

} // namespace

NavigationLog::NavigationLog(std::string path, const FileSystem &fileSystem, const Clock &clock)
    : m_path(std::move(path)), m_fileSystem(fileSystem), m_clock(clock)
{}

std::string NavigationLog::defaultPath()
{
    return applicationDirectory() + "\\History.xml";
}

std::vector<std::string> keptLogLines(std::string_view content)
{
    std::vector<std::string> lines = splitLines(content);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i] == RootClose) {
            lines.resize(i);
            break;
        }
    }
    return lines;
}

std::vector<std::string> logLinesBeforeRecord(std::string_view content)
{
    std::vector<std::string> lines = keptLogLines(content);
    if (lines.empty())
        return {std::string{Declaration}, std::string{RootOpen}};
    if (std::find(lines.begin(), lines.end(), RootOpen) == lines.end())
        lines.insert(std::find(lines.begin(), lines.end(), RecordOpen), std::string{RootOpen});
    return lines;
}

std::optional<std::uint64_t> inPlaceRecordOffset(const FileEnds &ends)
{
    const std::string head = std::string{Declaration} + "\r\n" + std::string{RootOpen} + "\r\n";
    if (!ends.head.starts_with(head) && !ends.head.starts_with(RootOpenLine.substr(1)))
        return std::nullopt;
    // Seen as a line only after a line end: the file's start counts as one.
    const bool wholeFile = ends.tail.size() == ends.size;
    const std::string tail = (wholeFile ? "\n" : "") + ends.tail;
    std::size_t end = 0;
    for (const std::string_view line : {RecordEndLine, RootOpenLine})
        if (const auto at = tail.rfind(line); at != std::string::npos)
            end = std::max(end, at + line.size());
    if (end == 0)
        return std::nullopt;
    return ends.size - (tail.size() - end);
}

std::string escapeLogAddress(std::string_view address)
{
    std::string out;
    out.reserve(address.size());
    while (!address.empty()) {
        char32_t c = 0;
        const std::size_t length = utf8SequenceLength(address, c);
        if (length == 0) {
            out += Replacement;
            address.remove_prefix(1);
            continue;
        }
        if (c == '&')
            out += "&amp;";
        else if (c == '<')
            out += "&lt;";
        else if (c == '>' && out.size() >= 2 && out.ends_with("]]"))
            out += "&gt;";
        else if (c == '\r')
            out += "&#13;";
        else if (c == '\n')
            out += "&#10;";
        else if (!allowedInXml(c))
            out += Replacement;
        else
            out.append(address.substr(0, length));
        address.remove_prefix(length);
    }
    return out;
}

std::string logRecord(std::string_view address, const LocalTime &when, bool downloadFlag)
{
    std::string record;
    record += RecordOpen;
    record += CrLf;
    record += "\t<URL>" + escapeLogAddress(address) + "</URL>";
    record += CrLf;
    record += "\t<Data-Ora>" + logDate(when) + "|" + logTime(when) + "</Data-Ora>";
    record += CrLf;
    record +=
        std::string{"\t<DownloadFile>"} + (downloadFlag ? "True" : "False") + "</DownloadFile>";
    record += CrLf;
    record += "</connection>";
    record += CrLf;
    return record;
}

Status NavigationLog::WriteHistoryXml(const std::string &address, bool &downloadPending)
{
    const bool flag = std::exchange(downloadPending, false);
    return appendRecords({{address, m_clock.now(), flag}});
}

LocalTime NavigationLog::now() const
{
    return m_clock.now();
}

Status NavigationLog::appendRecords(const std::vector<LogEntry> &entries)
{
    // Lines are kept byte for byte, in whatever code page they were written.
    std::string records;
    for (const LogEntry &entry : entries)
        if (!entry.address.empty())
            records += toSystemText(logRecord(entry.address, entry.when, entry.downloadFlag));
    if (records.empty())
        return Status::ok();
    records += RootClose;
    records += CrLf;

    const auto native = nativePath(m_path);
    std::string old;
    if (m_fileSystem.FileExists(m_path)) {
        // The old file is deleted before it is written anew; a read-only log cannot be.
        if (isReadOnlyFile(m_path))
            return Status::failure(pathText(native) + ": file is read-only");
        const auto ends = readFileEnds(native, EndWindow);
        if (!ends)
            return Status::failure(pathText(native) + ": cannot be read");
        if (const auto offset = inPlaceRecordOffset(*ends)) {
            const auto replaced = static_cast<std::size_t>(ends->size - *offset);
            return replaceFileEnd(
                native, *offset, records,
                std::string_view{ends->tail}.substr(ends->tail.size() - replaced));
        }
        auto read = readWholeFile(native);
        if (!read)
            return Status::failure(pathText(native) + ": cannot be read");
        old = std::move(*read);
    }
    std::string content;
    for (const auto &line : logLinesBeforeRecord(old)) {
        content += line;
        content += CrLf;
    }
    return writeFileAtomically(native, content + records);
}

} // namespace torvi
