// Torvi: the mapped drive on systems without drive letters.
#include "nav/windows_path.h"

#include "nav/addresses.h"

#include <cctype>
#include <cstdlib>
#include <pwd.h>
#include <system_error>
#include <unistd.h>
#include <vector>

namespace torvi {

namespace {

std::filesystem::path homeFolder()
{
    if (const char *home = std::getenv("HOME"); home && *home)
        return home;
    if (const passwd *pw = getpwuid(getuid()); pw && pw->pw_dir)
        return pw->pw_dir;
    return "/tmp";
}

std::filesystem::path dataHome()
{
    // The XDG rule: a relative XDG_DATA_HOME is invalid and ignored.
    if (const char *xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg == '/')
        return xdg;
    return homeFolder() / ".local" / "share";
}

std::filesystem::path driveRoot(char letter)
{
    const char lower = static_cast<char>(std::tolower(static_cast<unsigned char>(letter)));
    return dataHome() / "torvi" / (std::string{"drive_"} + lower);
}

bool startsWithDrive(std::string_view path)
{
    return path.size() >= 2 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':';
}

} // namespace

std::filesystem::path mappedDriveRoot()
{
    return driveRoot('c');
}

std::filesystem::path nativePath(std::string_view windowsPath)
{
    if (!startsWithDrive(windowsPath)) {
        std::string plain{windowsPath};
        for (char &c : plain)
            if (c == '\\')
                c = '/';
        return plain;
    }

    const std::filesystem::path root = driveRoot(windowsPath[0]);
    std::vector<std::string> names;
    std::string_view rest = windowsPath.substr(2);
    while (!rest.empty()) {
        const auto sep = rest.find_first_of("\\/");
        const std::string_view name = rest.substr(0, sep);
        rest = sep == std::string_view::npos ? std::string_view{} : rest.substr(sep + 1);
        if (name.empty() || name == ".")
            continue;
        if (name == "..") {
            if (!names.empty())
                names.pop_back();
            continue;
        }
        names.emplace_back(name);
    }
    std::filesystem::path result = root;
    for (const auto &name : names)
        result /= name;
    return result;
}

std::string localPageAddress(std::string_view windowsPath)
{
    return "file://" + percentEncode(nativePath(windowsPath).string(), "/");
}

std::string applicationDirectory()
{
    return "C:\\Programmi\\Torvi";
}

Status prepareMappedDrive(const std::string &userName)
{
    const std::string folders[] = {
        "C:\\WINDOWS",
        applicationDirectory(),
        "C:\\Documents and Settings\\" + userName + "\\Impostazioni locali\\Temp",
    };
    for (const auto &folder : folders) {
        std::error_code error;
        std::filesystem::create_directories(nativePath(folder), error);
        if (error)
            return Status::failure(nativePath(folder).string() + ": " + error.message());
    }
    return Status::ok();
}

} // namespace torvi
