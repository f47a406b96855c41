#pragma once

#include "services/DownloadFile.h"
#include "services/FileSystem.h"

// How one transfer ended.
enum class TransferOutcome {
    Succeeded,
    NotStarted,   // no transfer could be set up
    NotWritten,   // the body could not be written into the sink
    ClientFailed, // the platform's HTTP client (libcurl, or WinINet on Windows) failed
    Refused,      // the server answered with a status of 400 or more
};

struct TransferResult {
    TransferOutcome outcome = TransferOutcome::Succeeded;
    // The client's own error code when it failed, the status when the server
    // refused; 0 otherwise.
    int32_t code = 0;
};

// Sends one GET for `url` and writes the body of the final answer into `sink`.
TransferResult TransferInto(NewFile& sink, const std::string& url, const DownloadOptions& options);

// The DownloadFile code for `result`: 0, one of its own failure codes, the
// negated code of the client or the HTTP status.
int32_t DownloadCodeOf(const TransferResult& result);

// The ways a transfer fails before the server's status says anything.
enum class TransferFailure {
    CannotConnect,     // nothing listens at the address
    TimedOut,          // no connection, or no byte, in time
    CutShort,          // the body ended before its announced length
    TooManyRedirects,  // more than ten
    UnsupportedScheme, // not http or https, at the start or after a redirect
    MalformedAddress,  // not an address at all (an empty text, say)
    Stopped,           // the progress receiver gave up
};

// The DownloadFile code for `failure` with this platform's client.
int32_t TransferFailureCode(TransferFailure failure);
