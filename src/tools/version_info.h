// Torvi: the program's version information, shown by the about box and sent to the update page.
#pragma once

#include <string>
#include <string_view>

namespace torvi {

struct VersionInfo
{
    std::string_view title;
    int major;
    int minor;
    int revision;
    std::string_view comments;
    std::string_view companyName;
    std::string_view legalNotice;
};

inline constexpr VersionInfo TorviVersion{
    "Torvi",
    1,
    0,
    5,
    "Personal Secure Browser",
    "Torvi Software",
    "Copyright (C) 2026 Torvi Software. Tutti i diritti riservati. Questo programma "
    "\xC3\xA8 fornito cos\xC3\xAC com'\xC3\xA8, senza garanzie di alcun tipo."};

// "1.0.5": major, minor and revision as plain decimal numbers joined by dots.
inline std::string versionText(const VersionInfo &v = TorviVersion)
{
    return std::to_string(v.major) + "." + std::to_string(v.minor) + "." +
           std::to_string(v.revision);
}

} // namespace torvi
