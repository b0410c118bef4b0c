// Torvi: the secondary window's fixed texts, exactly as the user sees them.
#pragma once

#include <string_view>

namespace torvi {

inline constexpr std::string_view SecTipIndietro = "Vai Indietro";
inline constexpr std::string_view SecTipAvanti = "Vai Avanti";
inline constexpr std::string_view SecTipRefresh = "Aggiorna la pagina";
inline constexpr std::string_view SecTipCerca = "Cerca con google";
inline constexpr std::string_view SecTipHome = "Vai alla Home";
inline constexpr std::string_view SecTipInfo = "Informazioni";
inline constexpr std::string_view SecTipNuovaFinestra = "Nuova Finestra";
inline constexpr std::string_view AddressLabel = "Indirizzo da visitare:";

inline constexpr std::string_view PopupQuestion = "Popup Richiesto Aprirlo ?";
inline constexpr std::string_view NewWindowFailed = "Impossibile Creare una nuova finestra";

} // namespace torvi
