#pragma once

class QString;
class QWidget;

// The programs' only way of reporting a failure: the text, an OK button and
// no icon.
void showMessage(QWidget *parent, const QString &text);
