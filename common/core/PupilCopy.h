#pragma once

#include <QString>

// Where the pupil's own copies of pupilFiles() live: Documents\Kinetra on
// Windows, where the programs run in the installation's folder, which pupils
// may not write to and every account shares. Empty on Linux, where the
// suite command has already put the copies in the folder the programs run in.
QString pupilFolder();

// The file the model opens for a shipped companion file: for one of
// pupilFiles(), the pupil's copy in the folder, made on first use and never
// overwritten; otherwise, or when no copy can be had, the shipped file.
QString pupilCopyOf(const QString &shippedPath, const QString &folder = pupilFolder());
