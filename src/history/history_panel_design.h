// Torvi: the history panel's texts and its controls' designed places, in twips inside the panel.
#pragma once

#include "ui/twips.h"

#include <array>
#include <string_view>

namespace torvi {

inline constexpr std::string_view HistoryPanelCaption = "Cronologia";

// The favorites panel's close button carries the same caption: either one closes both panels.
inline constexpr std::string_view ClosePanelsCaption = "&Chiudi Preferiti";
inline constexpr std::string_view DeleteHistoryCaption = "&Elimina Cronologia";
inline constexpr std::array<std::string_view, 3> HistoryColumns = {"URL", "Data e Ora", "Titolo"};

// Accessible names of the lists: what they show.
inline constexpr std::string_view HistoryListName = "Pagine visitate";
inline constexpr std::string_view TempFilesListName = "File temporanei";

namespace HistoryDesign {
inline constexpr TwipRect Frame2{2640, 1200, 7095, 11655}; // in the main window
inline constexpr TwipRect Command5{360, 720, 6495, 495};
inline constexpr TwipRect ListView2{240, 1440, 6615, 5655};
inline constexpr TwipRect cmdEliminaCronologia{240, 7200, 6615, 495};
inline constexpr TwipRect Command4{240, 7920, 6615, 495};
inline constexpr TwipRect File1{240, 8520, 3375, 2430};
inline constexpr TwipRect lblElementiEliminati{3720, 8520, 3135, 255};
inline constexpr TwipRect lblElementiRimasti{3600, 9000, 3255, 255};
} // namespace HistoryDesign

} // namespace torvi
