#include "common/core/PupilCopy.h"

#include <QStandardPaths>

QString pupilFolder()
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return documents.isEmpty() ? QString() : documents + QStringLiteral("/Kinetra");
}
