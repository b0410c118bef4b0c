// Torvi: the Italian texts of the tools, spelled once.
#pragma once

#include <string_view>

namespace torvi {

inline constexpr std::string_view Command4Caption =
    "&Cancella e Pulisci anche Internet Explorer (COOKIE e File Temporanei)";
inline constexpr std::string_view DeletedCountPrefix = "Elementi Eliminati: ";
inline constexpr std::string_view RemainingCountPrefix = "Elementi Rimasti: ";
inline constexpr std::string_view CleanerDoneMessage = "Fatto";

} // namespace torvi
