#pragma once

#include "zip/ZipRecords.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

// The ZIP64 records: an archive past 65,535 entries or 4 GiB keeps its real
// counts, sizes and offsets there, and marks the 16- and 32-bit fields that
// could not hold them.

inline constexpr uint32_t kZip64LocatorSignature = 0x07064B50;
inline constexpr uint32_t kZip64EndRecordSignature = 0x06064B50;
inline constexpr std::size_t kZip64LocatorSize = 20;
inline constexpr std::size_t kZip64EndRecordSize = 56;
inline constexpr uint16_t kZip64ExtraId = 0x0001;

// Sits just before the end record and tells where the ZIP64 end record is.
struct Zip64Locator {
    uint32_t signature = 0;
    uint32_t recordDisk = 0;
    uint64_t recordOffset = 0;
    uint32_t totalDisks = 0;
};

struct Zip64EndRecord {
    uint32_t signature = 0;
    uint64_t recordSize = 0; // of what follows this field
    uint16_t versionMadeBy = 0;
    uint16_t versionNeeded = 0;
    uint32_t thisDisk = 0;
    uint32_t directoryDisk = 0;
    uint64_t recordsOnThisDisk = 0;
    uint64_t totalRecords = 0;
    uint64_t directorySize = 0;
    uint64_t directoryOffset = 0;
};

// Like the parsers of ZipRecords.h: Damaged when the bytes are too short.
Result<Zip64Locator> ParseZip64Locator(std::span<const unsigned char> bytes);
Result<Zip64EndRecord> ParseZip64EndRecord(std::span<const unsigned char> bytes);

// True when one of the header's 32-bit fields defers to the ZIP64 extra field.
bool NeedsZip64Extra(const CentralFileHeader& header);
// Takes the widened values from the ZIP64 extra field among `extra`'s blocks:
// uncompressed size, compressed size, then offset, each present only when
// its 32-bit field holds the marker. Marks the header when one is missing;
// for headers that NeedsZip64Extra.
void ApplyZip64Extra(CentralFileHeader& header, std::span<const unsigned char> extra);
