#pragma once

#include <cstdint>
#include <string>

// Writes `size` bytes as the file `path`. The bytes go to a temporary file
// beside it that is renamed into place once complete, so a failed write never
// leaves a half-written file behind. A failure throws ZipWriteError.
void WriteBytesToFile(const std::string& path, const unsigned char* bytes, uint64_t size);

// Deletes the file; true when that succeeded.
bool TryDeleteFile(const std::string& path);
