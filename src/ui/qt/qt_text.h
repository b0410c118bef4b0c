// Torvi: the one conversion from the core's UTF-8 texts to Qt's strings.
#pragma once

#include <QString>
#include <cstddef>
#include <string_view>

namespace torvi {

inline QString qs(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Bytes of a field that a list shows; far more than any column holds.
inline constexpr std::size_t ListTextLimit = 512;

// A field as a list shows it: a longer one (a file may hold a 50 MB address) is cut to its
// start and an ellipsis, so no row lays out or paints megabytes of text. The cut never falls
// inside a character.
inline QString listText(std::string_view text)
{
    if (text.size() <= ListTextLimit)
        return qs(text);
    std::size_t cut = ListTextLimit;
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80)
        --cut;
    return qs(text.substr(0, cut)) + QChar(0x2026);
}

} // namespace torvi
