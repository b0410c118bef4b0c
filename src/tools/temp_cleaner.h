// Torvi: the temporary-file cleaner: deletes the "*.tmp" files of the user's temporary
// folder. The history panel's Command4 runs it and shows its result.
#pragma once

#include "nav/status.h"

#include <string>
#include <string_view>
#include <vector>

namespace torvi {

struct CleanResult
{
    int deleted = 0;                      // files really removed
    int remaining = 0;                    // matching files still there afterwards
    std::vector<std::string> listedAfter; // their names, in list order
};

// "C:\Documents and Settings\<user>\Impostazioni locali\Temp"; an empty name leaves two
// backslashes in a row, which the file system reads as one.
std::string tempFolderPath(const std::string &userName);

// Whether a name matches "*.tmp": it ends in ".tmp" in any case, as on Windows' case-blind
// file systems. Nothing else matches (not "x.tmpl", as Windows' short names would), and
// no name with a backslash, which on Windows would name a file in another folder.
bool matchesTmpPattern(std::string_view name);

// The user's temporary folder, opened once. Listing and deleting work on that folder itself:
// on POSIX systems through one directory handle, opened below the mapped drive without
// following a symbolic link, so a linked folder on the way counts as a missing folder and
// nothing in a link's target is ever listed or deleted.
class TempFolder
{
public:
    explicit TempFolder(const std::string &windowsPath);
    ~TempFolder();
    TempFolder(const TempFolder &) = delete;
    TempFolder &operator=(const TempFolder &) = delete;

    // The names the folder's file list shows for "*.tmp", sorted as a list box shows them
    // (letter case ignored): ordinary and read-only files, and links, which are removed as
    // links. Not folders, not hidden or system files (on POSIX systems: names starting with
    // "."), nor devices, pipes or sockets. Empty when the folder is missing.
    std::vector<std::string> listTmpFiles() const;

    // A non-forcing delete of one listed name: a read-only file is refused.
    Status deleteFile(const std::string &name);

private:
    std::string m_path;
    int m_handle = -1; // the open folder on POSIX systems
};

// Sorts names as the file list shows them: letter case ignored, then byte order.
void sortAsListed(std::vector<std::string> &names);

// One non-forcing delete per listed file, in list order, then the folder listed again.
// Deletes nothing outside the user's folder; a missing folder gives 0 and an empty list.
CleanResult runCleaner(const std::string &userName);

// "Elementi Eliminati: 5" and "Elementi Rimasti: 2".
std::string deletedLabelText(int deleted);
std::string remainingLabelText(int remaining);

} // namespace torvi
