#pragma once

#include <QPixmap>
#include <QString>

// The picture at the given path, at its own size times the program's zoom.
// Where that takes more than one and a half device pixels per pixel, or the
// screen has more than one, its twice-as-fine "name@2x" version beside it
// serves, so that it shows sharp.
QPixmap sharpPicture(const QString &path);
