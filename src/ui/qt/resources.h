// Torvi: the pictures compiled into the program.
#pragma once

#include <QString>

namespace torvi {

// Makes the compiled-in pictures available; safe to call more than once.
void initTorviResources();

namespace Icons {
inline const QString Back = QStringLiteral(":/icons/back.svg");
inline const QString Forward = QStringLiteral(":/icons/forward.svg");
inline const QString Refresh = QStringLiteral(":/icons/refresh.svg");
inline const QString Home = QStringLiteral(":/icons/home.svg");
inline const QString Search = QStringLiteral(":/icons/search.svg");
inline const QString Info = QStringLiteral(":/icons/info.svg");
inline const QString NewWindow = QStringLiteral(":/icons/new-window.svg");
inline const QString Go = QStringLiteral(":/icons/go.svg");
inline const QString Menu = QStringLiteral(":/icons/menu.svg");
inline const QString Logo = QStringLiteral(":/icons/logo.svg");
} // namespace Icons

} // namespace torvi
