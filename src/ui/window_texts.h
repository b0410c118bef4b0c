// Torvi: the texts both browser windows show alike, exactly as the user sees them.
#pragma once

#include <string_view>

namespace torvi {

// Accessible names of the status-bar panels: their role.
inline constexpr std::string_view StatusRoleText = "Stato della pagina";
inline constexpr std::string_view StatusRoleVerdict = "Sicurezza della pagina";
inline constexpr std::string_view StatusRoleProgress = "Avanzamento";

// The go picture has no tool tip; this is its accessible name.
inline constexpr std::string_view GoPictureName = "Vai";

// A page's alert, confirmation or prompt: the caption names the page's host.
inline constexpr std::string_view PageDialogCaption = "Messaggio da ";
// The check box that appears when a page asks again and again.
inline constexpr std::string_view RefuseMoreDialogs =
    "Blocca le altre finestre di dialogo di questa pagina";
inline constexpr std::string_view RefuseMoreNewWindows =
    "Rifiuta le altre richieste di questa pagina";

// The find bar.
inline constexpr std::string_view FindBarName = "Cerca nella pagina";
inline constexpr std::string_view FindPreviousTip = "Precedente (Maiusc+F3)";
inline constexpr std::string_view FindNextTip = "Successivo (F3)";
inline constexpr std::string_view FindCloseTip = "Chiudi (Esc)";

// The downloads' lines.
inline constexpr std::string_view DownloadsName = "Download";
inline constexpr std::string_view DownloadOpen = "Apri";
inline constexpr std::string_view DownloadOpenFolder = "Apri cartella";
inline constexpr std::string_view DownloadDismiss = "Chiudi";

} // namespace torvi
