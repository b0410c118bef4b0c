// Torvi: the main window's fixed texts, exactly as the user sees them.
#pragma once

#include <array>
#include <string_view>

namespace torvi {

inline constexpr std::string_view MainCaption = "Torvi - Personal Secure Browser";

// The command list, in its designed order: headings and separators included.
inline constexpr std::array<std::string_view, 15> MenuItems = {
    "_______| Settaggi |________",
    "Esci",
    "Aggiornamenti",
    "Browser Predefinito",
    "________________________",
    "_______| Strumenti |_______",
    "Visualizza Preferiti",
    "Visualizza Sorgente",
    "Visualizza Cronologia",
    "________________________",
    "Visualizza Browser",
    "Visualizza Informazioni sul sito",
    "Visualizza Strumenti",
    "________________________",
    "Informazioni sul software",
};

// Tool tips of the main toolbar, which are also the buttons' accessible names.
inline constexpr std::string_view TipIndietro = "Vai indietro";
inline constexpr std::string_view TipAvanti = "Vai avanti";
inline constexpr std::string_view TipRefresh = "Aggiorna la pagina";
inline constexpr std::string_view TipHome = "Vai alla home";
inline constexpr std::string_view TipCerca = "Cerca con google";
inline constexpr std::string_view TipInfo = "Informazioni";
inline constexpr std::string_view TipNuovaFinestra = "Nuova Finestra";
inline constexpr std::string_view NameMenu = "Menu";

inline constexpr std::string_view NewWindowQuestion =
    "Richiesta nuova pagina vuoi aprirla con torvi ?";

inline constexpr std::string_view FavoritesPanelCaption = "Preferiti";
inline constexpr std::string_view HistoryPanelCaption = "Cronologia";
inline constexpr std::string_view StatusPanelFavorites = "Preferiti";

} // namespace torvi
