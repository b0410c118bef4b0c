// Torvi: the file-system service: existence tests and deletions by the program's paths.
#pragma once

#include "nav/status.h"

#include <string>

namespace torvi {

enum class Force
{
    No,
    Yes
};

// Takes the program's Windows paths and maps them (see windows_path.h). One instance
// serves the whole program; a test may stand in its own.
class FileSystem
{
public:
    virtual ~FileSystem() = default;

    // True when a file (not a folder) of that path exists; false, without error, when the
    // path or any folder on it is missing.
    virtual bool FileExists(const std::string &path) const;

    // Deletes one file. Without force a read-only file is refused, even for a user whom
    // the system would let delete it: "read-only" is the file's own attribute (no write
    // bit in its mode), never an access test. A symbolic link is removed as a link.
    virtual Status DeleteFile(const std::string &path, Force force);
};

// Whether the file's own attribute marks it read-only.
bool isReadOnlyFile(const std::string &path);

} // namespace torvi
