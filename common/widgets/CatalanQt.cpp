#include "common/widgets/CatalanQt.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

void loadCatalanQt(QCoreApplication &app)
{
    auto *translator = new QTranslator(&app);
    if (translator->load(QStringLiteral("qtbase_ca"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(translator);
    else
        delete translator;
}
