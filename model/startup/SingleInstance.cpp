#include "model/startup/SingleInstance.h"

#include "common/core/PrivateFolder.h"

#include <QLocalSocket>
#include <QRegularExpression>
#include <QWidget>
#include <cstdio>

namespace {
constexpr int AnswerTimeoutMs = 1000;
const QByteArray RaiseRequest = "raise\n";
} // namespace

SingleInstance::SingleInstance(QString name, QObject *parent)
    : QObject(parent)
    , m_name(std::move(name))
{
    m_server.setSocketOptions(QLocalServer::UserAccessOption);
    connect(&m_server, &QLocalServer::newConnection, this, &SingleInstance::answer);
}

// Pupils sharing one account on several thin clients each have a display of
// their own, so each gets a model of their own.
QString SingleInstance::defaultName()
{
    const QString folder = privateFolder();
    if (folder.isEmpty())
        return {};
    const QString session = qEnvironmentVariable("WAYLAND_DISPLAY") + QLatin1Char('-') + qEnvironmentVariable("DISPLAY");
    static const QRegularExpression unsafe(QStringLiteral("[^A-Za-z0-9._-]"));
    return folder + QStringLiteral("/Concentracio-") + QString(session).replace(unsafe, QStringLiteral("_"));
}

bool SingleInstance::askRunningInstance()
{
    QLocalSocket socket;
    socket.connectToServer(m_name);
    if (!socket.waitForConnected(AnswerTimeoutMs))
        return false;
    socket.write(RaiseRequest);
    socket.waitForBytesWritten(AnswerTimeoutMs);
    socket.disconnectFromServer();
    return true;
}

// Whatever holds the name and does not answer (a socket left by a crash, a
// plain file) is replaced; asking again first keeps a model that has just
// started listening from losing its socket.
bool SingleInstance::claim()
{
    if (!m_name.isEmpty()) {
        if (askRunningInstance())
            return false;
        if (m_server.listen(m_name))
            return true;
        if (askRunningInstance())
            return false;
        QLocalServer::removeServer(m_name);
        if (m_server.listen(m_name))
            return true;
    }
    std::fprintf(stderr, "Concentracio: no es pot evitar una segona finestra del model (%s): %s\n",
                 qPrintable(m_name), qPrintable(m_server.errorString()));
    return true;
}

void SingleInstance::answer()
{
    while (QLocalSocket *socket = m_server.nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (socket->readAll().contains("raise"))
                emit raiseRequested();
        });
    }
}

void bringToFront(QWidget &window)
{
    if (window.isMinimized())
        window.setWindowState(window.windowState() & ~Qt::WindowMinimized);
    window.show();
    window.raise();
    window.activateWindow();
}
