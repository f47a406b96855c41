#pragma once

#include "services/FileSystem.h"
#include "services/Result.h"

#include <cstdint>
#include <string>

// Operation codes and flags of the shell's file operation that the program uses.
inline constexpr int32_t kFileOperationCopy = 2;
inline constexpr int16_t kFileOperationNoConfirmation = 16;

// Copies the file `source` to the path `destination`. With the
// no-confirmation flag an existing destination is replaced without asking;
// without it an existing destination is kept and the call fails. The copy
// goes to a temporary name beside `destination` and is renamed over it, so a
// failed copy never leaves a half-written destination and keeps the
// previous one. Only regular files (or links to them) are copied, and never
// over a folder or a link to one. Succeeds when the copy is in place;
// other operations and empty names fail with BadName, a destination kept
// with NameTaken, a copy's own failure as CopyOver tells it.
Status ShellFileOperation(const std::string& source, const std::string& destination,
                          int32_t operation, int16_t flags);

// The same copy for a caller that has just looked at `destination` itself
// and found no folder there, nor a link (nothing, or a file): it is not
// looked at again. Anything else is looked at as above.
Status ShellFileOperationOnto(const std::string& source, const std::string& destination,
                              ItselfKind destinationKind, int32_t operation, int16_t flags);

// The checks of ShellFileOperationOnto, with the copy staged beside
// `destination` for the caller to place (see StagedCopy); `seen` gets the
// bytes the copy reads. Fails as ShellFileOperationOnto does, `destination`
// untouched.
Status StageFileOperationOnto(const std::string& source, const std::string& destination,
                              ItselfKind destinationKind, int16_t flags, StagedCopy& copy,
                              const BytesSeen& seen = {});
