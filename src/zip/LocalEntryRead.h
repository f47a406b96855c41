#pragma once

#include "services/Result.h"
#include "zip/ArchiveFile.h"
#include "zip/ByteBuffer.h"
#include "zip/ZipRecords.h"

#include <cstdint>
#include <string>

// One entry's local header as read from the archive, with its data once
// ReadLocalData has run.
struct LocalEntry {
    bool present = false; // false: no local header signature where the directory points
    std::string localName;
    uint64_t dataStart = 0;
    uint64_t dataLength = 0; // sizes and CRC settled against the directory
    uint32_t crc32 = 0;
    bool sizesAgree = true; // the local header states the directory's data length
    const unsigned char* data = nullptr;
};

// Reads the local header, name and extra field of the entry `central` points
// at, and with them the data of a small entry, in one positioned read. Parts
// past the end of the file fail Damaged, the data excepted: that is left to
// ReadLocalData, so an entry refused before is never read; a read the system
// refuses fails System. Reads by offset only, so it may run on any thread.
Result<LocalEntry> ReadLocalHeader(const ArchiveFile& file, const CentralFileHeader& central,
                                   ByteBuffer& buffer);

// Makes `entry.data` point at its data, reading what the header read did not
// bring; fails Damaged when the data reach past the end of the file, System
// when the system refuses the read.
Status ReadLocalData(const ArchiveFile& file, LocalEntry& entry, ByteBuffer& buffer);
