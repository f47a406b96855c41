#pragma once

#include <cstdint>
#include <string>

// The bytes written whole under a fresh name beside `path`, which is handed
// back; throws ZipWriteError, leaving nothing behind, when that fails.
std::string WriteBytesBeside(const std::string& path, const unsigned char* bytes, uint64_t size);

// Renames `temporary` to `path`, replacing a file there; on failure the
// temporary file is removed and false returned.
bool MoveIntoPlace(const std::string& temporary, const std::string& path);
