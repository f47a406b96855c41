#include "zip/LocalEntryRead.h"

#include "zip/ZipNameEncoding.h"

#include <algorithm>

namespace {

// Room for a local extra field longer than the directory's copy of it.
constexpr uint64_t kExtraSlack = 128;
// Data up to this size come with the header read.
constexpr uint64_t kSmallData = 8 * 1024;

uint64_t HeaderReadLength(const CentralFileHeader& central) {
    const uint64_t header =
        kLocalHeaderSize + central.nameLength + central.extraLength + kExtraSlack;
    return header + (central.compressedSize <= kSmallData ? central.compressedSize : 0);
}

} // namespace

LocalEntry ReadLocalHeader(const ArchiveFile& file, const CentralFileHeader& central,
                           ByteBuffer& buffer) {
    const uint64_t start = central.localHeaderOffset;
    file.RequireAt(start, kLocalHeaderSize);
    uint64_t length = std::min(HeaderReadLength(central), file.Size() - start);
    unsigned char* bytes = buffer.Reserve(length);
    file.ReadAt(start, bytes, length);
    // RequireAt made sure the whole fixed part was read: the parse cannot fail.
    const LocalFileHeader local = ParseLocalHeader({bytes, kLocalHeaderSize}).Value();
    LocalEntry entry;
    if (local.signature != kLocalHeaderSignature)
        return entry;
    file.RequireAt(start + kLocalHeaderSize, local.nameLength);
    file.RequireAt(start + kLocalHeaderSize + local.nameLength, local.extraLength);
    const uint64_t headerLength = kLocalHeaderSize + local.nameLength + local.extraLength;
    if (headerLength > length) { // a local name or extra field longer than the directory's
        length = headerLength;
        bytes = buffer.Reserve(length);
        file.ReadAt(start, bytes, length);
    }
    const SettledEntryData settled = SettleEntryData(local, central);
    entry.present = true;
    entry.localName = EntryNameText(
        {reinterpret_cast<const char*>(bytes + kLocalHeaderSize), local.nameLength}, local.flags);
    entry.dataStart = start + headerLength;
    entry.dataLength = settled.compressedSize;
    entry.crc32 = settled.crc32;
    entry.sizesAgree = settled.sizesAgree;
    if (headerLength + entry.dataLength <= length)
        entry.data = bytes + headerLength;
    return entry;
}

void ReadLocalData(const ArchiveFile& file, LocalEntry& entry, ByteBuffer& buffer) {
    file.RequireAt(entry.dataStart, entry.dataLength);
    if (entry.data)
        return;
    unsigned char* bytes = buffer.Reserve(entry.dataLength);
    file.ReadAt(entry.dataStart, bytes, entry.dataLength);
    entry.data = bytes;
}
