#include "zip/CentralRecordRead.h"

#include "zip/Zip64Records.h"

#include <limits>
#include <vector>

namespace {

uint64_t Shifted(uint64_t offset, uint64_t prefix) {
    constexpr uint64_t kLargest = std::numeric_limits<uint64_t>::max();
    return offset > kLargest - prefix ? kLargest : offset + prefix;
}

} // namespace

std::optional<CentralFileHeader> ReadCentralRecord(ArchiveFile& file, uint64_t prefix,
                                                   std::string* rawName) {
    unsigned char fixed[kCentralHeaderSize];
    file.Read(fixed, 4);
    if (ParseSignature(std::span<const unsigned char, 4>(fixed, 4)) != kCentralHeaderSignature)
        return std::nullopt;
    file.Read(fixed + 4, kCentralHeaderSize - 4);
    // The whole fixed part was read: the parse cannot fail.
    CentralFileHeader header = ParseCentralHeader(fixed).Value();
    if (rawName)
        *rawName = file.ReadText(header.nameLength);
    else
        file.Skip(header.nameLength);
    if (NeedsZip64Extra(header)) {
        const std::vector<unsigned char> extra = file.Read(header.extraLength);
        ApplyZip64Extra(header, extra);
    } else {
        file.Skip(header.extraLength);
    }
    file.Skip(header.commentLength);
    header.localHeaderOffset = Shifted(header.localHeaderOffset, prefix);
    return header;
}
