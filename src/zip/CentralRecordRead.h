#pragma once

#include "zip/ArchiveFile.h"
#include "zip/ZipRecords.h"

#include <cstdint>
#include <optional>
#include <string>

// Reads the central record at the file's position and moves past it, its
// sizes and offset widened from the ZIP64 extra field and the offset moved
// by `prefix`, the bytes in front of the archive proper. The raw name goes to
// `rawName` when asked for. Nothing when no central record starts there; the
// signature is checked before the rest of the record is required. A record
// that reaches past the end of the file fails Damaged, a read the system
// refuses fails System (ArchiveFile).
Result<std::optional<CentralFileHeader>> ReadCentralRecord(ArchiveFile& file, uint64_t prefix,
                                                           std::string* rawName);
