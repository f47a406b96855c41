#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <string>

class QLocalServer;
class QLocalSocket;

// A second start of the program finds the running copy through a local
// socket named after the user and the program folder, asks it to come to
// the front, and ends; the running copy listens for that.

// The socket's name for this user and `programFolder`.
QString SecondStartChannel(const std::string& programFolder);

// From the second copy: true when the running copy received the request.
bool AskFirstCopyToRaise(const QString& channel);

// In the running copy: calls `raise` for each request on `channel`.
class RaiseOnSecondStart final : public QObject {
    Q_OBJECT
  public:
    RaiseOnSecondStart(const QString& channel, std::function<void()> raise);
    bool Listening() const;

  private:
    void TakeConnection();
    void ReadRequest(QLocalSocket& socket);

    QLocalServer* server_;
    std::function<void()> raise_;
};
