#pragma once

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

// An archive opened for reading raw bytes, with a current position. Every
// read is checked against the file's length first, so nothing is ever read
// or allocated for bytes the file does not hold: such a read throws
// ZipReadError instead.
class ArchiveFile {
  public:
    explicit ArchiveFile(const std::string& path);

    uint64_t Size() const { return size_; }
    uint64_t Position() const { return position_; }
    // Any position may be set; the next read checks it.
    void Seek(uint64_t position) { position_ = position; }

    void Read(unsigned char* output, uint64_t length);
    std::vector<unsigned char> Read(uint64_t length);
    std::string ReadText(uint64_t length);
    void Skip(uint64_t length);
    // Throws unless `length` bytes lie between the position and the end.
    void Require(uint64_t length) const;

  private:
    std::string path_;
    std::ifstream in_;
    uint64_t size_ = 0;
    uint64_t position_ = 0;
    static constexpr uint64_t kUnknownPosition = UINT64_MAX;
    uint64_t streamPosition_ = 0;
};
