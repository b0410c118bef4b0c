// Torvi tests: every test gets a fresh home of its own.
#pragma once

#include <filesystem>
#include <gtest/gtest.h>

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

// Removes a file a test made outside its home (on Windows the program's paths are the
// system's own), read-only or not, or a folder a test put in its place.
void removeMadeFile(const std::filesystem::path &path);

class TempHomeTest : public ::testing::Test
{
protected:
    TempHome home;
};

} // namespace torvi::test
