#include "support/LocalHttpServer.h"

#include <arpa/inet.h>
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <httplib.h>
#include <mutex>
#include <netinet/in.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

using namespace std::chrono_literals;

struct LocalHttpServer::Impl {
    std::string archive;
    std::string fileUrl;
    httplib::Server server;
    int port = 0;
    std::thread thread;

    mutable std::mutex mutex;
    std::condition_variable stopped;
    bool stopping = false;
    int requests = 0;
    httplib::Headers lastHeaders;

    // Waits `duration`, or less when the server stops; false once it stops.
    bool Pause(std::chrono::milliseconds duration) {
        std::unique_lock<std::mutex> lock(mutex);
        return !stopped.wait_for(lock, duration, [this] { return stopping; });
    }

    void Record(const httplib::Request& request) {
        std::lock_guard<std::mutex> lock(mutex);
        ++requests;
        lastHeaders = request.headers;
    }

    size_t Quarter() const { return (archive.size() + 3) / 4; }

    void ServeArchive(httplib::Response& response) {
        response.set_content(archive, "application/zip");
    }

    // The archive a quarter at a time, 150 ms apart.
    void ServeSlowly(httplib::Response& response) {
        response.set_content_provider(
            archive.size(), "application/zip",
            [this](size_t offset, size_t length, httplib::DataSink& sink) {
                return Pause(150ms) &&
                       sink.write(archive.data() + offset, std::min(length, Quarter()));
            });
    }

    void ServeChunked(httplib::Response& response) {
        response.set_chunked_content_provider(
            "application/zip", [this](size_t offset, httplib::DataSink& sink) {
                if (offset >= archive.size()) {
                    sink.done();
                    return true;
                }
                const size_t length = std::min(Quarter(), archive.size() - offset);
                return Pause(150ms) && sink.write(archive.data() + offset, length);
            });
    }

    // Announces the whole archive, sends half, then waits `silence` and
    // closes the connection.
    void ServeHalf(httplib::Response& response, std::chrono::milliseconds silence) {
        response.set_content_provider(
            archive.size(), "application/zip",
            [this, silence](size_t offset, size_t, httplib::DataSink& sink) {
                if (offset == 0)
                    return sink.write(archive.data(), archive.size() / 2);
                Pause(silence);
                return false;
            });
    }

    void ServePage(httplib::Response& response, int status) {
        response.status = status;
        response.set_content("<html><body>Error</body></html>", "text/html");
    }

    void AddRoutes() {
        using httplib::Request;
        using httplib::Response;
        server.set_pre_routing_handler([this](const Request& request, Response&) {
            Record(request);
            return httplib::Server::HandlerResponse::Unhandled;
        });
        server.Get(R"(.*/loadscr\.zip)", [this](const Request&, Response& r) { ServeArchive(r); });
        server.Get("/slow.zip", [this](const Request&, Response& r) { ServeSlowly(r); });
        server.Get("/chunked.zip", [this](const Request&, Response& r) { ServeChunked(r); });
        server.Get("/missing.zip", [this](const Request&, Response& r) { ServePage(r, 404); });
        server.Get("/broken.zip", [this](const Request&, Response& r) { ServePage(r, 500); });
        server.Get("/page.zip", [this](const Request&, Response& r) { ServePage(r, 200); });
        server.Get("/short.zip", [this](const Request&, Response& r) { ServeHalf(r, 0ms); });
        server.Get("/stall.zip", [this](const Request&, Response& r) { ServeHalf(r, 10s); });
        server.Get("/silent.zip", [this](const Request&, Response&) { Pause(10s); });
        server.Get("/loop.zip", [](const Request&, Response& r) { r.set_redirect("/loop.zip"); });
        server.Get("/moved.zip",
                   [](const Request&, Response& r) { r.set_redirect("/loadscr.zip"); });
        server.Get("/to_file.zip",
                   [this](const Request&, Response& r) { r.set_redirect(fileUrl); });
    }
};

LocalHttpServer::LocalHttpServer(std::string archive, std::string fileUrl)
    : impl_(std::make_unique<Impl>()) {
    for (const char* name : {"http_proxy", "https_proxy", "HTTPS_PROXY", "all_proxy", "ALL_PROXY"})
        unsetenv(name);
    impl_->archive = std::move(archive);
    impl_->fileUrl = std::move(fileUrl);
    impl_->AddRoutes();
    impl_->port = impl_->server.bind_to_any_port("127.0.0.1");
    if (impl_->port <= 0)
        throw std::runtime_error("no free port on 127.0.0.1");
    impl_->thread = std::thread([this] { impl_->server.listen_after_bind(); });
    // A stop before the accept loop runs would go unnoticed and never end it.
    while (!impl_->server.is_running())
        std::this_thread::sleep_for(1ms);
}

LocalHttpServer::~LocalHttpServer() {
    {
        std::lock_guard<std::mutex> lock(impl_->mutex);
        impl_->stopping = true;
    }
    impl_->stopped.notify_all();
    impl_->server.stop();
    impl_->thread.join();
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
    const auto found = impl_->lastHeaders.find(name);
    return found == impl_->lastHeaders.end() ? std::string() : found->second;
}

namespace {

sockaddr_in Loopback(int port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return address;
}

} // namespace

UnansweredPort::UnansweredPort() {
    listener_ = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address = Loopback(0);
    socklen_t size = sizeof address;
    if (listener_ < 0 || bind(listener_, reinterpret_cast<sockaddr*>(&address), size) != 0 ||
        listen(listener_, 0) != 0 ||
        getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &size) != 0)
        throw std::runtime_error("no listener on 127.0.0.1");
    port_ = ntohs(address.sin_port);
    // Connections nobody accepts fill the queue; later ones wait unanswered.
    for (int& queued : queued_) {
        queued = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0);
        const sockaddr_in target = Loopback(port_);
        connect(queued, reinterpret_cast<const sockaddr*>(&target), sizeof target);
    }
}

UnansweredPort::~UnansweredPort() {
    for (int queued : queued_)
        if (queued >= 0)
            close(queued);
    if (listener_ >= 0)
        close(listener_);
}

std::string UnansweredPort::Url() const {
    return "http://127.0.0.1:" + std::to_string(port_) + "/loadscr.zip";
}
