#include "zip/EntryStream.h"

#include "zip/ZipFailures.h"

#include <algorithm>
#include <span>
#include <vector>

namespace {

constexpr std::size_t kChunk = 256 * 1024;

// Reads the entry's data piece by piece into one fixed buffer.
class DataReader {
  public:
    DataReader(const ArchiveFile& file, const LocalEntry& entry)
        : file_(file), next_(entry.dataStart), left_(entry.dataLength), buffer_(kChunk) {
        file.RequireAt(entry.dataStart, entry.dataLength);
    }
    bool Done() const { return left_ == 0; }
    std::span<const unsigned char> Next() {
        const std::size_t length = static_cast<std::size_t>(std::min<uint64_t>(left_, kChunk));
        file_.ReadAt(next_, buffer_.data(), length);
        next_ += length;
        left_ -= length;
        return {buffer_.data(), length};
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
    DataReader reader(file, entry);
    std::vector<unsigned char> output(kChunk);
    std::span<const unsigned char> pending;
    uint64_t written = 0;
    uint32_t crc = 0;
    for (;;) {
        if (pending.empty() && !reader.Done())
            pending = reader.Next();
        const std::size_t offered = pending.size();
        std::size_t produced = 0;
        const StreamDecoder::State state = decoder.Decode(pending, output, produced);
        if (state == StreamDecoder::State::Broken || produced > uncompressedSize - written)
            return false;
        crc = zlib.Crc32(crc, output.data(), produced);
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
