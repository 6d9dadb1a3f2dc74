#pragma once

#include <QLocalServer>
#include <QObject>

// One model window per user: the first instance listens on a per-user local
// socket; a later one asks it to come to the front and ends.
class SingleInstance : public QObject {
    Q_OBJECT

public:
    explicit SingleInstance(QString name, QObject *parent = nullptr);

    // True when no other instance answered; this one then listens.
    bool claim();

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
