#include "model/documents/HelperGroup.h"

#include <windows.h>

// Windows has no process groups to signal: the helper alone is ended, and
// what it started is its own to end.
void startInOwnGroup(QProcess &)
{
}

void stopGroup(qint64 group)
{
    if (HANDLE helper = ::OpenProcess(PROCESS_TERMINATE, FALSE, static_cast<DWORD>(group))) {
        ::TerminateProcess(helper, 1);
        ::CloseHandle(helper);
    }
}

void endLeftovers(qint64)
{
}
