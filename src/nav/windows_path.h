// Torvi: the program's fixed Windows paths, and where they live on this system.
#pragma once

#include "nav/status.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace torvi {

// On Windows a path is used as it stands. Elsewhere "C:\" is a folder of the user's data
// home (".../torvi/drive_c"), the way a Windows compatibility layer maps a drive:
// backslashes become slashes, names keep their spelling, empty names (a doubled
// backslash) are dropped and ".." never climbs above the drive.
std::filesystem::path nativePath(std::string_view windowsPath);

// The root of the mapped drive C: on this system (Windows: "C:\").
std::filesystem::path mappedDriveRoot();

// The application's own directory, in the program's Windows form: the executable's folder
// on Windows, the fixed install folder "C:\Programmi\Torvi" of the mapped drive elsewhere.
std::string applicationDirectory();

// The address under which the engine opens a local file given by its Windows path: the path
// itself on Windows, a file: URL of the mapped file elsewhere.
std::string localPageAddress(std::string_view windowsPath);

// Creates, when missing, the folders a Windows system has and the program writes into:
// WINDOWS, Programmi\Torvi and the user's temporary folder. Never deletes anything.
Status prepareMappedDrive(const std::string &userName);

} // namespace torvi
