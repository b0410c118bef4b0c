// Torvi tests: the default-browser registration's files, checked with the desktop's own tools.
#include "nav/text_file.h"
#include "support/temp_home.h"
#include "tools/install_paths.h"
#include "tools/xdg_default_browser.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/wait.h>

namespace torvi {
namespace {

namespace fs = std::filesystem;

struct Run
{
    int exitCode;
    std::string output;
};

Run run(const std::string &command)
{
    Run result{-1, {}};
    FILE *pipe = ::popen((command + " 2>&1").c_str(), "r");
    if (!pipe)
        return result;
    char buffer[512];
    while (const auto n = std::fread(buffer, 1, sizeof buffer, pipe))
        result.output.append(buffer, n);
    const int status = ::pclose(pipe);
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

bool haveTool(const char *name)
{
    return std::system(("command -v " + std::string{name} + " >/dev/null 2>&1").c_str()) == 0;
}

class XdgDefaultBrowserTest : public test::TempHomeTest
{
protected:
    // What xdg-mime answers in this test's XDG folders. The session's desktop is hidden
    // from it, so it reads mimeapps.list itself instead of asking a desktop's own tool; the
    // system's folders are hidden too, so a torvi.desktop installed there cannot answer.
    std::string queryDefault(const char *mimeType) const
    {
        const auto answer =
            run("env -u KDE_FULL_SESSION -u GNOME_DESKTOP_SESSION_ID"
                " -u MATE_DESKTOP_SESSION_ID -u DESKTOP_SESSION"
                " -u XDG_RUNTIME_DIR XDG_CURRENT_DESKTOP=X-Generic"
                " XDG_CONFIG_DIRS='" +
                (home.path() / "no-system-config").string() + "' XDG_DATA_DIRS='" +
                (home.path() / "no-system-data").string() + "' xdg-mime query default " + mimeType);
        auto text = answer.output;
        while (!text.empty() && (text.back() == '\n' || text.back() == ' '))
            text.pop_back();
        return text;
    }

    // xdg-mime names a handler only when its program exists, and the installed program
    // may not be on the test machine: stand a script in for it.
    std::string stubProgram() const
    {
        const auto bin = home.path() / "bin";
        fs::create_directories(bin);
        const auto program = bin / "torvi";
        std::ofstream(program) << "#!/bin/sh\nexit 0\n";
        fs::permissions(program, fs::perms::owner_all);
        return program.string();
    }
};

TEST_F(XdgDefaultBrowserTest, DesktopEntryPassesTheValidator)
{
    if (!haveTool("desktop-file-validate"))
        GTEST_SKIP() << "desktop-file-validate is not installed (package desktop-file-utils)";
    ASSERT_EQ(registerXdgDefaultBrowser(LinuxInstalledCommand).error(), "");
    const auto entry = home.path() / ".local/share/applications/torvi.desktop";
    ASSERT_TRUE(fs::exists(entry));
    const auto checked = run("desktop-file-validate '" + entry.string() + "'");
    EXPECT_EQ(checked.exitCode, 0) << checked.output;
    EXPECT_EQ(checked.output, "") << "no warnings either";
    EXPECT_NE(readWholeFile(entry)->find("\nExec=/usr/bin/torvi %u\n"), std::string::npos);
}

TEST_F(XdgDefaultBrowserTest, XdgMimeNamesTorviForHttpAndHttps)
{
    if (!haveTool("xdg-mime"))
        GTEST_SKIP() << "xdg-mime is not installed (package xdg-utils)";
    const auto program = stubProgram();
    EXPECT_NE(queryDefault("x-scheme-handler/http"), "torvi.desktop") << "before registering";

    ASSERT_EQ(registerXdgDefaultBrowser(program).error(), "");
    EXPECT_EQ(queryDefault("x-scheme-handler/http"), "torvi.desktop");
    EXPECT_EQ(queryDefault("x-scheme-handler/https"), "torvi.desktop");
}

TEST_F(XdgDefaultBrowserTest, OtherEntriesOfMimeappsListKeptByteForByte)
{
    const std::string before = "# my own notes\n"
                               "[Default Applications]\n"
                               "x-scheme-handler/http=firefox-esr.desktop\n"
                               "image/png=eog.desktop\n"
                               "\n"
                               "[Removed Associations]\n"
                               "x-scheme-handler/https=firefox-esr.desktop;\n";
    fs::create_directories(home.path() / ".config");
    std::ofstream(home.path() / ".config/mimeapps.list", std::ios::binary) << before;

    ASSERT_EQ(registerXdgDefaultBrowser(LinuxInstalledCommand).error(), "");
    const auto once = readWholeFile(home.path() / ".config/mimeapps.list");
    const auto entryOnce = readWholeFile(desktopEntryPath());
    EXPECT_EQ(*once, "# my own notes\n"
                     "[Default Applications]\n"
                     "x-scheme-handler/http=torvi.desktop\n"
                     "image/png=eog.desktop\n"
                     "x-scheme-handler/https=torvi.desktop\n"
                     "\n"
                     "[Removed Associations]\n"
                     "x-scheme-handler/https=firefox-esr.desktop;\n");

    ASSERT_EQ(registerXdgDefaultBrowser(LinuxInstalledCommand).error(), "");
    EXPECT_EQ(readWholeFile(home.path() / ".config/mimeapps.list"), once) << "second run";
    EXPECT_EQ(readWholeFile(desktopEntryPath()), entryOnce) << "second run";
}

TEST_F(XdgDefaultBrowserTest, LinkedMimeappsListStaysALink)
{
    const auto dotfiles = home.path() / "dotfiles";
    fs::create_directories(dotfiles);
    fs::create_directories(home.path() / ".config");
    std::ofstream(dotfiles / "mimeapps.list") << "[Default Applications]\n";
    fs::create_symlink(dotfiles / "mimeapps.list", home.path() / ".config/mimeapps.list");

    ASSERT_EQ(registerXdgDefaultBrowser(LinuxInstalledCommand).error(), "");
    EXPECT_TRUE(fs::is_symlink(home.path() / ".config/mimeapps.list"));
    EXPECT_EQ(readWholeFile(dotfiles / "mimeapps.list"),
              "[Default Applications]\nx-scheme-handler/http=torvi.desktop\n"
              "x-scheme-handler/https=torvi.desktop\n");
}

TEST_F(XdgDefaultBrowserTest, UnreadableMimeappsListIsLeftAlone)
{
    // A folder in its place cannot be read as a file, even by root.
    fs::create_directories(home.path() / ".config/mimeapps.list");
    EXPECT_FALSE(registerXdgDefaultBrowser(LinuxInstalledCommand).isOk());
    EXPECT_TRUE(fs::is_directory(home.path() / ".config/mimeapps.list"));
}

} // namespace
} // namespace torvi
