#pragma once

#include "services/Result.h"

#include <stdexcept>
#include <string>

// How the engine fails. Inside it, the record parsers and the whole write
// path (folders, drafts, data written, files put in place) return a
// Result or Status. Failures it foresees become ZipError events with their
// numbers where the entry or archive is judged. The others leave the
// engine's public calls (ZipOpen, ExtractAllFiles, ExtractSingleFile) as the
// exceptions below, which their callers catch and show with `what()`:
//  - a write Failure is thrown there as ZipWriteError (ThrowIfFailed);
//  - reads of the archive (ArchiveFile) still throw ZipReadError from where
//    they fail, as does every reader built on them;
//  - a ZlibBinding whose library is missing throws ZlibUnavailableError,
//    which ZLibVersion turns into ZipError 1;
//  - FileName and its kin throw std::out_of_range for an index past the
//    directory;
//  - the standard library's std::bad_alloc and std::system_error (a thread
//    that cannot start) pass through as they come: the prefetch and the
//    owner's handler catch them.

// A read that cannot be satisfied from the archive: the file cannot be
// opened or read, or a record or entry reaches past its end.
class ZipReadError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// An extracted file or its folder that cannot be written.
class ZipWriteError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// A file that cannot be written, with the text the user is shown.
inline Failure CannotWrite(const std::string& path) {
    return SystemFailure("Impossible d'écrire le fichier " + path, 0);
}

// Where a write Failure leaves the engine: its `what` is the text the
// caller shows.
inline void ThrowIfFailed(const Status& status) {
    if (!status)
        throw ZipWriteError(status.Error().what);
}
