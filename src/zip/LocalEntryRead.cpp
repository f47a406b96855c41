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

// The fixed part, name and extra field at `start`, read again when they are
// longer than the first read brought; `length` is what `bytes` holds.
Result<LocalFileHeader> ReadWholeHeader(const ArchiveFile& file, uint64_t start, ByteBuffer& buffer,
                                        unsigned char*& bytes, uint64_t& length) {
    // RequireAt made sure the whole fixed part was read: the parse cannot fail.
    const LocalFileHeader local = ParseLocalHeader({bytes, kLocalHeaderSize}).Value();
    if (local.signature != kLocalHeaderSignature)
        return local;
    if (Status name = file.RequireAt(start + kLocalHeaderSize, local.nameLength); !name)
        return name.Error();
    const uint64_t extraStart = start + kLocalHeaderSize + local.nameLength;
    if (Status extra = file.RequireAt(extraStart, local.extraLength); !extra)
        return extra.Error();
    const uint64_t headerLength = kLocalHeaderSize + local.nameLength + local.extraLength;
    if (headerLength > length) { // a local name or extra field longer than the directory's
        length = headerLength;
        bytes = buffer.Reserve(length);
        if (Status read = file.ReadAt(start, bytes, length); !read)
            return read.Error();
    }
    return local;
}

} // namespace

Result<LocalEntry> ReadLocalHeader(const ArchiveFile& file, const CentralFileHeader& central,
                                   ByteBuffer& buffer) {
    const uint64_t start = central.localHeaderOffset;
    if (Status fixed = file.RequireAt(start, kLocalHeaderSize); !fixed)
        return fixed.Error();
    uint64_t length = std::min(HeaderReadLength(central), file.Size() - start);
    unsigned char* bytes = buffer.Reserve(length);
    if (Status read = file.ReadAt(start, bytes, length); !read)
        return read.Error();
    const Result<LocalFileHeader> local = ReadWholeHeader(file, start, buffer, bytes, length);
    if (!local)
        return local.Error();
    LocalEntry entry;
    if (local->signature != kLocalHeaderSignature)
        return entry;
    const uint64_t headerLength = kLocalHeaderSize + local->nameLength + local->extraLength;
    const SettledEntryData settled = SettleEntryData(*local, central);
    entry.present = true;
    entry.localName = EntryNameText(
        {reinterpret_cast<const char*>(bytes + kLocalHeaderSize), local->nameLength}, local->flags);
    entry.dataStart = start + headerLength;
    entry.dataLength = settled.compressedSize;
    entry.crc32 = settled.crc32;
    entry.sizesAgree = settled.sizesAgree;
    if (headerLength + entry.dataLength <= length)
        entry.data = bytes + headerLength;
    return entry;
}

Status ReadLocalData(const ArchiveFile& file, LocalEntry& entry, ByteBuffer& buffer) {
    if (Status inside = file.RequireAt(entry.dataStart, entry.dataLength); !inside || entry.data)
        return inside;
    unsigned char* bytes = buffer.Reserve(entry.dataLength);
    if (Status read = file.ReadAt(entry.dataStart, bytes, entry.dataLength); !read)
        return read;
    entry.data = bytes;
    return Success();
}
