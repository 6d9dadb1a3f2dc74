#pragma once

#include <QString>
#include <QStringList>

// The folder both programs share, relative to the launcher's working
// directory, and the files in it.
QString companionFile(const QString &name);

// A picture made in three sizes: "<name>.jpg" for 1024-pixel screens,
// "<name>800.jpg" and "<name>1152.jpg" for the smaller and larger ones.
QString scaledPicture(const QString &name, float escala);

// The concentration model's program.
QString modelProgramPath();

// The shipped files a pupil writes in: the notes file and the two report forms.
const QStringList &pupilFiles();
