// Torvi: the temporary-file cleaner's run.
#include "tools/temp_cleaner.h"

#include "tools/tools_texts.h"

#include <algorithm>
#include <cctype>

namespace torvi {

namespace {

char lower(char c)
{
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

} // namespace

std::string tempFolderPath(const std::string &userName)
{
    return "C:\\Documents and Settings\\" + userName + "\\Impostazioni locali\\Temp";
}

bool matchesTmpPattern(std::string_view name)
{
    constexpr std::string_view Extension = ".tmp";
    if (name.size() < Extension.size() || name.find('\\') != std::string_view::npos)
        return false;
    const auto end = name.substr(name.size() - Extension.size());
    return std::equal(end.begin(), end.end(), Extension.begin(),
                      [](char a, char b) { return lower(a) == b; });
}

void sortAsListed(std::vector<std::string> &names)
{
    const auto folded = [](const std::string &name) {
        std::string key = name;
        std::transform(key.begin(), key.end(), key.begin(), lower);
        return key;
    };
    std::sort(names.begin(), names.end(), [&](const std::string &a, const std::string &b) {
        const auto foldedA = folded(a);
        const auto foldedB = folded(b);
        return foldedA != foldedB ? foldedA < foldedB : a < b;
    });
}

CleanResult runCleaner(const std::string &userName)
{
    TempFolder folder{tempFolderPath(userName)};
    CleanResult result;
    for (const auto &name : folder.listTmpFiles()) {
        // A file that will not go (read-only, in use, already gone) is skipped silently.
        if (folder.deleteFile(name))
            ++result.deleted;
    }
    result.listedAfter = folder.listTmpFiles();
    result.remaining = static_cast<int>(result.listedAfter.size());
    return result;
}

std::string deletedLabelText(int deleted)
{
    return std::string{DeletedCountPrefix} + std::to_string(deleted);
}

std::string remainingLabelText(int remaining)
{
    return std::string{RemainingCountPrefix} + std::to_string(remaining);
}

} // namespace torvi
