#include "operations/UndoManifest.h"

#include "services/FileSystem.h"

#include <memory>
#include <zlib.h>

std::optional<ContentStamp> StampOf(const std::string& path) {
    FileForReading::Opened outcome{};
    const std::unique_ptr<FileForReading> file = FileForReading::Open(path, outcome);
    if (!file)
        return std::nullopt;
    ContentStamp stamp{file->Size(), crc32_z(0, Z_NULL, 0)};
    // A screen is read in one piece, into a buffer each thread keeps.
    constexpr uint64_t kChunk = 1 << 20;
    thread_local const std::unique_ptr<unsigned char[]> buffer(new unsigned char[kChunk]);
    for (uint64_t done = 0; done < stamp.size;) {
        const uint64_t length = std::min(stamp.size - done, kChunk);
        if (!file->ReadAt(done, buffer.get(), length))
            return std::nullopt;
        stamp.hash =
            crc32_z(static_cast<uLong>(stamp.hash), buffer.get(), static_cast<size_t>(length));
        done += length;
    }
    return stamp;
}

void StampTaker::Add(const unsigned char* bytes, uint64_t size) {
    stamp_.size += size;
    stamp_.hash = crc32_z(static_cast<uLong>(stamp_.hash), bytes, static_cast<size_t>(size));
}

int64_t KeptCount(const UndoManifest& manifest) {
    int64_t count = 0;
    for (const UndoEntry& entry : manifest.entries)
        count += !entry.settled && entry.kept;
    return count;
}

int64_t AddedCount(const UndoManifest& manifest) {
    int64_t count = 0;
    for (const UndoEntry& entry : manifest.entries)
        count += !entry.settled && !entry.kept && entry.after.has_value();
    return count;
}
