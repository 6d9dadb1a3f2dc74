#pragma once

#include "common/core/CompanionFiles.h"

#include <QString>
#include <functional>

// Starts a program without waiting for it; on failure returns false and puts
// a description of the fault in the text.
using ProgramStarter = std::function<bool(const QString &program, QString &error)>;

// Starts the program detached, with no arguments, in the current directory.
bool startDetachedProgram(const QString &program, QString &error);
