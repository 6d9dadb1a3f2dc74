#pragma once

#include <QString>
#include <functional>

// Starts a program without waiting for it; on failure returns false and puts
// a description of the fault in the text.
using ProgramStarter = std::function<bool(const QString &program, QString &error)>;

// The concentration model, relative to the launcher's working directory.
QString modelProgramPath();

// Starts the program detached, with no arguments, in the current directory.
bool startDetachedProgram(const QString &program, QString &error);
