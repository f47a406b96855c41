#include "zip/EndRecordSearch.h"

#include "zip/ZipRecords.h"

#include <algorithm>
#include <vector>

namespace {

constexpr uint64_t kBlockSize = 64 * 1024;
constexpr uint64_t kSignatureTail = 3; // a signature may straddle two blocks

bool SignatureAt(const std::vector<unsigned char>& block, uint64_t index) {
    const uint32_t value = block[index] | (block[index + 1] << 8) | (block[index + 2] << 16) |
                           (static_cast<uint32_t>(block[index + 3]) << 24);
    return value == kEndRecordSignature;
}

// Searches the candidate offsets [start, end) from the highest down.
Result<std::optional<uint64_t>> SearchBlock(ArchiveFile& file, uint64_t start, uint64_t end,
                                            std::vector<unsigned char>& block) {
    const uint64_t readEnd = std::min(end + kSignatureTail, file.Size());
    block.resize(readEnd - start);
    file.Seek(start);
    if (Status read = file.Read(block.data(), block.size()); !read)
        return read.Error();
    for (uint64_t offset = end; offset-- > start;)
        if (SignatureAt(block, offset - start))
            return std::optional<uint64_t>(offset);
    return std::optional<uint64_t>();
}

} // namespace

Result<std::optional<uint64_t>> FindEndRecord(ArchiveFile& file) {
    Result<std::optional<uint64_t>> found = std::optional<uint64_t>();
    std::vector<unsigned char> block;
    if (file.Size() >= 4) {
        uint64_t end = file.Size() - kSignatureTail; // one past the last candidate
        while (found && !*found && end > 0) {
            const uint64_t start = end > kBlockSize ? end - kBlockSize : 0;
            found = SearchBlock(file, start, end, block);
            end = start;
        }
    }
    file.Seek(file.Size());
    return found;
}
