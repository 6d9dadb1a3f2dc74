#pragma once

#include <QByteArray>
#include <QDir>
#include <QMessageBox>
#include <QStringList>
#include <QTemporaryDir>
#include <QTimer>

class QWidget;


// A runtime folder of the test's own, so the calibration file of one test
// never meets another's. Windows has no such redirection: there the user's
// own folder is emptied of the calibration file before and after, and the
// tests that use it run one at a time.
class PrivateRuntime {
public:
    PrivateRuntime();
    ~PrivateRuntime();
    QString path() const;

private:
    QTemporaryDir m_dir;
    QByteArray m_old;
};

// Runs the test from an empty folder, where "Arxius_models" is whatever the
// test puts there.
class WorkingFolder {
public:
    WorkingFolder();
    ~WorkingFolder();
    QString path() const { return m_dir.path(); }
    QString makeModels() const;

private:
    QTemporaryDir m_dir;
    QString m_old;
};

// Answers every message box that opens while it lives, keeping the texts.
class MessageWatcher : public QObject {
public:
    MessageWatcher();
    QStringList texts;

private:
    void answer();
    QTimer m_poll;
};

// Sends a pointer movement without buttons to the widget's centre.
void movePointerOver(QWidget *widget);

void clearApplicationPointer();

// The lowest contrast (1 to 21) of a shown caption, in its own text colour,
// against the median of what is painted under it; `which` names its owner.
double worstCaptionContrast(QWidget &window, QString &which);
