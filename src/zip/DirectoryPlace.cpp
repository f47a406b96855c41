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

Result<bool> SignatureAt(const ArchiveFile& file, uint64_t offset, uint32_t signature) {
    if (offset > file.Size() || file.Size() - offset < 4)
        return false;
    unsigned char bytes[4];
    if (Status read = file.ReadAt(offset, bytes, sizeof bytes); !read)
        return read.Error();
    return ParseSignature(std::span<const unsigned char, 4>(bytes, 4)) == signature;
}

// The fixed part of the record at `offset` when `present` says one starts
// there and the file holds all of it; nothing otherwise.
template <class Record, std::size_t Size, class Parse>
Result<std::optional<Record>> FixedRecordAt(const ArchiveFile& file, uint64_t offset,
                                            const Result<bool>& present, Parse parse) {
    if (!present)
        return present.Error();
    if (!*present || file.Size() - offset < Size)
        return std::optional<Record>();
    unsigned char bytes[Size];
    if (Status read = file.ReadAt(offset, bytes, sizeof bytes); !read)
        return read.Error();
    return std::optional<Record>(parse(bytes).Value());
}

Result<std::optional<CentralFileHeader>> CentralRecordAt(const ArchiveFile& file, uint64_t offset) {
    return FixedRecordAt<CentralFileHeader, kCentralHeaderSize>(
        file, offset, SignatureAt(file, offset, kCentralHeaderSignature),
        [](const unsigned char* bytes) {
            return ParseCentralHeader({bytes, kCentralHeaderSize});
        });
}

Result<std::optional<LocalFileHeader>> LocalRecordAt(const ArchiveFile& file, uint64_t offset) {
    return FixedRecordAt<LocalFileHeader, kLocalHeaderSize>(
        file, offset, LocalHeaderAt(file, offset), [](const unsigned char* bytes) {
            return ParseLocalHeader({bytes, kLocalHeaderSize});
        });
}

Result<std::optional<Zip64Locator>> LocatorBefore(const ArchiveFile& file, uint64_t endPosition) {
    if (endPosition < kZip64LocatorSize)
        return std::optional<Zip64Locator>();
    unsigned char bytes[kZip64LocatorSize];
    if (Status read = file.ReadAt(endPosition - kZip64LocatorSize, bytes, sizeof bytes); !read)
        return read.Error();
    const Zip64Locator locator = ParseZip64Locator(bytes).Value();
    if (locator.signature != kZip64LocatorSignature)
        return std::optional<Zip64Locator>();
    return std::optional<Zip64Locator>(locator);
}

// The ZIP64 end record where the locator says, or, in an archive with bytes
// in front of it, just before the locator, where writers put it.
Result<std::optional<uint64_t>>
FindZip64Record(const ArchiveFile& file, const Zip64Locator& locator, uint64_t locatorPosition) {
    const uint64_t candidates[] = {locator.recordOffset,
                                   locatorPosition >= kZip64EndRecordSize
                                       ? locatorPosition - kZip64EndRecordSize
                                       : std::numeric_limits<uint64_t>::max()};
    for (uint64_t candidate : candidates) {
        if (candidate > locatorPosition || locatorPosition - candidate < kZip64EndRecordSize)
            continue;
        const Result<bool> found = SignatureAt(file, candidate, kZip64EndRecordSignature);
        if (!found)
            return found.Error();
        if (*found)
            return std::optional<uint64_t>(candidate);
    }
    return std::optional<uint64_t>();
}

// Disk numbers alone do not make an archive split: writers set them in
// one-file archives too. Only a record the file does not hold does.
Result<Outcome> ReadZip64Directory(const ArchiveFile& file, uint64_t endPosition,
                                   const Zip64Locator& locator, StatedDirectory& stated) {
    const bool locatorNumbered = locator.recordDisk != 0 || locator.totalDisks > 1;
    const uint64_t locatorPosition = endPosition - kZip64LocatorSize;
    const auto position = FindZip64Record(file, locator, locatorPosition);
    if (!position)
        return position.Error();
    if (!*position)
        return locatorNumbered ? Outcome::Split : Outcome::NotAZip;
    unsigned char bytes[kZip64EndRecordSize];
    if (Status read = file.ReadAt(**position, bytes, sizeof bytes); !read)
        return read.Error();
    const Zip64EndRecord record = ParseZip64EndRecord(bytes).Value();
    stated = {record.totalRecords, record.directorySize, record.directoryOffset, **position,
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
Result<bool> DirectoryEncrypted(const ArchiveFile& file, const StatedDirectory& stated,
                                uint64_t prefix) {
    for (uint64_t offset : {stated.offset, stated.end - stated.size}) {
        const Result<bool> extraData = SignatureAt(file, offset, kArchiveExtraDataSignature);
        if (!extraData || *extraData)
            return extraData;
    }
    const auto local = LocalRecordAt(file, prefix);
    if (!local)
        return local.Error();
    return *local && ((*local)->flags & kDirectoryEncryptedFlag) != 0;
}

// The shift computed from the end record holds when the first entry's
// local header lies where the shift puts it. Some writers move the
// directory without rewriting its offset: the entries then sit where their
// own offsets say, and no shift applies to them.
Result<uint64_t> CheckedPrefix(const ArchiveFile& file, uint64_t start, uint64_t prefix) {
    const auto first = CentralRecordAt(file, start);
    if (!first)
        return first.Error();
    if (!*first || (*first)->localHeaderOffset == kZip64SizeMarker)
        return prefix;
    const uint64_t offset = (*first)->localHeaderOffset;
    const Result<bool> shifted = LocalHeaderAt(file, offset + prefix);
    if (!shifted || *shifted)
        return shifted ? Result<uint64_t>(prefix) : shifted.Error();
    const Result<bool> unshifted = LocalHeaderAt(file, offset);
    if (!unshifted)
        return unshifted.Error();
    return *unshifted ? 0 : prefix;
}

// A directory found neither where it is stated nor where it really ends.
Result<DirectoryPlace> Unplaced(const ArchiveFile& file, const StatedDirectory& stated,
                                uint64_t realStart) {
    const Result<bool> encrypted =
        DirectoryEncrypted(file, stated, realStart > stated.offset ? realStart - stated.offset : 0);
    if (!encrypted)
        return encrypted.Error();
    if (*encrypted)
        return DirectoryPlace{Outcome::Encrypted};
    return DirectoryPlace{stated.disksNumbered ? Outcome::Split : Outcome::NotAZip};
}

// The directory is stated at an offset from the start of the archive proper;
// bytes in front of it (a self-extracting program, padding) move it by their
// length, which is the distance between where it really ends and where the
// offset and size say it ends.
Result<DirectoryPlace> Settle(const ArchiveFile& file, const StatedDirectory& stated) {
    DirectoryPlace place{Outcome::Found,      stated.totalRecords, stated.offset, stated.end, 0,
                         stated.disksNumbered};
    const uint64_t realStart = stated.end - stated.size;
    const Result<bool> movedFound = realStart > stated.offset && stated.totalRecords != 0
                                        ? SignatureAt(file, realStart, kCentralHeaderSignature)
                                        : Result<bool>(realStart > stated.offset);
    if (!movedFound)
        return movedFound.Error();
    if (*movedFound) {
        const Result<uint64_t> prefix = CheckedPrefix(file, realStart, realStart - stated.offset);
        if (!prefix)
            return prefix.Error();
        place.start = realStart;
        place.prefix = *prefix;
        return place;
    }
    const Result<bool> statedFound = SignatureAt(file, stated.offset, kCentralHeaderSignature);
    if (!statedFound)
        return statedFound.Error();
    if (*statedFound || (realStart <= stated.offset && stated.totalRecords == 0))
        return place; // no room in front, or a size that lies at an offset that does not
    return Unplaced(file, stated, realStart);
}

} // namespace

Result<bool> LocalHeaderAt(const ArchiveFile& file, uint64_t offset) {
    return SignatureAt(file, offset, kLocalHeaderSignature);
}

Result<DirectoryPlace> PlaceDirectory(const ArchiveFile& file, uint64_t endPosition,
                                      const EndOfCentralDirectory& end) {
    StatedDirectory stated{end.totalRecords, end.directorySize, end.directoryOffset, endPosition,
                           end.thisDisk != 0 || end.directoryDisk != 0};
    const auto locator = LocatorBefore(file, endPosition);
    if (!locator)
        return locator.Error();
    if (*locator) {
        const Result<Outcome> outcome = ReadZip64Directory(file, endPosition, **locator, stated);
        if (!outcome)
            return outcome.Error();
        if (*outcome != Outcome::Found)
            return DirectoryPlace{*outcome};
    }
    if (!FitsInTheFile(stated))
        return DirectoryPlace{stated.disksNumbered ? Outcome::Split : Outcome::NotAZip};
    return Settle(file, stated);
}
