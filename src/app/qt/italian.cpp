// Torvi: Italian throughout.
#include "app/qt/italian.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace torvi {

bool useItalian(QCoreApplication &app)
{
    const QLocale italian(QLocale::Italian, QLocale::Italy);
    QLocale::setDefault(italian);

    bool found = false;
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    for (const char *catalogue : {"qtbase", "qtwebengine"}) {
        auto *translator = new QTranslator(&app);
        if (translator->load(italian, catalogue, "_", folder)) {
            QCoreApplication::installTranslator(translator);
            found = true;
        } else {
            delete translator;
        }
    }
    return found;
}

} // namespace torvi
