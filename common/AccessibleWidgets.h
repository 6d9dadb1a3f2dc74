#pragma once

#include <QString>

class QCheckBox;
class QWidget;

// How assistive technology sees the suite's own kinds of widget. The
// interfaces are made when a widget is first asked for, so mark a widget
// before its window is shown.

// A check box that only the program sets: its three states can be read, but
// it offers nothing to press or toggle.
void markAsIndicator(QCheckBox *box);

// A picture box (the beaker, the particle box): an image, with the name and
// description its window gives it.
void installPictureBoxInterface();

// The text a control shows, without its "&" accelerator marks and the blanks
// around it.
QString spokenText(const QString &caption);
