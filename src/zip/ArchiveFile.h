#pragma once

#include "services/FileSystem.h"
#include "services/Result.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// An archive opened for reading raw bytes, with a current position. Every
// read is checked against the file's length first, so nothing is ever read
// or allocated for bytes the file does not hold. Small reads come from a
// window kept in memory.
//
// How its calls fail, and every reader built on it with them: a read that
// reaches past the end of the file fails Damaged; a file the system will not
// open or read fails System. The Failure's `what` is the text the user is
// shown, and a failed read leaves the position where it was.
class ArchiveFile {
  public:
    // Fails when `path` is no regular file that can be read.
    static Result<std::unique_ptr<ArchiveFile>> Open(const std::string& path);
    // Nothing (a null pointer) when `path` names no regular file; fails when
    // one is there that the system refuses to open.
    static Result<std::unique_ptr<ArchiveFile>> OpenRegular(const std::string& path);

    uint64_t Size() const { return handle_->Size(); }
    uint64_t Position() const { return position_; }
    // Any position may be set; the next read checks it.
    void Seek(uint64_t position) { position_ = position; }

    Status Read(unsigned char* output, uint64_t length);
    Result<std::vector<unsigned char>> Read(uint64_t length);
    Result<std::string> ReadText(uint64_t length);
    Status Skip(uint64_t length);
    // Fails unless `length` bytes lie between the position and the end.
    Status Require(uint64_t length) const { return RequireAt(position_, length); }
    // Fails unless `length` bytes lie between `offset` and the end.
    Status RequireAt(uint64_t offset, uint64_t length) const;
    // Reads `length` bytes at `offset` without moving, straight from the
    // file; safe beside reads on other threads.
    Status ReadAt(uint64_t offset, unsigned char* output, uint64_t length) const;

  private:
    ArchiveFile(std::unique_ptr<FileForReading> handle, const std::string& path);
    Status FillWindow();

    std::unique_ptr<FileForReading> handle_;
    std::string path_;
    uint64_t position_ = 0;
    std::vector<unsigned char> window_;
    uint64_t windowStart_ = 0;
};
