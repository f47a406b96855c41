#pragma once

#include "support/Loopback.h"

#include <memory>
#include <string>

// An HTTP server inside the test process, on a free port of 127.0.0.1,
// serving every kind of answer a download meets:
//   .../loadscr.zip  the archive         /slow.zip     the archive in slow pieces
//   /chunked.zip     slow, no length     /missing.zip  404
//   /broken.zip      500                 /page.zip     an HTML page, status 200
//   /short.zip       cut short against its Content-Length
//   /stall.zip       half the archive, then silence until the server stops
//   /silent.zip      no answer until the server stops
//   /late.zip        the archive after a second of silence
//   /loop.zip        redirects to itself /moved.zip    redirects to /loadscr.zip
//   /to_file.zip     redirects to `fileUrl`
// Proxy variables are cleared so no request leaves the machine.
class LocalHttpServer {
  public:
    LocalHttpServer(std::string archive, std::string fileUrl);
    ~LocalHttpServer();
    LocalHttpServer(const LocalHttpServer&) = delete;
    LocalHttpServer& operator=(const LocalHttpServer&) = delete;

    // "127.0.0.1:PORT".
    std::string HostAndPort() const;
    // "http://127.0.0.1:PORT" followed by `path`.
    std::string Url(const std::string& path) const;

    int RequestCount() const;
    // A header of the latest request; empty when it had none.
    std::string LastHeader(const std::string& name) const;

  private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// A port of 127.0.0.1 whose listener never accepts and whose queue is full,
// so connecting to it waits until the client gives up.
class UnansweredPort {
  public:
    UnansweredPort();
    ~UnansweredPort();
    UnansweredPort(const UnansweredPort&) = delete;
    UnansweredPort& operator=(const UnansweredPort&) = delete;
    std::string Url() const;

  private:
    SocketId listener_ = kNoSocket;
    int port_ = 0;
    SocketId queued_[3] = {kNoSocket, kNoSocket, kNoSocket};
};
