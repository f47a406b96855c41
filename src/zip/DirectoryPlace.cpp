#include "zip/DirectoryPlace.h"

#include "zip/Zip64Records.h"

#include <limits>
#include <optional>

namespace {

using Outcome = DirectoryPlace::Outcome;

// Every parser below is handed a record's whole fixed part, read in full:
// none can fail, so their values are taken without a second look.

// What the end records state, before it is checked against the file.
struct StatedDirectory {
    uint64_t totalRecords = 0;
    uint64_t size = 0;
    uint64_t offset = 0;
    uint64_t end = 0; // where the directory really ends: at the record after it
    bool disksNumbered = false;
};

bool SignatureAt(const ArchiveFile& file, uint64_t offset, uint32_t signature) {
    if (offset > file.Size() || file.Size() - offset < 4)
        return false;
    unsigned char bytes[4];
    file.ReadAt(offset, bytes, sizeof bytes);
    return ParseSignature(std::span<const unsigned char, 4>(bytes, 4)) == signature;
}

std::optional<CentralFileHeader> CentralRecordAt(const ArchiveFile& file, uint64_t offset) {
    if (!SignatureAt(file, offset, kCentralHeaderSignature) ||
        file.Size() - offset < kCentralHeaderSize)
        return std::nullopt;
    unsigned char bytes[kCentralHeaderSize];
    file.ReadAt(offset, bytes, sizeof bytes);
    return ParseCentralHeader(bytes).Value();
}

std::optional<LocalFileHeader> LocalRecordAt(const ArchiveFile& file, uint64_t offset) {
    if (!LocalHeaderAt(file, offset) || file.Size() - offset < kLocalHeaderSize)
        return std::nullopt;
    unsigned char bytes[kLocalHeaderSize];
    file.ReadAt(offset, bytes, sizeof bytes);
    return ParseLocalHeader(bytes).Value();
}

std::optional<Zip64Locator> LocatorBefore(const ArchiveFile& file, uint64_t endPosition) {
    if (endPosition < kZip64LocatorSize)
        return std::nullopt;
    unsigned char bytes[kZip64LocatorSize];
    file.ReadAt(endPosition - kZip64LocatorSize, bytes, sizeof bytes);
    const Zip64Locator locator = ParseZip64Locator(bytes).Value();
    if (locator.signature != kZip64LocatorSignature)
        return std::nullopt;
    return locator;
}

// The ZIP64 end record where the locator says, or, in an archive with bytes
// in front of it, just before the locator, where writers put it.
std::optional<uint64_t> FindZip64Record(const ArchiveFile& file, const Zip64Locator& locator,
                                        uint64_t locatorPosition) {
    const uint64_t candidates[] = {locator.recordOffset,
                                   locatorPosition >= kZip64EndRecordSize
                                       ? locatorPosition - kZip64EndRecordSize
                                       : std::numeric_limits<uint64_t>::max()};
    for (uint64_t candidate : candidates)
        if (candidate <= locatorPosition && locatorPosition - candidate >= kZip64EndRecordSize &&
            SignatureAt(file, candidate, kZip64EndRecordSignature))
            return candidate;
    return std::nullopt;
}

// Disk numbers alone do not make an archive split: writers set them in
// one-file archives too. Only a record the file does not hold does.
Outcome ReadZip64Directory(const ArchiveFile& file, uint64_t endPosition,
                           const Zip64Locator& locator, StatedDirectory& stated) {
    const bool locatorNumbered = locator.recordDisk != 0 || locator.totalDisks > 1;
    const uint64_t locatorPosition = endPosition - kZip64LocatorSize;
    const auto position = FindZip64Record(file, locator, locatorPosition);
    if (!position)
        return locatorNumbered ? Outcome::Split : Outcome::NotAZip;
    unsigned char bytes[kZip64EndRecordSize];
    file.ReadAt(*position, bytes, sizeof bytes);
    const Zip64EndRecord record = ParseZip64EndRecord(bytes).Value();
    stated = {record.totalRecords, record.directorySize, record.directoryOffset, *position,
              stated.disksNumbered || locatorNumbered || record.thisDisk != 0 ||
                  record.directoryDisk != 0};
    if (record.totalRecords >= static_cast<uint64_t>(std::numeric_limits<int32_t>::max()))
        return Outcome::NotAZip;
    return Outcome::Found;
}

// Nothing is sized from the stated count, but a count or a size the file
// cannot back is a lie that refuses the archive before any walk: every
// record takes 46 bytes at least, and the directory lies before its end.
bool FitsInTheFile(const StatedDirectory& stated) {
    return stated.size <= stated.end && stated.totalRecords <= stated.size / kCentralHeaderSize;
}

// A writer that enciphers the directory leaves no central record to find:
// an archive extra data record opens it, and the first local header says so.
bool DirectoryEncrypted(const ArchiveFile& file, const StatedDirectory& stated, uint64_t prefix) {
    if (SignatureAt(file, stated.offset, kArchiveExtraDataSignature) ||
        SignatureAt(file, stated.end - stated.size, kArchiveExtraDataSignature))
        return true;
    const auto local = LocalRecordAt(file, prefix);
    return local && (local->flags & kDirectoryEncryptedFlag) != 0;
}

// The shift computed from the end record holds when the first entry's
// local header lies where the shift puts it. Some writers move the
// directory without rewriting its offset: the entries then sit where their
// own offsets say, and no shift applies to them.
uint64_t CheckedPrefix(const ArchiveFile& file, uint64_t start, uint64_t prefix) {
    const auto first = CentralRecordAt(file, start);
    if (!first || first->localHeaderOffset == kZip64SizeMarker ||
        LocalHeaderAt(file, first->localHeaderOffset + prefix) ||
        !LocalHeaderAt(file, first->localHeaderOffset))
        return prefix;
    return 0;
}

// The directory is stated at an offset from the start of the archive proper;
// bytes in front of it (a self-extracting program, padding) move it by their
// length, which is the distance between where it really ends and where the
// offset and size say it ends.
DirectoryPlace Settle(const ArchiveFile& file, const StatedDirectory& stated) {
    DirectoryPlace place{Outcome::Found,      stated.totalRecords, stated.offset, stated.end, 0,
                         stated.disksNumbered};
    const uint64_t realStart = stated.end - stated.size;
    if (realStart > stated.offset &&
        (stated.totalRecords == 0 || SignatureAt(file, realStart, kCentralHeaderSignature))) {
        place.start = realStart;
        place.prefix = CheckedPrefix(file, realStart, realStart - stated.offset);
        return place;
    }
    if (SignatureAt(file, stated.offset, kCentralHeaderSignature) ||
        (realStart <= stated.offset && stated.totalRecords == 0))
        return place; // no room in front, or a size that lies at an offset that does not
    if (DirectoryEncrypted(file, stated, realStart > stated.offset ? realStart - stated.offset : 0))
        return {Outcome::Encrypted};
    return {stated.disksNumbered ? Outcome::Split : Outcome::NotAZip};
}

} // namespace

bool LocalHeaderAt(const ArchiveFile& file, uint64_t offset) {
    return SignatureAt(file, offset, kLocalHeaderSignature);
}

DirectoryPlace PlaceDirectory(const ArchiveFile& file, uint64_t endPosition,
                              const EndOfCentralDirectory& end) {
    StatedDirectory stated{end.totalRecords, end.directorySize, end.directoryOffset, endPosition,
                           end.thisDisk != 0 || end.directoryDisk != 0};
    if (const auto locator = LocatorBefore(file, endPosition)) {
        const Outcome outcome = ReadZip64Directory(file, endPosition, *locator, stated);
        if (outcome != Outcome::Found)
            return {outcome};
    }
    if (!FitsInTheFile(stated))
        return {stated.disksNumbered ? Outcome::Split : Outcome::NotAZip};
    return Settle(file, stated);
}
