// Torvi fuzz target: the history lines reader, on any bytes a cronologia.txt may hold.
#include "fuzz_check.h"
#include "history/history_file.h"
#include "nav/text_file.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

using namespace torvi;
using torvi::fuzz::hasLineEnd;
using torvi::fuzz::require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view content{reinterpret_cast<const char *>(data), size};
    const auto lines = parseHistory(content);

    std::size_t filled = 0;
    for (const auto &raw : splitLines(content))
        filled += raw.empty() ? 0 : 1;
    require(lines.size() == filled, "one history line per non-empty line of the file");

    for (const auto &line : lines) {
        for (const std::string *field : {&line.address, &line.dateTime, &line.title}) {
            require(!hasLineEnd(*field), "a field holds no line end");
            require(field->find(HistoryFieldSeparator) == std::string::npos,
                    "a field holds no separator");
        }
    }

    // What the panel shows, appended again and read back, shows the same (dates trimmed, as
    // every append trims them). A field ending in '|' before another field cannot come back:
    // its last '|' joins the separator, a limit of the file format, not of the reader.
    for (const auto &line : lines) {
        const auto date = trimBlanks(line.dateTime);
        if (line.address.ends_with('|') || date.ends_with('|'))
            continue;
        const auto again = parseHistory(historyRecord(line.address, line.dateTime, line.title));
        require(again.size() == 1, "one record reads back as one line");
        require(again[0].address == line.address, "an append keeps the address");
        require(again[0].dateTime == date, "an append keeps the date");
        require(again[0].title == line.title, "an append keeps the title");
    }
    return 0;
}
