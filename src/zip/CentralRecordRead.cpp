#include "zip/CentralRecordRead.h"

#include "zip/Zip64Records.h"

#include <limits>
#include <vector>

namespace {

uint64_t Shifted(uint64_t offset, uint64_t prefix) {
    constexpr uint64_t kLargest = std::numeric_limits<uint64_t>::max();
    return offset > kLargest - prefix ? kLargest : offset + prefix;
}

// The name, extra field and comment that follow the fixed part.
Status ReadVariableParts(ArchiveFile& file, CentralFileHeader& header, std::string* rawName) {
    if (rawName) {
        Result<std::string> name = file.ReadText(header.nameLength);
        if (!name)
            return name.Error();
        *rawName = std::move(*name);
    } else if (Status skipped = file.Skip(header.nameLength); !skipped) {
        return skipped;
    }
    if (NeedsZip64Extra(header)) {
        const Result<std::vector<unsigned char>> extra = file.Read(header.extraLength);
        if (!extra)
            return extra.Error();
        ApplyZip64Extra(header, *extra);
    } else if (Status skipped = file.Skip(header.extraLength); !skipped) {
        return skipped;
    }
    return file.Skip(header.commentLength);
}

} // namespace

Result<std::optional<CentralFileHeader>> ReadCentralRecord(ArchiveFile& file, uint64_t prefix,
                                                           std::string* rawName) {
    unsigned char fixed[kCentralHeaderSize];
    if (Status read = file.Read(fixed, 4); !read)
        return read.Error();
    if (ParseSignature(std::span<const unsigned char, 4>(fixed, 4)) != kCentralHeaderSignature)
        return std::optional<CentralFileHeader>();
    if (Status read = file.Read(fixed + 4, kCentralHeaderSize - 4); !read)
        return read.Error();
    // The whole fixed part was read: the parse cannot fail.
    CentralFileHeader header = ParseCentralHeader(fixed).Value();
    if (Status rest = ReadVariableParts(file, header, rawName); !rest)
        return rest.Error();
    header.localHeaderOffset = Shifted(header.localHeaderOffset, prefix);
    return std::optional<CentralFileHeader>(header);
}
