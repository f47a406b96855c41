#include "services/HttpTransfer.h"

#include "services/ProgramTitle.h"

#include <curl/curl.h>
#include <memory>

namespace {

using Clock = std::chrono::steady_clock;

struct CurlDeleter {
    void operator()(CURL* curl) const { curl_easy_cleanup(curl); }
};
struct ListDeleter {
    void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};
using CurlHandle = std::unique_ptr<CURL, CurlDeleter>;
using TextList = std::unique_ptr<curl_slist, ListDeleter>;

// Only addresses a user means by "web address"; a redirect must not reach
// local files or other services through the other schemes libcurl knows.
constexpr const char* kAllowedSchemes = "http,https";
constexpr long kMaxRedirects = 10;

bool CurlReady() {
    // Static initialisation runs once even when two threads get here together.
    static const bool ready = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
    return ready;
}

// Watches the bytes arriving: gives up a transfer that stalls and passes the
// progress on no more often than asked.
struct TransferWatch {
    const DownloadOptions& options;
    Clock::time_point lastReport = Clock::now();
    Clock::time_point lastArrival = lastReport;
    curl_off_t lastReceived = 0;
    bool stalled = false;

    bool HasStalled(curl_off_t received, Clock::time_point now) {
        if (received != lastReceived) {
            lastReceived = received;
            lastArrival = now;
        }
        stalled = now - lastArrival >= options.stallTimeout;
        return stalled;
    }

    bool IsTimeToReport(Clock::time_point now) {
        if (!options.progress || now - lastReport < options.progressInterval)
            return false;
        lastReport = now;
        return true;
    }
};

// Called by libcurl while data flows and about once a second when none does.
int OnProgress(void* data, curl_off_t expected, curl_off_t received, curl_off_t, curl_off_t) {
    TransferWatch& watch = *static_cast<TransferWatch*>(data);
    const Clock::time_point now = Clock::now();
    if (watch.HasStalled(received, now))
        return 1;
    if (!watch.IsTimeToReport(now))
        return 0;
    // An exception must not unwind through libcurl's C frames: stop instead.
    try {
        watch.options.progress(received, expected);
        return 0;
    } catch (...) {
        return 1;
    }
}

size_t OnBody(char* data, size_t size, size_t count, void* sink) {
    // Anything but the whole block tells libcurl to stop with a write error.
    return static_cast<NewFile*>(sink)->Write(data, size * count) ? size * count : 0;
}

TextList AppendText(TextList list, const std::string& text) {
    curl_slist* grown = curl_slist_append(list.get(), text.c_str());
    if (grown == nullptr)
        return nullptr; // the old list is freed with `list`
    list.release();
    return TextList(grown);
}

// Sets one option after another until one is refused; keeps the first refusal.
class OptionSetter {
  public:
    explicit OptionSetter(CURL* curl) : curl_(curl) {}
    template <typename Value> OptionSetter& Set(CURLoption option, Value value) {
        if (code_ == CURLE_OK)
            code_ = curl_easy_setopt(curl_, option, value);
        return *this;
    }
    CURLcode Code() const { return code_; }

  private:
    CURL* curl_;
    CURLcode code_ = CURLE_OK;
};

CURLcode SetRequest(OptionSetter& set, const std::string& url, const DownloadOptions& options,
                    curl_slist* headers) {
    set.Set(CURLOPT_URL, url.c_str())
        .Set(CURLOPT_PROTOCOLS_STR, kAllowedSchemes)
        .Set(CURLOPT_REDIR_PROTOCOLS_STR, kAllowedSchemes)
        .Set(CURLOPT_FOLLOWLOCATION, 1L)
        .Set(CURLOPT_MAXREDIRS, kMaxRedirects)
        .Set(CURLOPT_FAILONERROR, 1L)
        .Set(CURLOPT_NOSIGNAL, 1L)
        .Set(CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(options.connectTimeout.count()))
        .Set(CURLOPT_USERAGENT, kProgramTitle)
        .Set(CURLOPT_HTTPHEADER, headers);
    return set.Code();
}

CURLcode SetReceivers(OptionSetter& set, NewFile& sink, TransferWatch& watch) {
    set.Set(CURLOPT_WRITEFUNCTION, OnBody)
        .Set(CURLOPT_WRITEDATA, &sink)
        .Set(CURLOPT_XFERINFOFUNCTION, OnProgress)
        .Set(CURLOPT_XFERINFODATA, &watch)
        .Set(CURLOPT_NOPROGRESS, 0L);
    return set.Code();
}

Failure ClientFailure(CURLcode code) {
    return FailureOf(FailureCause::Connection, curl_easy_strerror(code),
                     static_cast<int32_t>(code));
}

Failure NotStarted(const char* what) {
    return FailureOf(FailureCause::Connection, what);
}

Status StatusOf(CURL* curl, CURLcode code) {
    long status = 0;
    curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status);
    if (status >= 400)
        return FailureOf(FailureCause::Refused, "HTTP status", static_cast<int32_t>(status));
    if (code != CURLE_OK)
        return ClientFailure(code);
    return Success();
}

} // namespace

Status TransferInto(NewFile& sink, const std::string& url, const DownloadOptions& options) {
    if (!CurlReady())
        return NotStarted("set up libcurl");
    CurlHandle curl(curl_easy_init());
    // Proxies and caches on the way must ask the server for a fresh copy.
    TextList headers = AppendText(nullptr, "Cache-Control: no-cache");
    TextList route =
        options.connectTo.empty() ? nullptr : AppendText(nullptr, "::" + options.connectTo);
    if (!curl || !headers || (!options.connectTo.empty() && !route))
        return NotStarted("set up the request");
    TransferWatch watch{options};
    OptionSetter set(curl.get());
    set.Set(CURLOPT_CONNECT_TO, route.get());
    if (SetRequest(set, url, options, headers.get()) != CURLE_OK ||
        SetReceivers(set, sink, watch) != CURLE_OK)
        return ClientFailure(set.Code());
    const CURLcode code = curl_easy_perform(curl.get());
    if (watch.stalled)
        return ClientFailure(CURLE_OPERATION_TIMEDOUT);
    return StatusOf(curl.get(), code);
}

Failure TransferFailureOf(TransferFailure failure) {
    switch (failure) {
    case TransferFailure::CannotConnect:
        return ClientFailure(CURLE_COULDNT_CONNECT);
    case TransferFailure::TimedOut:
        return ClientFailure(CURLE_OPERATION_TIMEDOUT);
    case TransferFailure::CutShort:
        return ClientFailure(CURLE_PARTIAL_FILE);
    case TransferFailure::TooManyRedirects:
        return ClientFailure(CURLE_TOO_MANY_REDIRECTS);
    case TransferFailure::UnsupportedScheme:
        return ClientFailure(CURLE_UNSUPPORTED_PROTOCOL);
    case TransferFailure::MalformedAddress:
        return ClientFailure(CURLE_URL_MALFORMAT);
    case TransferFailure::Stopped:
        return ClientFailure(CURLE_ABORTED_BY_CALLBACK);
    }
    return ClientFailure(CURLE_FAILED_INIT);
}
