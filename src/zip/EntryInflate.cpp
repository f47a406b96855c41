#include "zip/EntryInflate.h"

#include <cmath>

namespace {

// Deflate cannot expand data by more than this factor (a 258-byte match
// costs at least two bits), so a larger claimed size is a lie that would
// only make us allocate memory for nothing.
constexpr uint64_t kDeflateMaxRatio = 1032;
constexpr uint64_t kDeflateMaxOverhead = 1024;

bool SizeIsPossible(uint64_t compressedSize, uint64_t uncompressedSize) {
    return uncompressedSize <= compressedSize * kDeflateMaxRatio + kDeflateMaxOverhead;
}

// The room zlib's documentation asks for: 1 % more plus 12 bytes.
uint64_t OutputCapacity(uint64_t uncompressedSize) {
    return static_cast<uint64_t>(std::nearbyint(static_cast<double>(uncompressedSize) * 1.01 + 12));
}

} // namespace

Result<bool> InflateEntry(const ZlibBinding& zlib, const unsigned char* compressed,
                          uint64_t compressedSize, uint64_t uncompressedSize, uint32_t expectedCrc,
                          ByteBuffer& output) {
    if (!SizeIsPossible(compressedSize, uncompressedSize))
        return false;
    uint64_t produced = OutputCapacity(uncompressedSize);
    unsigned char* bytes = output.Reserve(produced);
    // The result code is of no use: a stream cut short or followed by other
    // bytes shows up as a wrong size or CRC all the same.
    if (const Result<int> code = zlib.InflateRaw(bytes, produced, compressed, compressedSize);
        !code)
        return code.Error();
    if (produced < uncompressedSize)
        return false;
    const Result<uint32_t> crc = zlib.Crc32(0, bytes, uncompressedSize);
    if (!crc)
        return crc.Error();
    return *crc == expectedCrc;
}
