#pragma once

#include <QPixmap>
#include <QString>

// The picture at the given path, or its twice-as-fine "name@2x" version
// beside it on a screen with more than one device pixel per pixel, so that
// scaled displays show it sharp. Either way it has the same size on screen.
QPixmap sharpPicture(const QString &path);
