#pragma once

#include <QLocalServer>
#include <QObject>

// One model window per user and graphical session: the first instance
// listens on a local socket in the user's private folder; a later one asks
// it to come to the front and ends.
class SingleInstance : public QObject {
    Q_OBJECT

public:
    explicit SingleInstance(QString name, QObject *parent = nullptr);

    // False when another instance answered. True otherwise, listening when
    // it can; when it cannot, the model still runs and says so on stderr.
    bool claim();

    // The socket's path, keyed by the display or the Wayland display; empty
    // when the user has no private folder.
    static QString defaultName();

signals:
    void raiseRequested();

private:
    bool askRunningInstance();
    void answer();

    QString m_name;
    QLocalServer m_server;
};

class QWidget;

// Restores a minimised window and brings it in front of the others.
void bringToFront(QWidget &window);
