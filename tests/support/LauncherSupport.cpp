#include "tests/support/LauncherSupport.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>

PrivateRuntime::PrivateRuntime()
    : m_old(qgetenv("XDG_RUNTIME_DIR"))
{
    qputenv("XDG_RUNTIME_DIR", m_dir.path().toLocal8Bit());
}

PrivateRuntime::~PrivateRuntime()
{
    qputenv("XDG_RUNTIME_DIR", m_old);
}

WorkingFolder::WorkingFolder()
    : m_old(QDir::currentPath())
{
    QDir::setCurrent(m_dir.path());
}

WorkingFolder::~WorkingFolder()
{
    QDir::setCurrent(m_old);
}

QString WorkingFolder::makeModels() const
{
    QDir(m_dir.path()).mkdir(QStringLiteral("Arxius_models"));
    return m_dir.filePath(QStringLiteral("Arxius_models"));
}

MessageWatcher::MessageWatcher()
{
    m_poll.setInterval(5);
    connect(&m_poll, &QTimer::timeout, this, &MessageWatcher::answer);
    m_poll.start();
}

void MessageWatcher::answer()
{
    auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
    if (!box)
        return;
    texts << box->text();
    box->accept();
}

void movePointerOver(QWidget *widget)
{
    const QPointF at = QRectF(widget->rect()).center();
    QMouseEvent move(QEvent::MouseMove, at, widget->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
}

void clearApplicationPointer()
{
    while (QApplication::overrideCursor())
        QApplication::restoreOverrideCursor();
}
