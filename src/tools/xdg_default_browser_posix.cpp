// Torvi: the default-browser registration on freedesktop systems: the files.
#include "tools/xdg_default_browser.h"

#include "nav/text_file.h"
#include "tools/default_browser.h"
#include "tools/install_paths.h"

#include <algorithm>
#include <cctype>
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

// Replaces the file with the edit of its content (of nothing when it is missing), unless that
// changes nothing. A file that exists but cannot be read is left alone.
template <typename Edit> Status updateFile(const std::filesystem::path &file, Edit edit)
{
    std::error_code error;
    const bool exists = std::filesystem::exists(file, error);
    std::string content;
    if (exists) {
        auto read = readWholeFile(file);
        if (!read)
            return Status::failure(pathText(file) + ": cannot read it, so it was left alone");
        content = std::move(*read);
    } else if (auto made = makeFolder(file.parent_path()); !made) {
        return made;
    }
    const std::string updated = edit(content, exists);
    if (exists && updated == content)
        return Status::ok();
    return writeFileAtomically(file, updated);
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

std::vector<std::filesystem::path> desktopMimeappsListPaths()
{
    std::vector<std::filesystem::path> lists;
    const char *desktops = std::getenv("XDG_CURRENT_DESKTOP");
    std::string_view names = desktops ? desktops : "";
    while (!names.empty()) {
        const auto colon = names.find(':');
        std::string name{names.substr(0, colon)};
        names = colon == std::string_view::npos ? std::string_view{} : names.substr(colon + 1);
        std::transform(name.begin(), name.end(), name.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        const auto list = xdgFolder("XDG_CONFIG_HOME", ".config") / (name + "-mimeapps.list");
        if (!name.empty() && name.find('/') == std::string::npos &&
            std::find(lists.begin(), lists.end(), list) == lists.end())
            lists.push_back(list);
    }
    return lists;
}

std::string desktopCommand(const std::filesystem::path &running,
                           const std::filesystem::path &installed)
{
    std::error_code error;
    if (running.empty() || std::filesystem::equivalent(running, installed, error))
        return execArgument(installed.string());
    return execArgument(running.string());
}

Status registerXdgDefaultBrowser(std::string_view command)
{
    const auto entry = desktopEntryPath();
    // A user's own changes to the entry stay; only what makes it ours is set.
    if (auto written = updateFile(entry,
                                  [&](std::string_view old, bool exists) {
                                      return exists ? withOurEntryKeys(old, command)
                                                    : desktopEntryText(command);
                                  });
        !written)
        return written;

    // A desktop's own list is read first: where it names a handler, ours must be first there.
    for (const auto &list : desktopMimeappsListPaths()) {
        std::error_code error;
        if (!std::filesystem::exists(list, error))
            continue;
        if (auto written = updateFile(list,
                                      [](std::string_view old, bool) {
                                          return withDefaultHandlers(old, DesktopEntryName,
                                                                     MissingKeys::Leave);
                                      });
            !written)
            return written;
    }
    return updateFile(mimeappsListPath(), [](std::string_view old, bool) {
        return withDefaultHandlers(old, DesktopEntryName);
    });
}

Status registerAsDefaultBrowser()
{
    std::error_code error;
    const auto running = std::filesystem::read_symlink("/proc/self/exe", error);
    return registerXdgDefaultBrowser(desktopCommand(running, LinuxInstalledCommand));
}

} // namespace torvi
