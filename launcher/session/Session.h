#pragma once

#include <QString>
#include <functional>

// Starts a program without waiting for it; on failure returns false and puts
// a description of the fault in the text.
using ProgramStarter = std::function<bool(const QString &program, QString &error)>;

// Starts the program detached, with no arguments, in the current directory.
bool startDetachedProgram(const QString &program, QString &error);

// What the launcher does for the pupil besides showing itself: it starts the
// concentration model, and it leaves the suite once, taking the calibration
// file away so that the next start measures this computer again.
class Session {
public:
    explicit Session(ProgramStarter starter = startDetachedProgram);

    void setModelStarter(ProgramStarter starter);

    // False, with the fault described, when the model could not start.
    bool startModel(QString &fault);
    // False when the suite was already left. A calibration file that stays
    // is described in `fault`.
    bool leave(QString &fault);
    bool hasLeft() const { return m_left; }

private:
    ProgramStarter m_starter;
    bool m_left = false;
};
