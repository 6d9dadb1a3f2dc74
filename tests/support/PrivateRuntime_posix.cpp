#include "tests/support/LauncherSupport.h"

PrivateRuntime::PrivateRuntime()
    : m_old(qgetenv("XDG_RUNTIME_DIR"))
{
    qputenv("XDG_RUNTIME_DIR", m_dir.path().toLocal8Bit());
}

PrivateRuntime::~PrivateRuntime()
{
    qputenv("XDG_RUNTIME_DIR", m_old);
}

QString PrivateRuntime::path() const
{
    return m_dir.path();
}
