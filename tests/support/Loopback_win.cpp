#include "support/Loopback.h"

#include <winsock2.h>

namespace {

// Winsock must be started before the first socket of the process.
bool WinsockReady() {
    static const bool ready = [] {
        WSADATA data;
        return WSAStartup(MAKEWORD(2, 2), &data) == 0;
    }();
    return ready;
}

sockaddr_in Loopback(int port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<u_short>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return address;
}

SOCKET Native(SocketId socket) {
    return static_cast<SOCKET>(socket);
}

SocketId NewSocket() {
    if (!WinsockReady())
        return kNoSocket;
    const SOCKET id = socket(AF_INET, SOCK_STREAM, 0);
    return id == INVALID_SOCKET ? kNoSocket : static_cast<SocketId>(id);
}

// Windows lets a socket that asks for SO_REUSEADDR bind over a port held
// without SO_EXCLUSIVEADDRUSE: a held port must be ours alone.
bool HoldExclusively(SocketId id) {
    const BOOL exclusive = TRUE;
    return setsockopt(Native(id), SOL_SOCKET, SO_EXCLUSIVEADDRUSE,
                      reinterpret_cast<const char*>(&exclusive), sizeof exclusive) == 0;
}

} // namespace

SocketId BoundLoopbackSocket(int port) {
    const SocketId id = NewSocket();
    const sockaddr_in address = Loopback(port);
    if (id != kNoSocket &&
        (!HoldExclusively(id) ||
         bind(Native(id), reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0)) {
        CloseSocket(id);
        return kNoSocket;
    }
    return id;
}

SocketId NonBlockingSocket() {
    const SocketId id = NewSocket();
    u_long nonBlocking = 1;
    if (id != kNoSocket)
        ioctlsocket(Native(id), FIONBIO, &nonBlocking);
    return id;
}

bool ListenOn(SocketId socket, int backlog) {
    return listen(Native(socket), backlog) == 0;
}

int LocalPort(SocketId socket) {
    sockaddr_in address{};
    int size = sizeof address;
    if (getsockname(Native(socket), reinterpret_cast<sockaddr*>(&address), &size) != 0)
        return 0;
    return ntohs(address.sin_port);
}

void StartConnecting(SocketId socket, int port) {
    const sockaddr_in target = Loopback(port);
    connect(Native(socket), reinterpret_cast<const sockaddr*>(&target), sizeof target);
}

void CloseSocket(SocketId socket) {
    if (socket != kNoSocket)
        closesocket(Native(socket));
}

bool WaitReadable(SocketId socket, int milliseconds) {
    WSAPOLLFD watched{Native(socket), POLLRDNORM, 0};
    return WSAPoll(&watched, 1, milliseconds) > 0;
}

SocketId AcceptConnection(SocketId listener) {
    const SOCKET id = accept(Native(listener), nullptr, nullptr);
    return id == INVALID_SOCKET ? kNoSocket : static_cast<SocketId>(id);
}

long Receive(SocketId socket, char* buffer, size_t size) {
    return recv(Native(socket), buffer, static_cast<int>(size), 0);
}

bool SendAll(SocketId socket, const std::string& bytes) {
    size_t sent = 0;
    while (sent < bytes.size()) {
        const int count =
            send(Native(socket), bytes.data() + sent, static_cast<int>(bytes.size() - sent), 0);
        if (count <= 0)
            return false;
        sent += static_cast<size_t>(count);
    }
    return true;
}
