#pragma once

#include <QtGlobal>

class QProcess;

// A helper runs in a process group of its own, named by the helper's id, so
// that whatever it started and left attached ends with it. These are the
// only platform-bound steps of running a helper.
void startInOwnGroup(QProcess &process);
// Asks the group to end, and ends it for good a moment later.
void stopGroup(qint64 group);
// Ends what is left of the group once its helper has ended.
void endLeftovers(qint64 group);
