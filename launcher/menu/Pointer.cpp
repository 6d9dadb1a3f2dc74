#include "launcher/menu/Pointer.h"

#include <QApplication>
#include <QCursor>
#include <QPixmap>

QCursor subtitlePointer()
{
    const QPixmap image(QStringLiteral(":/launcher/punter.png"));
    if (image.isNull())
        return QCursor(Qt::PointingHandCursor);
    constexpr int TipOfArrow = 1;
    return QCursor(image, TipOfArrow, TipOfArrow);
}

void setApplicationPointer(const QCursor *pointer)
{
    while (QApplication::overrideCursor())
        QApplication::restoreOverrideCursor();
    if (pointer)
        QApplication::setOverrideCursor(*pointer);
}
