// Torvi: the threat keywords and the texts the check shows, exactly as designed.
#pragma once

#include <array>
#include <string_view>

namespace torvi {

// The keyword table in slot order. Slot 3 keeps its capital Z and slot 5 its meaningless
// string: they are shown as stored, and slot order is the order of a check's lines.
inline constexpr std::array<std::string_view, 21> DangerWordTable = {
    "sex",     "hacking", "serial",   "hackZ", "cracking", "dhjfhdkjhdsjfhjkshdfkj",
    "exploit", "crack",   "fuck",     "pussy", "oral",     "anal",
    "tits",    "worm",    "pedofily", "died",  "hardsex",  "damage",
    "sniffer", "suck",    "fucking",
};

// The status-bar verdicts: a keyword was found, or the page is clean.
inline constexpr std::string_view VerdictDanger = "Dati Sensibili";
inline constexpr std::string_view VerdictClean = "Certificato";

// Joins the address, the match number and the keyword in a line of listDanger.
inline constexpr std::string_view DangerLineSeparator = " - ";
inline constexpr std::string_view DangerLineThreat = " - Minaccia : ";

} // namespace torvi
