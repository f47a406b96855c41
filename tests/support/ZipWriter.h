#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Builds ZIP archives in memory for the engine's tests, so every fixture is
// readable in the test that uses it. Tests damage the result afterwards
// through the recorded offsets and PutU16/PutU32.
struct ZipWriterEntry {
    std::string name;
    std::string content;         // uncompressed bytes
    uint16_t method = 8;         // 8 deflates `content`; any other stores it as it is
    uint16_t dosDate = 0x3B62;   // 2009-11-02
    uint16_t dosTime = 0x73DD;   // 14:30:58
    bool dataDescriptor = false; // zero local sizes and CRC, a descriptor after the data
    uint16_t flags = 0;          // general-purpose flags besides the descriptor's
    std::string localExtra{};    // extra field of the local header only
    std::string localName{};     // name in the local header when not `name`
};

struct ZipLayout {
    std::string bytes;
    std::vector<uint64_t> localOffsets;   // local header of each entry
    std::vector<uint64_t> centralOffsets; // central header of each entry
    uint64_t directoryOffset = 0;
    uint64_t endRecordOffset = 0;
};

class ZipWriter {
  public:
    ZipWriter& Add(ZipWriterEntry entry);
    ZipWriter& File(const std::string& name, const std::string& content, uint16_t method = 8);
    ZipWriter& Folder(const std::string& name); // a record of size 0 named with a final "/"
    ZipWriter& Comment(const std::string& comment);
    ZipLayout Build() const;

  private:
    std::vector<ZipWriterEntry> entries_;
    std::string comment_;
};

// Raw deflate data (no zlib header or trailer), as ZIP stores it.
std::string RawDeflate(const std::string& content);
uint32_t Crc32Of(const std::string& content);

void PutU16(std::string& bytes, uint64_t offset, uint16_t value);
void PutU32(std::string& bytes, uint64_t offset, uint32_t value);

// Offsets of fields inside the records.
inline constexpr uint64_t kEndTotalRecords = 10;
inline constexpr uint64_t kEndDirectoryOffset = 16;
inline constexpr uint64_t kEndCommentLength = 20;
inline constexpr uint64_t kCentralMethod = 10;
inline constexpr uint64_t kCentralCrc = 16;
inline constexpr uint64_t kCentralUncompressedSize = 24;
inline constexpr uint64_t kCentralNameLength = 28;
inline constexpr uint64_t kCentralLocalOffset = 42;
inline constexpr uint64_t kLocalCrc = 14;
inline constexpr uint64_t kLocalCompressedSize = 18;
inline constexpr uint64_t kLocalHeaderLength = 30;
