#pragma once

#include "services/DownloadFile.h"

#include "services/FileSystem.h"

// Sends one GET for `url` and writes the body of the final answer into
// `sink`. Returns 0, a DownloadFile failure code, the negated code of the
// platform's HTTP client (libcurl, or WinINet on Windows) or the failing
// HTTP status.
int32_t TransferInto(NewFile& sink, const std::string& url, const DownloadOptions& options);

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

// The code TransferInto returns for `failure` with this platform's client.
int32_t TransferFailureCode(TransferFailure failure);
