#pragma once

#include <cstdint>
#include <string>

// The few socket calls the download tests make themselves, on 127.0.0.1:
// the local HTTP server and the ports that do not answer.
using SocketId = std::intptr_t;
inline constexpr SocketId kNoSocket = -1;

// A TCP socket bound to `port` of 127.0.0.1 (0: any free port).
SocketId BoundLoopbackSocket(int port);
// A TCP socket that does not wait in connect().
SocketId NonBlockingSocket();
bool ListenOn(SocketId socket, int backlog);
int LocalPort(SocketId socket);
void StartConnecting(SocketId socket, int port);
void CloseSocket(SocketId socket);

// True when `socket` has data (or a connection) waiting within `milliseconds`.
bool WaitReadable(SocketId socket, int milliseconds);
SocketId AcceptConnection(SocketId listener);
// Bytes moved, 0 at the end of the stream, negative on failure.
long Receive(SocketId socket, char* buffer, size_t size);
// True when all of `bytes` went out.
bool SendAll(SocketId socket, const std::string& bytes);
