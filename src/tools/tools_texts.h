// Torvi: the Italian texts of the tools, spelled once.
#pragma once

#include <string_view>

namespace torvi {

// Says what the button does: it deletes the user's temporary files and nothing else.
inline constexpr std::string_view Command4Caption = "&Cancella e Pulisci i File Temporanei";
inline constexpr std::string_view DeletedCountPrefix = "Elementi Eliminati: ";
inline constexpr std::string_view RemainingCountPrefix = "Elementi Rimasti: ";
inline constexpr std::string_view CleanerDoneMessage = "Fatto";

} // namespace torvi
