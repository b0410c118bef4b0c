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

// The whole file, or nothing when it cannot be opened or read.
std::optional<std::string> readWholeFile(const std::filesystem::path &path);

// Replaces the file with the content: written to a new file in the same folder, flushed to
// disk, then renamed over the old one, so a failure at any point leaves the old file whole.
Status writeFileAtomically(const std::filesystem::path &path, std::string_view content);

// Appends the content in one write, creating the file when it does not exist.
Status appendToFile(const std::filesystem::path &path, std::string_view content);

// Text between the program's UTF-8 and the system's code page for its files: the ANSI
// code page on Windows, the locale's (UTF-8) encoding elsewhere.
std::string toSystemText(std::string_view utf8);
std::string fromSystemText(std::string_view systemText);

} // namespace torvi
