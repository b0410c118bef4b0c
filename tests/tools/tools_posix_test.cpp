// Torvi tests: the temporary-file cleaner and the default-browser registration's files, on a
// POSIX system.
#include "nav/windows_path.h"
#include "support/temp_home.h"
#include "tools/default_browser.h"
#include "tools/temp_cleaner.h"
#include "tools/xdg_default_browser.h"

#include <cstdio>
#include <cstdlib>
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

    const auto result = runCleaner("mario");
    EXPECT_EQ(result.deleted, 4);
    EXPECT_EQ(result.listedAfter, (std::vector<std::string>{"locked1.tmp", "Locked2.tmp"}));
    std::set<std::string> left;
    for (const auto &entry : fs::directory_iterator(folder))
        left.insert(entry.path().filename().string());
    EXPECT_EQ(left, (std::set<std::string>{".hidden.tmp", "Locked2.tmp", "locked1.tmp", "note.txt",
                                           "sub.tmp", "sub.tmp\\inner.tmp", "x.tmpl", "xtmp"}));
    EXPECT_TRUE(fs::exists(folder / "sub.tmp/inner.tmp"));
    EXPECT_EQ(test::textOf(outside), "x") << "the link's target stays";

    const auto none = runCleaner("nobody");
    EXPECT_EQ(none.deleted + none.remaining, 0) << "a missing folder";
    EXPECT_FALSE(fs::exists(nativePath(tempFolderPath("nobody")))) << "is not made";

    // A linked folder on the way to Temp, or Temp itself a link, is a missing folder: nothing
    // in the link's target is listed or deleted.
    const fs::path user = folder.parent_path().parent_path(), moved = home.path() / "mario";
    fs::rename(user, moved);
    fs::create_symlink(moved, user);
    EXPECT_EQ(runCleaner("mario").remaining, 0) << "a linked folder on the way";
    fs::remove(user);
    fs::create_directories(folder.parent_path());
    fs::create_symlink(moved / folder.lexically_relative(user), folder);
    EXPECT_EQ(runCleaner("mario").remaining, 0) << "Temp itself a link";
}

// The files go where a desktop reads them, their folders made. Many keep mimeapps.list as a link
// into their dotfiles: it stays a link, its target written, made when missing. An entry the
// user changed is left as it is while nothing of ours differs. One that cannot be read is left
// alone. Then what http links open, asked as the desktop's own tools ask: a copy that is not the
// installed one (here the test program itself) registers its own path, or the links would open
// a program that is not there; the desktop's own list, read before mimeapps.list, names us
// first too.
TEST(XdgDefaultBrowserTest, EntryAndHandlersGoWhereTheDesktopReadsThem)
{
    test::TempHome home;
    const fs::path list = home.path() / ".config/mimeapps.list";
    const fs::path entry = home.path() / ".local/share/applications/torvi.desktop";
    fs::create_directories(list.parent_path());
    fs::create_symlink(home.path() / "dotfiles.list", list);
    ASSERT_EQ(registerXdgDefaultBrowser("/usr/bin/torvi").error(), "");
    EXPECT_EQ(test::textOf(entry), desktopEntryText("/usr/bin/torvi"));
    EXPECT_TRUE(fs::is_symlink(list));
    EXPECT_EQ(test::textOf(home.path() / "dotfiles.list"),
              "[Default Applications]\nx-scheme-handler/http=torvi.desktop\n"
              "x-scheme-handler/https=torvi.desktop\n");
    test::writeText(entry, "# mine\n" + desktopEntryText("/usr/bin/torvi"));
    ASSERT_EQ(registerXdgDefaultBrowser("/usr/bin/torvi").error(), "");
    EXPECT_EQ(test::textOf(entry), "# mine\n" + desktopEntryText("/usr/bin/torvi"));

    // A folder in its place cannot be read as a file, even by root.
    fs::remove(list);
    fs::create_directory(list);
    EXPECT_FALSE(registerXdgDefaultBrowser("/usr/bin/torvi").isOk());
    EXPECT_TRUE(fs::is_directory(list));
    fs::remove(list);

    if (std::system("command -v xdg-mime >/dev/null") != 0)
        GTEST_SKIP() << "xdg-mime is missing";
    const fs::path own = home.path() / ".config/xfce-mimeapps.list";
    test::writeText(own, "[Default Applications]\nx-scheme-handler/http=other.desktop;\n");
    test::writeText(entry.parent_path() / "other.desktop",
                    "[Desktop Entry]\nType=Application\nName=Other\nExec=/bin/true %u\n"
                    "MimeType=x-scheme-handler/http;\nInitialPreference=9\n");
    ::setenv("XDG_CURRENT_DESKTOP", "XFCE", 1);
    const Status registered = registerAsDefaultBrowser();
    std::string answer(256, '\0');
    FILE *query = ::popen("xdg-mime query default x-scheme-handler/http", "r");
    answer.resize(std::fread(answer.data(), 1, answer.size(), query));
    ::pclose(query);
    ::unsetenv("XDG_CURRENT_DESKTOP");
    ASSERT_TRUE(registered.isOk()) << registered.error();
    EXPECT_EQ(answer, "torvi.desktop\n");
    EXPECT_EQ(test::textOf(entry),
              "# mine\n" + desktopEntryText(fs::read_symlink("/proc/self/exe").string()));
}

} // namespace
} // namespace torvi
