#pragma once

#include <QAccessible>
#include <QString>

class QCheckBox;
class QObject;
class QWidget;

// How assistive technology sees the suite's own kinds of widget. With a
// screen reader on, Qt makes a widget's interface as soon as the widget
// changes, so these calls drop whatever interface was made before them.

// A check box that only the program sets: its three states can be read, but
// it offers nothing to press or toggle.
void markAsIndicator(QCheckBox *box);

// The role a screen reader announces for a plain widget: a picture box is an
// image, a shape drawn for looks a separator, a bare window a window.
void giveRole(QWidget *widget, QAccessible::Role role);

// Drops the object's interface, made by whichever factory came first; the
// next question makes it anew. Only for objects not yet shown.
void forgetInterface(QObject *object);

// The text a control shows, without its "&" accelerator marks and the blanks
// around it.
QString spokenText(const QString &caption);

// The widget's accessible name, or else its caption as spoken. Qt's own
// fallback would be the title of the frame around it.
QString captionName(const QWidget *widget, const QString &caption);
