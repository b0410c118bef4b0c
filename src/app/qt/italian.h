// Torvi: Italian throughout, whatever the system's locale: Qt's own texts (message box
// buttons, file dialogs), the engine's menus and error pages, and dates.
#pragma once

class QCoreApplication;

namespace torvi {

// Sets the program's default locale to Italian and installs Qt's Italian translations.
// Call before any window or engine exists: the engine takes its language when it starts.
// Answers whether Qt's translations were found.
bool useItalian(QCoreApplication &app);

} // namespace torvi
