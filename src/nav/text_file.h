// Torvi: reading and writing the program's plain-text files.
#pragma once

#include "nav/status.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace torvi {

// Line ends of every file the program writes.
inline constexpr std::string_view CrLf = "\r\n";

// Splits a file's text into lines: CR LF, a lone CR or a lone LF ends a line, and a last
// line without an end still counts. No line holds a CR or an LF afterwards.
std::vector<std::string> splitLines(std::string_view content);

// The same lines as views into the content, for readers of large files that keep only some
// of each line.
std::vector<std::string_view> lineViews(std::string_view content);

// The field as one line of a line-based file: every CR and every LF becomes a blank, so a
// pasted line break can neither split the entry nor forge another one.
std::string oneLineField(std::string_view field);

// The whole file, or nothing when it cannot be opened, is no plain file or any read fails:
// never the part read before an error, which a rewrite would then make the whole file.
std::optional<std::string> readWholeFile(const std::filesystem::path &path);

// Replaces the file with the content: written to a new file in the same folder, flushed to
// disk, renamed over the old one and the folder flushed, so a failure or a crash at any
// point leaves the old file or the new one, whole. The new file keeps the old one's mode
// (and owner, where the system lets us). A path that is a symbolic link stays one: the file
// it leads to is replaced, and made when it does not exist. New files left beside it by an
// earlier write that crashed are removed first.
Status writeFileAtomically(const std::filesystem::path &path, std::string_view content);

// Appends one line, its line end included, in one write, creating the file when it does not
// exist. A last line left without its end (a crash, another writer) gets one first, so the
// new line stands on its own. A write that fails midway is cut off again: the file stays as
// it was.
Status appendLine(const std::filesystem::path &path, std::string_view line);

// The path as UTF-8 text, for messages; never throws, whatever the characters.
std::string pathText(const std::filesystem::path &path);

// Text between the program's UTF-8 and the system's code page for its files: the ANSI
// code page on Windows, the locale's (UTF-8) encoding elsewhere.
std::string toSystemText(std::string_view utf8);
std::string fromSystemText(std::string_view systemText);
// The same, reusing the text's memory where the two are one encoding (a large file is not
// copied once more).
std::string fromSystemText(std::string &&systemText);

} // namespace torvi
