#pragma once

#include "services/Result.h"

#include <string>

// How the engine fails. From ArchiveFile up to its public calls every read
// of the archive, every call of zlib and every write returns a Result or
// Status; nothing of the engine's own is thrown. Failures it foresees in an
// archive become ZipError events with their numbers where the entry or the
// archive is judged. The others leave the public calls (ZipOpen,
// ExtractAllFiles, ExtractSingleFile) as a Failure whose `what` is the text
// the caller shows:
//  - a read of the archive: Damaged past the end of the file, System when
//    the system refuses it (ArchiveFile);
//  - zlib that cannot be called in the middle of an extraction: NotFound
//    (ZlibBinding; ZLibVersion turns it into ZipError 1 beforehand);
//  - a folder or file that cannot be written: System (CannotWrite).
// Only the standard library's std::bad_alloc (memory for an entry) and
// std::system_error (a thread that cannot start) may still be thrown: the
// prefetch catches them, and the callers' handlers show them.

// A file that cannot be written, with the text the user is shown.
inline Failure CannotWrite(const std::string& path) {
    return SystemFailure("Impossible d'écrire le fichier " + path, 0);
}
