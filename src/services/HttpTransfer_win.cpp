#include "services/HttpTransfer.h"

#include "services/ProgramTitle.h"
#include "services/WideText.h"

#include <algorithm>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <windows.h>
#include <wininet.h>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kMaxRedirects = 10;

struct InternetCloser {
    void operator()(HINTERNET handle) const { InternetCloseHandle(handle); }
};
using Internet = std::unique_ptr<void, InternetCloser>;

int32_t FailureCode(DWORD error) {
    return -static_cast<int32_t>(error);
}

int32_t LastFailure() {
    return FailureCode(GetLastError());
}

// The parts of an http or https address that the requests need.
struct Address {
    bool secure = false;
    std::wstring host;
    INTERNET_PORT port = 0;
    std::wstring object; // path and query
};

std::wstring Part(const wchar_t* start, DWORD length) {
    return start ? std::wstring(start, length) : std::wstring();
}

// Any other scheme is refused, at the start and after a redirect alike: a
// redirect must not reach local files or other services.
std::optional<Address> ParseAddress(const std::wstring& url, int32_t& failure) {
    URL_COMPONENTSW parts{};
    parts.dwStructSize = sizeof parts;
    parts.dwHostNameLength = parts.dwUrlPathLength = parts.dwExtraInfoLength = 1;
    if (url.empty() || !InternetCrackUrlW(url.c_str(), 0, 0, &parts)) {
        failure = TransferFailureCode(TransferFailure::MalformedAddress);
        return std::nullopt;
    }
    if (parts.nScheme != INTERNET_SCHEME_HTTP && parts.nScheme != INTERNET_SCHEME_HTTPS) {
        failure = TransferFailureCode(TransferFailure::UnsupportedScheme);
        return std::nullopt;
    }
    Address address;
    address.secure = parts.nScheme == INTERNET_SCHEME_HTTPS;
    address.host = Part(parts.lpszHostName, parts.dwHostNameLength);
    address.port = parts.nPort;
    address.object = Part(parts.lpszUrlPath, parts.dwUrlPathLength) +
                     Part(parts.lpszExtraInfo, parts.dwExtraInfoLength);
    if (address.object.empty())
        address.object = L"/";
    return address;
}

void SetTimeout(HINTERNET handle, DWORD option, std::chrono::milliseconds timeout) {
    DWORD value = static_cast<DWORD>(timeout.count());
    InternetSetOptionW(handle, option, &value, sizeof value);
}

// A transfer that receives no byte for the stall timeout fails on that read.
// Set on every handle: not every WinINet passes them down from the session.
void SetTimeouts(HINTERNET handle, const DownloadOptions& options) {
    SetTimeout(handle, INTERNET_OPTION_CONNECT_TIMEOUT, options.connectTimeout);
    SetTimeout(handle, INTERNET_OPTION_SEND_TIMEOUT, options.stallTimeout);
    SetTimeout(handle, INTERNET_OPTION_RECEIVE_TIMEOUT, options.stallTimeout);
}

Internet OpenSession(const DownloadOptions& options) {
    Internet session(InternetOpenW(WideFromUtf8(kProgramTitle).c_str(),
                                   INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
    if (session)
        SetTimeouts(session.get(), options);
    return session;
}

// "HOST:PORT" of the options, when the connection goes elsewhere than the
// address says; the request then names the address's host itself.
bool RouteTo(const std::string& connectTo, Address& address, std::wstring& headers) {
    const size_t colon = connectTo.rfind(':');
    if (colon == std::string::npos)
        return false;
    const int port = std::atoi(connectTo.c_str() + colon + 1);
    if (port <= 0 || port > 65535)
        return false;
    const INTERNET_PORT usual =
        address.secure ? INTERNET_DEFAULT_HTTPS_PORT : INTERNET_DEFAULT_HTTP_PORT;
    headers += L"Host: " + address.host +
               (address.port == usual ? L"" : L":" + std::to_wstring(address.port)) + L"\r\n";
    address.host = WideFromUtf8(connectTo.substr(0, colon));
    address.port = static_cast<INTERNET_PORT>(port);
    return true;
}

// Closes a request handle once its deadline has passed: the one sure way to
// end a blocking WinINet call whose own timeout the library does not keep
// (the connect timeout, notably, and under Wine the others too).
class Watchdog {
  public:
    explicit Watchdog(HINTERNET request) : request_(request), thread_([this] { Watch(); }) {}
    ~Watchdog() { Stop(); }
    Watchdog(const Watchdog&) = delete;
    Watchdog& operator=(const Watchdog&) = delete;

    void Arm(std::chrono::milliseconds timeout) {
        std::lock_guard<std::mutex> lock(mutex_);
        deadline_ = Clock::now() + timeout;
        wake_.notify_all();
    }

    // After Stop: whether the handle was closed here.
    bool Fired() {
        std::lock_guard<std::mutex> lock(mutex_);
        return fired_;
    }

    void Stop() {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            stopping_ = true;
        }
        wake_.notify_all();
        if (thread_.joinable())
            thread_.join();
    }

  private:
    void Watch() {
        std::unique_lock<std::mutex> lock(mutex_);
        while (!stopping_) {
            if (Clock::now() >= deadline_) {
                InternetCloseHandle(request_);
                fired_ = true;
                return;
            }
            wake_.wait_until(lock, deadline_);
        }
    }

    HINTERNET request_;
    std::mutex mutex_;
    std::condition_variable wake_;
    Clock::time_point deadline_ = Clock::time_point::max();
    bool stopping_ = false;
    bool fired_ = false;
    std::thread thread_; // last: starts once the rest is ready
};

// One request and the server's answer to it.
struct Exchange {
    Internet connection;
    Internet request;
    std::unique_ptr<Watchdog> watchdog;
    std::chrono::milliseconds stallTimeout{};
    DWORD status = 0;

    // Connecting has its own deadline; once connected, the server has the
    // stall time to answer.
    void Connected() {
        if (watchdog)
            watchdog->Arm(stallTimeout);
    }

    ~Exchange() {
        if (!watchdog)
            return;
        watchdog->Stop();
        if (watchdog->Fired())
            (void)request.release(); // closed already
    }

    bool TimedOut() { return watchdog && watchdog->Fired(); }
};

// A connection taken from WinINet's pool says nothing of connecting, but
// every request says that it went out.
void CALLBACK OnRequestStatus(HINTERNET /*request*/, DWORD_PTR context, DWORD status,
                              LPVOID /*information*/, DWORD /*length*/) {
    if (context != 0 &&
        (status == INTERNET_STATUS_CONNECTED_TO_SERVER || status == INTERNET_STATUS_REQUEST_SENT))
        reinterpret_cast<Exchange*>(context)->Connected();
}

constexpr DWORD kRequestFlags = INTERNET_FLAG_NO_AUTO_REDIRECT | INTERNET_FLAG_RELOAD |
                                INTERNET_FLAG_PRAGMA_NOCACHE | INTERNET_FLAG_NO_CACHE_WRITE |
                                INTERNET_FLAG_NO_COOKIES | INTERNET_FLAG_NO_UI;

constexpr DWORD kSocketTimedOut = 10060; // WSAETIMEDOUT

// The code of a failure that came after waiting since `start`. WinINet does
// not always say "timeout" when its timeouts ran out: it may pass on the
// socket's own code, or call it a lost connection.
int32_t WaitFailure(Clock::time_point start, std::chrono::milliseconds timeout) {
    const DWORD error = GetLastError();
    if (error == ERROR_INTERNET_TIMEOUT || error == kSocketTimedOut ||
        Clock::now() - start >= timeout)
        return TransferFailureCode(TransferFailure::TimedOut);
    return FailureCode(error);
}

// A refused connection says "cannot connect" at once; said after the
// connect timeout, it means that no one answered in time.
int32_t SendFailure(Clock::time_point start, const DownloadOptions& options) {
    const DWORD error = GetLastError();
    if (error == ERROR_INTERNET_CANNOT_CONNECT)
        return Clock::now() - start >= options.connectTimeout
                   ? TransferFailureCode(TransferFailure::TimedOut)
                   : FailureCode(error);
    SetLastError(error);
    return WaitFailure(start, options.stallTimeout);
}

int32_t Send(HINTERNET session, Address address, const DownloadOptions& options,
             Exchange& exchange) {
    // Proxies and caches on the way must ask the server for a fresh copy.
    std::wstring headers = L"Cache-Control: no-cache\r\n";
    if (!options.connectTo.empty() && !RouteTo(options.connectTo, address, headers))
        return TransferFailureCode(TransferFailure::MalformedAddress);
    exchange.connection.reset(InternetConnectW(session, address.host.c_str(), address.port, nullptr,
                                               nullptr, INTERNET_SERVICE_HTTP, 0, 0));
    if (!exchange.connection)
        return LastFailure();
    const DWORD flags = kRequestFlags | (address.secure ? INTERNET_FLAG_SECURE : 0);
    // The context, never 0 here, is what makes WinINet report the stages.
    exchange.request.reset(HttpOpenRequestW(exchange.connection.get(), L"GET",
                                            address.object.c_str(), nullptr, nullptr, nullptr,
                                            flags, reinterpret_cast<DWORD_PTR>(&exchange)));
    if (!exchange.request)
        return LastFailure();
    SetTimeouts(exchange.request.get(), options);
    InternetSetStatusCallbackW(exchange.request.get(), OnRequestStatus);
    exchange.stallTimeout = options.stallTimeout;
    exchange.watchdog = std::make_unique<Watchdog>(exchange.request.get());
    exchange.watchdog->Arm(options.connectTimeout);
    const Clock::time_point start = Clock::now();
    if (!HttpSendRequestW(exchange.request.get(), headers.c_str(),
                          static_cast<DWORD>(headers.size()), nullptr, 0))
        return exchange.TimedOut() ? TransferFailureCode(TransferFailure::TimedOut)
                                   : SendFailure(start, options);
    DWORD size = sizeof exchange.status;
    // The watchdog closing the request makes the query fail too: that is a
    // timeout, not a broken handle.
    if (!HttpQueryInfoW(exchange.request.get(), HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER,
                        &exchange.status, &size, nullptr))
        return exchange.TimedOut() ? TransferFailureCode(TransferFailure::TimedOut) : LastFailure();
    return kDownloadSucceeded;
}

std::wstring HeaderText(HINTERNET request, DWORD header) {
    std::wstring text(256, L'\0');
    DWORD size = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    if (!HttpQueryInfoW(request, header, text.data(), &size, nullptr)) {
        if (GetLastError() != ERROR_INSUFFICIENT_BUFFER)
            return {};
        text.resize(size / sizeof(wchar_t) + 1);
        if (!HttpQueryInfoW(request, header, text.data(), &size, nullptr))
            return {};
    }
    text.resize(size / sizeof(wchar_t));
    return text;
}

bool IsRedirect(DWORD status) {
    return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

// The redirect's target, made whole when the server gave a relative one.
std::wstring RedirectTarget(const std::wstring& from, HINTERNET request) {
    const std::wstring location = HeaderText(request, HTTP_QUERY_LOCATION);
    if (location.empty())
        return {};
    std::wstring combined(2048, L'\0');
    DWORD length = static_cast<DWORD>(combined.size());
    if (!InternetCombineUrlW(from.c_str(), location.c_str(), combined.data(), &length,
                             ICU_NO_ENCODE))
        return location;
    combined.resize(length);
    return combined;
}

// Watches the bytes arriving and passes the progress on no more often than
// asked.
struct BodyReceiver {
    NewFile& sink;
    const DownloadOptions& options;
    int64_t expected = 0;
    int64_t received = 0;
    Clock::time_point lastReport = Clock::now();
    Clock::time_point lastArrival = lastReport;

    int32_t Failed(Exchange& exchange) {
        return exchange.TimedOut() ? TransferFailureCode(TransferFailure::TimedOut)
                                   : WaitFailure(lastArrival, options.stallTimeout);
    }

    // False when the receiver of the progress gave up.
    bool Report() {
        const Clock::time_point now = Clock::now();
        if (!options.progress || now - lastReport < options.progressInterval)
            return true;
        lastReport = now;
        try {
            options.progress(received, expected);
            return true;
        } catch (...) {
            return false;
        }
    }

    int32_t ReadAll(Exchange& exchange) {
        const HINTERNET request = exchange.request.get();
        char block[64 * 1024];
        for (;;) {
            exchange.watchdog->Arm(options.stallTimeout);
            // Waits for what has arrived rather than for a full block, so
            // the progress follows a slow server.
            DWORD available = 0;
            if (!InternetQueryDataAvailable(request, &available, 0, 0))
                return Failed(exchange);
            DWORD read = 0;
            const DWORD wanted = std::min<DWORD>(std::max<DWORD>(available, 1), sizeof block);
            if (!InternetReadFile(request, block, wanted, &read))
                return Failed(exchange);
            if (read == 0)
                return expected > 0 && received < expected
                           ? TransferFailureCode(TransferFailure::CutShort)
                           : kDownloadSucceeded;
            if (!sink.Write(block, read))
                return kDownloadCannotWrite;
            received += read;
            lastArrival = Clock::now();
            if (!Report())
                return TransferFailureCode(TransferFailure::Stopped);
        }
    }
};

int64_t AnnouncedLength(HINTERNET request) {
    const std::wstring length = HeaderText(request, HTTP_QUERY_CONTENT_LENGTH);
    return length.empty() ? 0 : std::wcstoll(length.c_str(), nullptr, 10);
}

} // namespace

namespace {

// The steps above speak in DownloadFile's codes; this sorts one back into
// what happened.
TransferResult ResultOfCode(int32_t code) {
    if (code == kDownloadSucceeded)
        return {};
    if (code == kDownloadCannotStart)
        return {TransferOutcome::NotStarted};
    if (code == kDownloadCannotWrite)
        return {TransferOutcome::NotWritten};
    return code > 0 ? TransferResult{TransferOutcome::Refused, code}
                    : TransferResult{TransferOutcome::ClientFailed, -code};
}

int32_t Transfer(NewFile& sink, const std::string& url, const DownloadOptions& options) {
    const Internet session = OpenSession(options);
    if (!session)
        return kDownloadCannotStart;
    std::wstring current = WideFromUtf8(url);
    // Redirects are followed here, one by one, so each target is checked.
    for (int redirects = 0;; ++redirects) {
        int32_t failure = kDownloadSucceeded;
        const std::optional<Address> address = ParseAddress(current, failure);
        if (!address)
            return failure;
        Exchange exchange;
        if (const int32_t sent = Send(session.get(), *address, options, exchange);
            sent != kDownloadSucceeded)
            return sent;
        if (IsRedirect(exchange.status)) {
            if (redirects == kMaxRedirects)
                return TransferFailureCode(TransferFailure::TooManyRedirects);
            current = RedirectTarget(current, exchange.request.get());
            continue;
        }
        if (exchange.status >= 400)
            return static_cast<int32_t>(exchange.status);
        BodyReceiver receiver{sink, options, AnnouncedLength(exchange.request.get())};
        return receiver.ReadAll(exchange);
    }
}

} // namespace

TransferResult TransferInto(NewFile& sink, const std::string& url, const DownloadOptions& options) {
    return ResultOfCode(Transfer(sink, url, options));
}

int32_t TransferFailureCode(TransferFailure failure) {
    switch (failure) {
    case TransferFailure::CannotConnect:
        return FailureCode(ERROR_INTERNET_CANNOT_CONNECT);
    case TransferFailure::TimedOut:
        return FailureCode(ERROR_INTERNET_TIMEOUT);
    case TransferFailure::CutShort:
        return FailureCode(ERROR_INTERNET_CONNECTION_ABORTED);
    case TransferFailure::TooManyRedirects:
        return FailureCode(ERROR_HTTP_REDIRECT_FAILED);
    case TransferFailure::UnsupportedScheme:
        return FailureCode(ERROR_INTERNET_UNRECOGNIZED_SCHEME);
    case TransferFailure::MalformedAddress:
        return FailureCode(ERROR_INTERNET_INVALID_URL);
    case TransferFailure::Stopped:
        return FailureCode(ERROR_INTERNET_OPERATION_CANCELLED);
    }
    return FailureCode(ERROR_INTERNET_INTERNAL_ERROR);
}
