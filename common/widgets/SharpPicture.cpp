#include "common/widgets/SharpPicture.h"

#include "common/core/ScreenScale.h"

#include <QFileInfo>
#include <QGuiApplication>

namespace {

QPixmap finePicture(const QString &path)
{
    const QFileInfo plain(path);
    // Qt reads the ratio from the "@2x" in the name.
    return QPixmap(plain.path() + QLatin1Char('/') + plain.completeBaseName() + QStringLiteral("@2x.")
                   + plain.suffix());
}

} // namespace

QPixmap sharpPicture(const QString &path)
{
    const qreal device = qApp->devicePixelRatio();
    const qreal factor = device * zoom();
    QPixmap picture;
    // Scaled down, the fine picture is sharper than the plain one scaled up.
    if (device > 1 || factor > 1.5)
        picture = finePicture(path);
    if (picture.isNull())
        picture = QPixmap(path);
    if (zoom() == 1 || picture.isNull())
        return picture;
    const QSize onScreen = (picture.deviceIndependentSize() * factor).toSize();
    QPixmap zoomed = picture.scaled(onScreen, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    zoomed.setDevicePixelRatio(device);
    return zoomed;
}
