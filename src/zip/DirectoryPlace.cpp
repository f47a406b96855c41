#include "zip/DirectoryPlace.h"

#include "zip/Zip64Records.h"

#include <limits>
#include <optional>

namespace {

using Outcome = DirectoryPlace::Outcome;

// What the end records state, before it is checked against the file.
struct StatedDirectory {
    uint64_t totalRecords = 0;
    uint64_t size = 0;
    uint64_t offset = 0;
    uint64_t end = 0; // where the directory really ends: at the record after it
};

bool SignatureAt(const ArchiveFile& file, uint64_t offset, uint32_t signature) {
    if (offset > file.Size() || file.Size() - offset < 4)
        return false;
    unsigned char bytes[4];
    file.ReadAt(offset, bytes, sizeof bytes);
    return ParseSignature(std::span<const unsigned char, 4>(bytes, 4)) == signature;
}

std::optional<Zip64Locator> LocatorBefore(const ArchiveFile& file, uint64_t endPosition) {
    if (endPosition < kZip64LocatorSize)
        return std::nullopt;
    unsigned char bytes[kZip64LocatorSize];
    file.ReadAt(endPosition - kZip64LocatorSize, bytes, sizeof bytes);
    const auto locator = ParseZip64Locator(bytes);
    if (locator->signature != kZip64LocatorSignature)
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

Outcome ReadZip64Directory(const ArchiveFile& file, uint64_t endPosition,
                           const Zip64Locator& locator, StatedDirectory& stated) {
    if (locator.recordDisk != 0 || locator.totalDisks > 1)
        return Outcome::Split;
    const uint64_t locatorPosition = endPosition - kZip64LocatorSize;
    const auto position = FindZip64Record(file, locator, locatorPosition);
    if (!position)
        return Outcome::NotAZip;
    unsigned char bytes[kZip64EndRecordSize];
    file.ReadAt(*position, bytes, sizeof bytes);
    const Zip64EndRecord record = *ParseZip64EndRecord(bytes);
    if (record.thisDisk != 0 || record.directoryDisk != 0)
        return Outcome::Split;
    stated = {record.totalRecords, record.directorySize, record.directoryOffset, *position};
    // Every record takes 46 bytes at least: a count the directory cannot
    // hold is a lie, and must not size anything.
    if (record.totalRecords > record.directorySize / kCentralHeaderSize ||
        record.totalRecords >= static_cast<uint64_t>(std::numeric_limits<int32_t>::max()))
        return Outcome::NotAZip;
    return Outcome::Found;
}

// The directory is stated at an offset from the start of the archive proper;
// bytes in front of it (a self-extracting program, padding) move it by their
// length, which is the distance between where it really ends and where the
// offset and size say it ends.
DirectoryPlace Settle(const ArchiveFile& file, const StatedDirectory& stated) {
    DirectoryPlace place{Outcome::Found, stated.totalRecords, stated.offset, 0};
    if (stated.size > stated.end || stated.end - stated.size <= stated.offset)
        return place; // no room in front: the offset is read as stated
    const uint64_t realStart = stated.end - stated.size;
    if (stated.totalRecords == 0 || SignatureAt(file, realStart, kCentralHeaderSignature))
        return {Outcome::Found, stated.totalRecords, realStart, realStart - stated.offset};
    if (SignatureAt(file, stated.offset, kCentralHeaderSignature))
        return place; // a directory size that lies, at an offset that does not
    return {Outcome::NotAZip};
}

} // namespace

DirectoryPlace PlaceDirectory(const ArchiveFile& file, uint64_t endPosition,
                              const EndOfCentralDirectory& end) {
    StatedDirectory stated{end.totalRecords, end.directorySize, end.directoryOffset, endPosition};
    if (const auto locator = LocatorBefore(file, endPosition)) {
        const Outcome outcome = ReadZip64Directory(file, endPosition, *locator, stated);
        if (outcome != Outcome::Found)
            return {outcome};
    } else if (end.thisDisk != 0 || end.directoryDisk != 0) {
        return {Outcome::Split};
    }
    return Settle(file, stated);
}
