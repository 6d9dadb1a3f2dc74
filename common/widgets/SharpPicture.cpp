#include "common/widgets/SharpPicture.h"

#include <QFileInfo>
#include <QGuiApplication>

QPixmap sharpPicture(const QString &path)
{
    if (qApp->devicePixelRatio() > 1) {
        const QFileInfo plain(path);
        const QString fine = plain.path() + QLatin1Char('/') + plain.completeBaseName() + QStringLiteral("@2x.")
                             + plain.suffix();
        // Qt reads the ratio from the "@2x" in the name.
        QPixmap picture(fine);
        if (!picture.isNull())
            return picture;
    }
    return QPixmap(path);
}
