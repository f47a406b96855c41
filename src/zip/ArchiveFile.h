#pragma once

#include "services/FileSystem.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// An archive opened for reading raw bytes, with a current position. Every
// read is checked against the file's length first, so nothing is ever read
// or allocated for bytes the file does not hold: such a read throws
// ZipReadError instead. Small reads come from a window kept in memory.
class ArchiveFile {
  public:
    // Throws ZipReadError when `path` is no regular file that can be read.
    explicit ArchiveFile(const std::string& path);
    // Nothing when `path` names no regular file.
    static std::unique_ptr<ArchiveFile> OpenRegular(const std::string& path);

    uint64_t Size() const { return handle_->Size(); }
    uint64_t Position() const { return position_; }
    // Any position may be set; the next read checks it.
    void Seek(uint64_t position) { position_ = position; }

    void Read(unsigned char* output, uint64_t length);
    std::vector<unsigned char> Read(uint64_t length);
    std::string ReadText(uint64_t length);
    void Skip(uint64_t length);
    // Throws unless `length` bytes lie between the position and the end.
    void Require(uint64_t length) const { RequireAt(position_, length); }
    // Throws unless `length` bytes lie between `offset` and the end.
    void RequireAt(uint64_t offset, uint64_t length) const;
    // Reads `length` bytes at `offset` without moving, straight from the
    // file; safe beside reads on other threads.
    void ReadAt(uint64_t offset, unsigned char* output, uint64_t length) const;

  private:
    ArchiveFile(std::unique_ptr<FileForReading> handle, const std::string& path);
    void FillWindow();

    std::unique_ptr<FileForReading> handle_;
    std::string path_;
    uint64_t position_ = 0;
    std::vector<unsigned char> window_;
    uint64_t windowStart_ = 0;
};
