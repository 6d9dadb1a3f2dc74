#pragma once

#include <QWidget>

// Tells a screen reader something without moving the focus: a notification
// that is shown anew for each message, which screen readers speak at once.
// It draws nothing and takes no input, so sighted pupils never meet it.
class Announcer : public QWidget {
    Q_OBJECT

public:
    explicit Announcer(QWidget *parent);

    void announce(const QString &message);
};
