#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>

// Result codes of DownloadFile, which fails with a code and never throws.
// Besides these, a failure of the transfer gives the negated code of the
// platform's HTTP client (TransferFailureCode) and an answer of the server
// with status 400 or more gives that status: no failure is ever 2 or 3.
inline constexpr int32_t kDownloadSucceeded = 0;
inline constexpr int32_t kDownloadLeftNoFile = 2;        // success reported, no file found
inline constexpr int32_t kDownloadFolderNotPrepared = 3; // target folder missing or not made
inline constexpr int32_t kDownloadNotAnArchive = -1001;  // body refused by `acceptBody`
inline constexpr int32_t kDownloadCannotWrite = -1002;   // temporary file not written
inline constexpr int32_t kDownloadCannotReplace = -1003; // old file not replaced
inline constexpr int32_t kDownloadCannotStart = -1004;   // no transfer could be set up

struct DownloadOptions {
    // Longest wait for the server to accept the connection.
    std::chrono::milliseconds connectTimeout{30000};
    // A transfer that receives no byte for this long is given up.
    std::chrono::milliseconds stallTimeout{60000};
    // Shortest time between two calls of `progress`.
    std::chrono::milliseconds progressInterval{100};
    // Called while the transfer runs with the bytes received so far and the
    // length the server announced (0 when it gave none).
    std::function<void(int64_t received, int64_t expected)> progress;
    // Judges the whole body, saved in the file it names, before it replaces
    // anything: false keeps the old file. Empty: every body is taken.
    std::function<bool(const std::string& path)> acceptBody;
    // "HOST:PORT" to connect to instead of the address's own host (the
    // request still names that host); empty for a direct connection.
    std::string connectTo;
};

// Fetches `url` (http or https, redirects followed) into `localFile`. The
// body goes to a temporary file beside the target and replaces it only when
// the whole transfer succeeded and `acceptBody` took the body, so a failure
// never touches the file already there; temporary files that earlier,
// interrupted downloads left beside the target are removed. `prepareFolder`
// creates a missing target folder first. There is no one to ask here, so
// `ownerWindow` changes nothing; `unused` is kept for callers written against
// the same arguments.
int32_t DownloadFile(const std::string& url, const std::string& localFile,
                     const std::string& unused, bool prepareFolder, int32_t ownerWindow,
                     const DownloadOptions& options = {});
