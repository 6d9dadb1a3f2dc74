#pragma once

// Tests reach a window's controls as a pupil meets them: by name.

#include <QObject>
#include <QtTest>
#include <QtWidgets>

#include "common/widgets/PictureBox.h"

template <typename T>
T *control(const QObject &window, const char *name)
{
    T *found = window.findChild<T *>(QLatin1String(name));
    if (!found)
        qFatal("no control named %s", name);
    return found;
}
