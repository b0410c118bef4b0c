// Torvi tests: every test gets a fresh home of its own, and the helpers the file tests share.
#pragma once

#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <string_view>

namespace torvi::test {

// Points HOME and the XDG folders at a new temporary folder for the test's length, so no
// test reads or writes the real user's files; removes the folder afterwards.
class TempHome
{
public:
    TempHome();
    ~TempHome();
    TempHome(const TempHome &) = delete;
    TempHome &operator=(const TempHome &) = delete;

    const std::filesystem::path &path() const { return m_path; }

private:
    std::filesystem::path m_path;
};

// One row of a table: its label, what goes in and what must come out.
template <class In, class Out> struct Row
{
    const char *label;
    In in;
    Out out;
};

// The whole file, or "<none>" when it cannot be read.
std::string textOf(const std::filesystem::path &path);
void writeText(const std::filesystem::path &path, std::string_view text);

// Removes a file a test made, read-only or not, or a folder a test put in its place.
void removeMadeFile(const std::filesystem::path &path);

// A fresh home with the mapped drive made, and the program's files (on Windows the system's
// own, outside the home) missing at the start.
class ProgramFilesTest : public ::testing::Test
{
protected:
    ProgramFilesTest();

    TempHome home;
    const std::filesystem::path historyPath, favoritesPath, logPath;
};

} // namespace torvi::test
