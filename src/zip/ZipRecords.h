#pragma once

#include "services/Result.h"

#include <cstddef>
#include <cstdint>
#include <span>

// The three records of the ZIP format this engine reads. Counts and lengths
// are unsigned 16-bit, sizes and offsets unsigned 32-bit, as the format
// defines them; a central header's sizes and offset are held in 64 bits, as
// the ZIP64 extra field may widen them (Zip64Records.h).

inline constexpr uint32_t kEndRecordSignature = 0x06054B50;
inline constexpr uint32_t kCentralHeaderSignature = 0x02014B50;
inline constexpr uint32_t kLocalHeaderSignature = 0x04034B50;

inline constexpr std::size_t kEndRecordSize = 22;
inline constexpr std::size_t kCentralHeaderSize = 46;
inline constexpr std::size_t kLocalHeaderSize = 30;

// General-purpose flags: the data are encrypted (traditional PKWARE or
// strong encryption), which this engine cannot undo.
inline constexpr uint16_t kEncryptedFlag = 0x0001;
inline constexpr uint16_t kStrongEncryptionFlag = 0x0040;
// General-purpose flag of the local headers: the central directory is
// enciphered, and the local values it would confirm are masked.
inline constexpr uint16_t kDirectoryEncryptedFlag = 0x2000;
// The record that opens an enciphered central directory.
inline constexpr uint32_t kArchiveExtraDataSignature = 0x08064B50;
// General-purpose flag: sizes and CRC follow the data in a data descriptor.
inline constexpr uint16_t kDataDescriptorFlag = 0x0008;
// Size field value that defers to a ZIP64 extra field.
inline constexpr uint32_t kZip64SizeMarker = 0xFFFFFFFF;

struct EndOfCentralDirectory {
    uint32_t signature = 0;
    uint16_t thisDisk = 0;
    uint16_t directoryDisk = 0;
    uint16_t recordsOnThisDisk = 0;
    uint16_t totalRecords = 0;
    uint32_t directorySize = 0;
    uint32_t directoryOffset = 0;
    uint16_t commentLength = 0;
};

// The fields the local and the central header share, in the order both
// hold them. A local header's sizes are 32-bit; the central header's may be
// widened by the ZIP64 extra field.
struct EntryHeaderFields {
    uint32_t signature = 0;
    uint16_t versionNeeded = 0;
    uint16_t flags = 0;
    uint16_t method = 0;
    uint16_t dosTime = 0;
    uint16_t dosDate = 0;
    uint32_t crc32 = 0;
    uint64_t compressedSize = 0;
    uint64_t uncompressedSize = 0;
    uint16_t nameLength = 0;
    uint16_t extraLength = 0;

    bool operator==(const EntryHeaderFields&) const = default;
};

struct CentralFileHeader : EntryHeaderFields {
    uint16_t versionMadeBy = 0; // stands between the signature and the shared fields
    uint16_t commentLength = 0;
    uint16_t startDisk = 0;
    uint16_t internalAttributes = 0;
    uint32_t externalAttributes = 0;
    uint64_t localHeaderOffset = 0;
    // A 32-bit field defers to a ZIP64 extra field that does not hold it.
    bool zip64Missing = false;

    bool operator==(const CentralFileHeader&) const = default;
};

struct LocalFileHeader : EntryHeaderFields {};

// The signature that opens every record.
uint32_t ParseSignature(std::span<const unsigned char, 4> bytes);

// Each parser takes the record's fixed part and reads its fields whatever
// they say: the signature is the caller's to check. Fails as Damaged, `what`
// naming the record, when the bytes are shorter than that fixed part.
Result<EndOfCentralDirectory> ParseEndRecord(std::span<const unsigned char> bytes);
Result<CentralFileHeader> ParseCentralHeader(std::span<const unsigned char> bytes);
Result<LocalFileHeader> ParseLocalHeader(std::span<const unsigned char> bytes);

// Length and CRC of a local entry's data once the data-descriptor and ZIP64
// cases have been settled against the central directory. The directory's
// length is the one read; a local header that states another is damaged.
struct SettledEntryData {
    uint64_t compressedSize = 0;
    uint32_t crc32 = 0;
    bool sizesAgree = true;
};

SettledEntryData SettleEntryData(const LocalFileHeader& local, const CentralFileHeader& central);
