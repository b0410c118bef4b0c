// Torvi: the program's paths on Windows, where they are used as they stand.
#include "nav/windows_path.h"

#include "nav/win32_api.h"

namespace torvi {

std::filesystem::path nativePath(std::string_view windowsPath)
{
    // Built from UTF-16 explicitly: a path made from a narrow string would be read in
    // whatever code page the C library's locale assumes, not as the core's UTF-8.
    return std::filesystem::path{win::toWide(windowsPath, CP_UTF8)};
}

std::filesystem::path mappedDriveRoot()
{
    return std::filesystem::path{L"C:\\"};
}

std::string applicationDirectory()
{
    std::wstring module(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            ::GetModuleFileNameW(nullptr, module.data(), static_cast<DWORD>(module.size()));
        if (length == 0)
            return {};
        // A full buffer may be a cut name: try again with a bigger one.
        if (length < module.size()) {
            module.resize(length);
            break;
        }
        module.resize(module.size() * 2);
    }
    const auto slash = module.find_last_of(L"\\/");
    module.resize(slash == std::wstring::npos ? 0 : slash);
    return win::fromWide(module, CP_UTF8);
}

std::string localPageAddress(std::string_view windowsPath)
{
    return std::string{windowsPath};
}

// A Windows system already has WINDOWS, the program's own folder and the user's folders;
// creating folders in the drive's root would need an administrator and litter the system.
Status prepareMappedDrive(const std::string &)
{
    return Status::ok();
}

} // namespace torvi
