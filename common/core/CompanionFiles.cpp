#include "common/core/CompanionFiles.h"

QString companionFile(const QString &name)
{
    return QStringLiteral("Arxius_models/") + name;
}

QString scaledPicture(const QString &name, float escala)
{
    const QString variant = escala < 1 ? QStringLiteral("800") : escala > 1 ? QStringLiteral("1152") : QString();
    return companionFile(name + variant + QStringLiteral(".jpg"));
}

QString modelProgramPath()
{
#ifdef Q_OS_WIN
    return companionFile(QStringLiteral("Concentracio.exe"));
#else
    return companionFile(QStringLiteral("Concentracio"));
#endif
}

const QStringList &pupilFiles()
{
    static const QStringList names = {
        QStringLiteral("Dades.txt"),
        QStringLiteral("InformExemConcentra.doc"),
        QStringLiteral("InformFitxa.doc"),
    };
    return names;
}
