// Torvi: the default-browser registration on freedesktop systems: the files.
#include "tools/xdg_default_browser.h"

#include "nav/text_file.h"
#include "tools/default_browser.h"
#include "tools/install_paths.h"

#include <cstdlib>
#include <pwd.h>
#include <system_error>
#include <unistd.h>

namespace torvi {

namespace {

std::filesystem::path homeFolder()
{
    if (const char *home = std::getenv("HOME"); home && *home)
        return home;
    if (const passwd *pw = ::getpwuid(::getuid()); pw && pw->pw_dir)
        return pw->pw_dir;
    return "/tmp";
}

// The XDG rule: an unset, empty or relative variable means the default below HOME.
std::filesystem::path xdgFolder(const char *variable, const char *fallbackBelowHome)
{
    if (const char *value = std::getenv(variable); value && *value == '/')
        return value;
    return homeFolder() / fallbackBelowHome;
}

Status makeFolder(const std::filesystem::path &folder)
{
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error)
        return Status::failure(folder.string() + ": " + error.message());
    return Status::ok();
}

} // namespace

std::filesystem::path desktopEntryPath()
{
    return xdgFolder("XDG_DATA_HOME", ".local/share") / "applications" / DesktopEntryName;
}

std::filesystem::path mimeappsListPath()
{
    return xdgFolder("XDG_CONFIG_HOME", ".config") / "mimeapps.list";
}

Status registerXdgDefaultBrowser(std::string_view command)
{
    const auto entry = desktopEntryPath();
    if (auto made = makeFolder(entry.parent_path()); !made)
        return made;
    if (auto written = writeFileAtomically(entry, desktopEntryText(command)); !written)
        return written;

    auto list = mimeappsListPath();
    std::error_code error;
    // Many keep mimeapps.list as a link into their dotfiles; rewrite its target, not the link.
    if (std::filesystem::symlink_status(list, error).type() ==
        std::filesystem::file_type::symlink) {
        list = std::filesystem::weakly_canonical(list, error);
        if (error)
            return Status::failure(list.string() + ": " + error.message());
    }
    std::string content;
    if (std::filesystem::exists(list, error)) {
        auto read = readWholeFile(list);
        if (!read)
            return Status::failure(list.string() + ": cannot read it, so it was left alone");
        content = std::move(*read);
    } else if (auto made = makeFolder(list.parent_path()); !made) {
        return made;
    }
    const auto updated = withDefaultHandlers(content, DesktopEntryName);
    if (updated == content)
        return Status::ok();
    return writeFileAtomically(list, updated);
}

Status registerAsDefaultBrowser()
{
    return registerXdgDefaultBrowser(LinuxInstalledCommand);
}

} // namespace torvi
