#include "support/Loopback.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

sockaddr_in Loopback(int port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return address;
}

} // namespace

SocketId BoundLoopbackSocket(int port) {
    const int id = socket(AF_INET, SOCK_STREAM, 0);
    const sockaddr_in address = Loopback(port);
    if (id >= 0 && bind(id, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        close(id);
        return kNoSocket;
    }
    return id;
}

SocketId NonBlockingSocket() {
    return socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0);
}

bool ListenOn(SocketId socket, int backlog) {
    return listen(static_cast<int>(socket), backlog) == 0;
}

int LocalPort(SocketId socket) {
    sockaddr_in address{};
    socklen_t size = sizeof address;
    if (getsockname(static_cast<int>(socket), reinterpret_cast<sockaddr*>(&address), &size) != 0)
        return 0;
    return ntohs(address.sin_port);
}

void StartConnecting(SocketId socket, int port) {
    const sockaddr_in target = Loopback(port);
    connect(static_cast<int>(socket), reinterpret_cast<const sockaddr*>(&target), sizeof target);
}

void CloseSocket(SocketId socket) {
    if (socket >= 0)
        close(static_cast<int>(socket));
}

bool WaitReadable(SocketId socket, int milliseconds) {
    pollfd watched{static_cast<int>(socket), POLLIN, 0};
    return poll(&watched, 1, milliseconds) > 0;
}

SocketId AcceptConnection(SocketId listener) {
    return accept(static_cast<int>(listener), nullptr, nullptr);
}

long Receive(SocketId socket, char* buffer, size_t size) {
    return recv(static_cast<int>(socket), buffer, size, 0);
}

bool SendAll(SocketId socket, const std::string& bytes) {
    size_t sent = 0;
    while (sent < bytes.size()) {
        // A client that went away must not end the test process with SIGPIPE.
        const long count =
            send(static_cast<int>(socket), bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
        if (count <= 0)
            return false;
        sent += static_cast<size_t>(count);
    }
    return true;
}
