// Torvi tests: the temporary-file cleaner and the default-browser registration's files, on a
// POSIX system.
#include "nav/windows_path.h"
#include "support/temp_home.h"
#include "tools/temp_cleaner.h"
#include "tools/xdg_default_browser.h"

#include <set>

namespace torvi {
namespace {

namespace fs = std::filesystem;

// Only "*.tmp" in any case goes: links as links, never their targets, nor hidden files,
// subfolders or what is in them. Read-only files are refused and listed afterwards.
TEST(TempCleanerTest, DeletesWhatThePatternNamesAndCountsWhatReallyWent)
{
    test::TempHome home;
    // The folder start-up makes for the user is the one the cleaner empties.
    ASSERT_TRUE(prepareMappedDrive("mario").isOk());
    const fs::path folder = nativePath(tempFolderPath("mario"));
    const fs::path outside = home.path() / "target.tmp";
    fs::create_directories(folder / "sub.tmp");
    for (const auto &name : {"a.tmp", "B.TMP", "locked1.tmp", "Locked2.tmp", "note.txt", "x.tmpl",
                             "xtmp", ".hidden.tmp", "sub.tmp/inner.tmp", "sub.tmp\\inner.tmp"})
        test::writeText(folder / name, "x");
    test::writeText(outside, "x");
    for (const char *name : {"locked1.tmp", "Locked2.tmp"})
        fs::permissions(folder / name, fs::perms::owner_read);
    fs::create_symlink(outside, folder / "link.tmp");
    fs::create_symlink(folder / "nowhere", folder / "dangling.tmp");

    FileSystem files;
    const auto result = runCleaner(files, "mario");
    EXPECT_EQ(result.deleted, 4);
    EXPECT_EQ(result.remaining, 2);
    EXPECT_EQ(result.listedAfter, (std::vector<std::string>{"locked1.tmp", "Locked2.tmp"}));
    std::set<std::string> left;
    for (const auto &entry : fs::directory_iterator(folder))
        left.insert(entry.path().filename().string());
    EXPECT_EQ(left, (std::set<std::string>{".hidden.tmp", "Locked2.tmp", "locked1.tmp", "note.txt",
                                           "sub.tmp", "sub.tmp\\inner.tmp", "x.tmpl", "xtmp"}));
    EXPECT_TRUE(fs::exists(folder / "sub.tmp/inner.tmp"));
    EXPECT_EQ(test::textOf(outside), "x") << "the link's target stays";

    const auto none = runCleaner(files, "nobody");
    EXPECT_EQ(none.deleted + none.remaining, 0) << "a missing folder";
    EXPECT_FALSE(fs::exists(nativePath(tempFolderPath("nobody")))) << "is not made";
}

// The files go where a desktop reads them, their folders made. Many keep mimeapps.list as a link
// into their dotfiles: it stays a link. One that cannot be read is left alone.
TEST(XdgDefaultBrowserTest, EntryAndHandlersGoWhereTheDesktopReadsThem)
{
    test::TempHome home;
    const fs::path list = home.path() / ".config/mimeapps.list";
    const std::string handlers = "[Default Applications]\nx-scheme-handler/http=torvi.desktop\n"
                                 "x-scheme-handler/https=torvi.desktop\n";
    ASSERT_EQ(registerXdgDefaultBrowser("/usr/bin/torvi").error(), "");
    EXPECT_EQ(test::textOf(home.path() / ".local/share/applications/torvi.desktop"),
              desktopEntryText("/usr/bin/torvi"));
    EXPECT_EQ(test::textOf(list), handlers);

    fs::rename(list, home.path() / "dotfiles.list");
    test::writeText(home.path() / "dotfiles.list", "[Default Applications]\n");
    fs::create_symlink(home.path() / "dotfiles.list", list);
    ASSERT_EQ(registerXdgDefaultBrowser("/usr/bin/torvi").error(), "");
    EXPECT_TRUE(fs::is_symlink(list));
    EXPECT_EQ(test::textOf(home.path() / "dotfiles.list"), handlers);

    // A folder in its place cannot be read as a file, even by root.
    fs::remove(list);
    fs::create_directory(list);
    EXPECT_FALSE(registerXdgDefaultBrowser("/usr/bin/torvi").isOk());
    EXPECT_TRUE(fs::is_directory(list));
}

} // namespace
} // namespace torvi
