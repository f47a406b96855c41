#include "services/ZipEndProbe.h"

#include "services/PathText.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string_view>

namespace {

constexpr std::string_view kEndSignature("PK\x05\x06", 4);
constexpr std::streamoff kBlockSize = 64 * 1024;

// Reads `length` bytes at `offset`; false when the file gives fewer.
bool ReadAt(std::ifstream& in, std::streamoff offset, std::string& block, std::streamoff length) {
    block.resize(static_cast<size_t>(length));
    in.seekg(offset);
    in.read(block.data(), length);
    return in.gcount() == length;
}

} // namespace

bool HasZipEndRecord(const std::string& path) {
    std::error_code error;
    const auto fileSize = std::filesystem::file_size(FsPath(path), error);
    std::ifstream in(FsPath(path), std::ios::binary);
    if (error || !in)
        return false;
    const auto size = static_cast<std::streamoff>(fileSize);
    const std::streamoff overlap = static_cast<std::streamoff>(kEndSignature.size()) - 1;
    std::string block;
    // Each block also holds the first bytes of the block after it, so a
    // signature across a block boundary is still seen whole.
    for (std::streamoff end = size; end > 0; end -= kBlockSize) {
        const std::streamoff start = std::max<std::streamoff>(0, end - kBlockSize);
        const std::streamoff length = std::min(size - start, end - start + overlap);
        if (!ReadAt(in, start, block, length))
            return false;
        if (block.find(kEndSignature) != std::string::npos)
            return true;
    }
    return false;
}
