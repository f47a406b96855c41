#pragma once

#include "services/FileSystem.h"

#include <cstdint>
#include <vector>

// Reads a file front to back through a buffer of its own, so a format
// walked byte by byte (a GIF's sub-blocks, a JPEG's markers) costs one
// system read per chunk. Every read says whether the file held the bytes:
// nothing it reads is trusted to fit.
class FileCursor {
  public:
    FileCursor(const FileForReading& file, uint64_t offset);

    bool Next(unsigned char& byte);
    bool Read(unsigned char* output, uint64_t length);
    bool Skip(uint64_t length);
    // Moves to the next `byte`, which Next then returns; false at the end.
    bool SkipTo(unsigned char byte);

  private:
    bool Refill();

    const FileForReading& file_;
    uint64_t offset_;                   // of the buffer's first byte in the file
    std::vector<unsigned char> buffer_; // the bytes from offset_
    size_t at_ = 0;                     // the next byte in buffer_
};
