#include "model/documents/HelperGroup.h"

#include <QProcess>
#include <QTimer>

#include <signal.h>
#include <unistd.h>

namespace {

constexpr int GraceMilliseconds = 2000;

// The group keeps its leader's id while any member lives, and the id is not
// given to a new process meanwhile: signalling it never hits a stranger.
void signalGroup(qint64 group, int signal)
{
    if (group > 0)
        ::kill(-static_cast<pid_t>(group), signal);
}

} // namespace

void startInOwnGroup(QProcess &process)
{
    process.setChildProcessModifier([] { ::setpgid(0, 0); });
}

void stopGroup(qint64 group)
{
    signalGroup(group, SIGTERM);
    QTimer::singleShot(GraceMilliseconds, [group] { signalGroup(group, SIGKILL); });
}

void endLeftovers(qint64 group)
{
    signalGroup(group, SIGKILL);
}
