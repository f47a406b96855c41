#pragma once

#include "services/DownloadFile.h"
#include "services/FileSystem.h"
#include "services/Result.h"

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

// Sends one GET for `url` and writes the body of the final answer into
// `sink`. Fails with
//  - Connection, `code` the platform's HTTP client's own code (libcurl's
//    CURLcode, WinINet's error): the client failed; 0 when no transfer could
//    be set up at all;
//  - Refused, `code` the HTTP status: the server answered 400 or more;
//  - System: the body could not be written into `sink` (WinINet; libcurl
//    reports that as a failure of its own).
Status TransferInto(NewFile& sink, const std::string& url, const DownloadOptions& options);

// The Connection failure this platform's client reports for `failure`.
Failure TransferFailureOf(TransferFailure failure);

// DownloadFile's code for a failed transfer: the negated client's code, the
// HTTP status, or one of its own codes (DownloadFile.h).
int32_t DownloadCodeOf(const Failure& transferFailure);

// DownloadFile's code for `failure` with this platform's client.
int32_t TransferFailureCode(TransferFailure failure);
