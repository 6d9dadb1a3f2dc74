#pragma once

// Tests reach a window's controls as a pupil meets them: by name.

#include <QObject>
#include <QtTest>
#include <QAccessible>
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

// What a screen reader is told about the object.
inline QAccessibleInterface *accessible(QObject *object)
{
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(object);
    if (!iface)
        qFatal("no accessible interface for %s", qPrintable(object->objectName()));
    return iface;
}
