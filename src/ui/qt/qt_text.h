// Torvi: the one conversion from the core's UTF-8 texts to Qt's strings.
#pragma once

#include <QString>
#include <string_view>

namespace torvi {

inline QString qs(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace torvi
