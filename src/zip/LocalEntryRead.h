#pragma once

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
// past the end of the file throw ZipReadError, the data excepted: that is
// left to ReadLocalData, so an entry refused before is never read. Reads by
// offset only, so it may run on any thread.
LocalEntry ReadLocalHeader(const ArchiveFile& file, const CentralFileHeader& central,
                           ByteBuffer& buffer);

// Makes `entry.data` point at its data, reading what the header read did not
// bring; throws ZipReadError when the data reach past the end of the file.
void ReadLocalData(const ArchiveFile& file, LocalEntry& entry, ByteBuffer& buffer);
