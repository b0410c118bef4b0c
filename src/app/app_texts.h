// Torvi: the main window's fixed texts, exactly as the user sees them.
#pragma once

#include <array>
#include <string_view>

namespace torvi {

inline constexpr std::string_view MainCaption = "Torvi - Personal Secure Browser";

// What choosing an item of the command list does.
enum class MenuCommand
{
    None, // a heading or a separator: the list only closes
    EndProgram,
    Update,
    DefaultBrowser,
    ShowFavorites,
    ShowPageSource,
    ShowHistory,
    PageView,
    SiteInformationView,
    ToolsView,
    ShowAbout,
};

struct MenuItem
{
    std::string_view text;
    MenuCommand command;
};

// The command list, in its designed order: headings and separators included.
inline constexpr std::array<MenuItem, 15> MenuItems = {{
    {"_______| Settaggi |________", MenuCommand::None},
    {"Esci", MenuCommand::EndProgram},
    {"Aggiornamenti", MenuCommand::Update},
    {"Browser Predefinito", MenuCommand::DefaultBrowser},
    {"________________________", MenuCommand::None},
    {"_______| Strumenti |_______", MenuCommand::None},
    {"Visualizza Preferiti", MenuCommand::ShowFavorites},
    {"Visualizza Sorgente", MenuCommand::ShowPageSource},
    {"Visualizza Cronologia", MenuCommand::ShowHistory},
    {"________________________", MenuCommand::None},
    {"Visualizza Browser", MenuCommand::PageView},
    {"Visualizza Informazioni sul sito", MenuCommand::SiteInformationView},
    {"Visualizza Strumenti", MenuCommand::ToolsView},
    {"________________________", MenuCommand::None},
    {"Informazioni sul software", MenuCommand::ShowAbout},
}};

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

inline constexpr std::string_view StatusPanelFavorites = "Preferiti";

} // namespace torvi
