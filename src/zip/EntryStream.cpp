#include "zip/EntryStream.h"

#include "zip/ZipFailures.h"

#include <algorithm>
#include <span>
#include <vector>

namespace {

constexpr std::size_t kChunk = 256 * 1024;

// Reads the entry's data piece by piece into one fixed buffer; the caller
// has checked that the file holds them all.
class DataReader {
  public:
    DataReader(const ArchiveFile& file, const LocalEntry& entry)
        : file_(file), next_(entry.dataStart), left_(entry.dataLength), buffer_(kChunk) {}
    bool Done() const { return left_ == 0; }
    Result<std::span<const unsigned char>> Next() {
        const std::size_t length = static_cast<std::size_t>(std::min<uint64_t>(left_, kChunk));
        if (Status read = file_.ReadAt(next_, buffer_.data(), length); !read)
            return read.Error();
        next_ += length;
        left_ -= length;
        return std::span<const unsigned char>(buffer_.data(), length);
    }

  private:
    const ArchiveFile& file_;
    uint64_t next_;
    uint64_t left_;
    std::vector<unsigned char> buffer_;
};

} // namespace

Result<bool> DecodeEntryInto(const ArchiveFile& file, const ZlibBinding& zlib,
                             const LocalEntry& entry, uint64_t uncompressedSize,
                             StreamDecoder& decoder, NewFile& draft) {
    if (Status inside = file.RequireAt(entry.dataStart, entry.dataLength); !inside)
        return inside.Error();
    DataReader reader(file, entry);
    std::vector<unsigned char> output(kChunk);
    std::span<const unsigned char> pending;
    uint64_t written = 0;
    uint32_t crc = 0;
    for (;;) {
        if (pending.empty() && !reader.Done()) {
            Result<std::span<const unsigned char>> next = reader.Next();
            if (!next)
                return next.Error();
            pending = *next;
        }
        const std::size_t offered = pending.size();
        std::size_t produced = 0;
        const StreamDecoder::State state = decoder.Decode(pending, output, produced);
        if (state == StreamDecoder::State::Broken || produced > uncompressedSize - written)
            return false;
        const Result<uint32_t> continued = zlib.Crc32(crc, output.data(), produced);
        if (!continued)
            return continued.Error();
        crc = *continued;
        if (!draft.Write(output.data(), produced))
            return CannotWrite(draft.Path());
        written += produced;
        if (state == StreamDecoder::State::Ended)
            break;
        // All data given and nothing more comes out: the stream was cut short.
        if (produced == 0 && pending.size() == offered && reader.Done())
            return false;
    }
    return written == uncompressedSize && crc == entry.crc32;
}
