#include "SecondStart.h"

#include <QCryptographicHash>
#include <QLocalServer>
#include <QLocalSocket>

namespace {

constexpr QByteArrayView kRaise = "raise\n";
// The second copy ends without a sign either way: it never waits long.
constexpr int kWaitMs = 2000;

} // namespace

QString SecondStartChannel(const std::string& programFolder) {
    QString user = qEnvironmentVariable("USER");
    if (user.isEmpty())
        user = qEnvironmentVariable("USERNAME");
    const QByteArray folder = QCryptographicHash::hash(QByteArray::fromStdString(programFolder),
                                                       QCryptographicHash::Sha256)
                                  .toHex()
                                  .left(24);
    // Only letters, digits and dashes: the name becomes a file name on Linux
    // and a pipe name on Windows.
    QString safeUser;
    for (const QChar c : user)
        safeUser += c.isLetterOrNumber() && c.unicode() < 128 ? c : QChar('_');
    return QStringLiteral("OrvanePatchLayouts-%1-%2").arg(safeUser, QString::fromLatin1(folder));
}

bool AskFirstCopyToRaise(const QString& channel) {
    QLocalSocket socket;
    socket.connectToServer(channel);
    if (!socket.waitForConnected(kWaitMs))
        return false;
    socket.write(kRaise.data(), kRaise.size());
    const bool sent = socket.waitForBytesWritten(kWaitMs);
    socket.disconnectFromServer();
    return sent;
}

RaiseOnSecondStart::RaiseOnSecondStart(const QString& channel, std::function<void()> raise)
    : server_(new QLocalServer(this)), raise_(std::move(raise)) {
    // Only this user's copies may ask.
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    // This copy holds the single-instance lock: a socket left by a copy
    // that crashed is stale.
    QLocalServer::removeServer(channel);
    server_->listen(channel);
    connect(server_, &QLocalServer::newConnection, this, &RaiseOnSecondStart::TakeConnection);
}

bool RaiseOnSecondStart::Listening() const {
    return server_->isListening();
}

void RaiseOnSecondStart::TakeConnection() {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { ReadRequest(*socket); });
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        ReadRequest(*socket);
    }
}

// Anything but the one request is ignored, however it arrives.
void RaiseOnSecondStart::ReadRequest(QLocalSocket& socket) {
    if (socket.bytesAvailable() > 64)
        return socket.abort();
    if (!socket.canReadLine())
        return;
    if (socket.readLine() == kRaise.toByteArray())
        raise_();
    socket.disconnectFromServer();
}
