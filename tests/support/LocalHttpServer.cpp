#include "support/LocalHttpServer.h"

#include "support/Environment.h"
#include "support/Loopback.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <map>
#include <mutex>
#include <stdexcept>
#include <thread>
#include <vector>

using namespace std::chrono_literals;

namespace {

// Header names match whatever their case: kept in lower case.
std::string Lower(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return text;
}

struct Request {
    std::string path;
    std::map<std::string, std::string> headers;
};

// "GET /path HTTP/1.1" and "Name: value" lines, up to the empty line.
Request ParseRequest(const std::string& head) {
    Request request;
    const size_t firstSpace = head.find(' ');
    const size_t secondSpace = head.find(' ', firstSpace + 1);
    if (firstSpace != std::string::npos && secondSpace != std::string::npos)
        request.path = head.substr(firstSpace + 1, secondSpace - firstSpace - 1);
    for (size_t start = head.find("\r\n"); start != std::string::npos;) {
        start += 2;
        const size_t end = head.find("\r\n", start);
        const std::string line = head.substr(start, end - start);
        if (const size_t colon = line.find(':'); colon != std::string::npos) {
            const size_t value = std::min(line.find_first_not_of(' ', colon + 1), line.size());
            request.headers[Lower(line.substr(0, colon))] = line.substr(value);
        }
        start = end;
    }
    return request;
}

std::string Head(int status, const std::string& reason, const std::string& fields) {
    return "HTTP/1.1 " + std::to_string(status) + " " + reason + "\r\n" + fields +
           "Connection: close\r\n\r\n";
}

std::string LengthField(size_t length) {
    return "Content-Length: " + std::to_string(length) + "\r\n";
}

std::string ChunkHead(size_t length) {
    char size[24];
    std::snprintf(size, sizeof size, "%zx\r\n", length);
    return size;
}

bool EndsWith(const std::string& text, const std::string& ending) {
    return text.size() >= ending.size() &&
           text.compare(text.size() - ending.size(), ending.size(), ending) == 0;
}

} // namespace

// One thread accepts, one thread answers each connection; every connection
// is closed after its one answer.
struct LocalHttpServer::Impl {
    std::string archive;
    std::string fileUrl;
    SocketId listener = kNoSocket;
    int port = 0;
    std::thread acceptor;

    mutable std::mutex mutex;
    std::condition_variable stopped;
    bool stopping = false;
    int requests = 0;
    std::map<std::string, std::string> lastHeaders;
    std::vector<std::thread> connections;

    // Waits `duration`, or less when the server stops; false once it stops.
    bool Pause(std::chrono::milliseconds duration) {
        std::unique_lock<std::mutex> lock(mutex);
        return !stopped.wait_for(lock, duration, [this] { return stopping; });
    }

    bool Stopping() {
        std::lock_guard<std::mutex> lock(mutex);
        return stopping;
    }

    void Record(const Request& request) {
        std::lock_guard<std::mutex> lock(mutex);
        ++requests;
        lastHeaders = request.headers;
    }

    size_t Quarter() const { return (archive.size() + 3) / 4; }

    std::string ReadHead(SocketId client) {
        std::string head;
        char block[4096];
        while (head.find("\r\n\r\n") == std::string::npos && !Stopping()) {
            if (!WaitReadable(client, 50))
                continue;
            const long count = Receive(client, block, sizeof block);
            if (count <= 0)
                return {};
            head.append(block, static_cast<size_t>(count));
        }
        return head;
    }

    void SendArchive(SocketId client) {
        SendAll(client,
                Head(200, "OK", "Content-Type: application/zip\r\n" + LengthField(archive.size())) +
                    archive);
    }

    // The archive a quarter at a time, 150 ms apart.
    void SendSlowly(SocketId client) {
        if (!SendAll(client, Head(200, "OK", LengthField(archive.size()))))
            return;
        for (size_t offset = 0; offset < archive.size(); offset += Quarter())
            if (!Pause(150ms) || !SendAll(client, archive.substr(offset, Quarter())))
                return;
    }

    void SendChunked(SocketId client) {
        if (!SendAll(client, Head(200, "OK", "Transfer-Encoding: chunked\r\n")))
            return;
        for (size_t offset = 0; offset < archive.size(); offset += Quarter()) {
            const std::string piece = archive.substr(offset, Quarter());
            if (!Pause(150ms) || !SendAll(client, ChunkHead(piece.size()) + piece + "\r\n"))
                return;
        }
        SendAll(client, "0\r\n\r\n");
    }

    // Announces the whole archive, sends half, then waits `silence` and
    // closes the connection.
    void SendHalf(SocketId client, std::chrono::milliseconds silence) {
        SendAll(client, Head(200, "OK", LengthField(archive.size())) +
                            archive.substr(0, archive.size() / 2));
        Pause(silence);
    }

    void SendPage(SocketId client, int status, const std::string& reason) {
        const std::string page = "<html><body>Error</body></html>";
        SendAll(client,
                Head(status, reason, "Content-Type: text/html\r\n" + LengthField(page.size())) +
                    page);
    }

    void SendRedirect(SocketId client, const std::string& location) {
        SendAll(client, Head(302, "Found", "Location: " + location + "\r\n" + LengthField(0)));
    }

    void Answer(SocketId client, const std::string& path) {
        if (EndsWith(path, "/loadscr.zip"))
            SendArchive(client);
        else if (path == "/slow.zip")
            SendSlowly(client);
        else if (path == "/chunked.zip")
            SendChunked(client);
        else if (path == "/broken.zip")
            SendPage(client, 500, "Internal Server Error");
        else if (path == "/page.zip")
            SendPage(client, 200, "OK");
        else if (path == "/short.zip")
            SendHalf(client, 0ms);
        else if (path == "/stall.zip")
            SendHalf(client, 10s);
        else if (path == "/silent.zip")
            Pause(10s);
        else if (path == "/late.zip") {
            if (Pause(1s))
                SendArchive(client);
        } else if (path == "/loop.zip")
            SendRedirect(client, "/loop.zip");
        else if (path == "/moved.zip")
            SendRedirect(client, "/loadscr.zip");
        else if (path == "/to_file.zip")
            SendRedirect(client, fileUrl);
        else
            SendPage(client, 404, "Not Found");
    }

    void Serve(SocketId client) {
        const std::string head = ReadHead(client);
        if (!head.empty()) {
            const Request request = ParseRequest(head);
            Record(request);
            Answer(client, request.path);
        }
        CloseSocket(client);
    }

    void AcceptAll() {
        while (!Stopping()) {
            if (!WaitReadable(listener, 50))
                continue;
            const SocketId client = AcceptConnection(listener);
            if (client == kNoSocket)
                continue;
            std::lock_guard<std::mutex> lock(mutex);
            connections.emplace_back([this, client] { Serve(client); });
        }
    }
};

LocalHttpServer::LocalHttpServer(std::string archive, std::string fileUrl)
    : impl_(std::make_unique<Impl>()) {
    for (const char* name : {"http_proxy", "https_proxy", "HTTPS_PROXY", "all_proxy", "ALL_PROXY"})
        ForgetEnvironment(name);
    impl_->archive = std::move(archive);
    impl_->fileUrl = std::move(fileUrl);
    impl_->listener = BoundLoopbackSocket(0);
    if (impl_->listener == kNoSocket || !ListenOn(impl_->listener, 16) ||
        (impl_->port = LocalPort(impl_->listener)) == 0) {
        CloseSocket(impl_->listener);
        throw std::runtime_error("no free port on 127.0.0.1");
    }
    impl_->acceptor = std::thread([this] { impl_->AcceptAll(); });
}

LocalHttpServer::~LocalHttpServer() {
    {
        std::lock_guard<std::mutex> lock(impl_->mutex);
        impl_->stopping = true;
    }
    impl_->stopped.notify_all();
    impl_->acceptor.join();
    // No connection is added once the acceptor has ended.
    for (std::thread& connection : impl_->connections)
        connection.join();
    CloseSocket(impl_->listener);
}

std::string LocalHttpServer::HostAndPort() const {
    return "127.0.0.1:" + std::to_string(impl_->port);
}

std::string LocalHttpServer::Url(const std::string& path) const {
    return "http://" + HostAndPort() + path;
}

int LocalHttpServer::RequestCount() const {
    std::lock_guard<std::mutex> lock(impl_->mutex);
    return impl_->requests;
}

std::string LocalHttpServer::LastHeader(const std::string& name) const {
    std::lock_guard<std::mutex> lock(impl_->mutex);
    const auto found = impl_->lastHeaders.find(Lower(name));
    return found == impl_->lastHeaders.end() ? std::string() : found->second;
}

UnansweredPort::UnansweredPort() {
    listener_ = BoundLoopbackSocket(0);
    if (listener_ == kNoSocket || !ListenOn(listener_, 0) || (port_ = LocalPort(listener_)) == 0)
        throw std::runtime_error("no listener on 127.0.0.1");
    // Connections nobody accepts fill the queue; later ones wait unanswered.
    for (SocketId& queued : queued_) {
        queued = NonBlockingSocket();
        StartConnecting(queued, port_);
    }
}

UnansweredPort::~UnansweredPort() {
    for (SocketId queued : queued_)
        CloseSocket(queued);
    CloseSocket(listener_);
}

std::string UnansweredPort::Url() const {
    return "http://127.0.0.1:" + std::to_string(port_) + "/loadscr.zip";
}
