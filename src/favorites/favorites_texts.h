// Torvi: the favorites panel's fixed texts, exactly as the user sees them.
#pragma once

#include <string_view>

namespace torvi {

inline constexpr std::string_view FavoritesCaption = "Preferiti";
inline constexpr std::string_view FavoritesClose = "&Chiudi Preferiti";
inline constexpr std::string_view FavoritesNameLabel = "NOME:";
inline constexpr std::string_view FavoritesAddressLabel = "INDIRIZZO:";
inline constexpr std::string_view FavoritesAdd = "&Aggiungi";
inline constexpr std::string_view FavoritesChange = "&Modifica";
inline constexpr std::string_view FavoritesDelete = "Elimina";

// The file is named in its Windows form, as the user knows it.
inline constexpr std::string_view FavoritesNotSaved =
    "Impossibile salvare i preferiti nel file C:\\WINDOWS\\preferiti.txt.\n"
    "Il file conserva l'elenco precedente; la modifica resta nell'elenco fino alla "
    "prossima apertura del pannello.";
inline constexpr std::string_view FavoritesNotRead =
    "Impossibile leggere il file dei preferiti C:\\WINDOWS\\preferiti.txt.\n"
    "Per non sovrascriverlo, aggiunte, modifiche ed eliminazioni sono disattivate.";

} // namespace torvi
