#include "common/widgets/SharpPicture.h"

#include "common/core/ScreenScale.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QImageReader>

namespace {

QString finePath(const QString &path)
{
    const QFileInfo plain(path);
    return plain.path() + QLatin1Char('/') + plain.completeBaseName() + QStringLiteral("@2x.") + plain.suffix();
}

// Read straight at the size it shows at: neither the picture at its own
// size nor a scaled copy of it stays in memory, which on a large screen
// would take tens of megabytes.
QPixmap zoomedPicture(const QString &path, qreal fineness, qreal device)
{
    QImageReader reader(path);
    if (!reader.canRead())
        return {};
    reader.setScaledSize((QSizeF(reader.size()) / fineness * device * zoom()).toSize());
    QImage image = reader.read();
    image.setDevicePixelRatio(device);
    return QPixmap::fromImage(std::move(image));
}

} // namespace

QPixmap sharpPicture(const QString &path)
{
    const qreal device = qApp->devicePixelRatio();
    const qreal factor = device * zoom();
    // Scaled down, the fine picture is sharper than the plain one scaled up.
    const bool fine = device > 1 || factor > 1.5;
    if (zoom() != 1) {
        const QPixmap picture = fine ? zoomedPicture(finePath(path), 2, device) : QPixmap();
        return picture.isNull() ? zoomedPicture(path, 1, device) : picture;
    }
    // Qt reads the ratio from the "@2x" in the name.
    const QPixmap picture = fine ? QPixmap(finePath(path)) : QPixmap();
    return picture.isNull() ? QPixmap(path) : picture;
}
