#pragma once

#include <cstdint>
#include <span>

// Walks a file's bytes front to back, for a format read byte by byte (a
// GIF's sub-blocks, a JPEG's markers). Every read says whether the file
// held the bytes: nothing it reads is trusted to fit.
class FileCursor {
  public:
    FileCursor(std::span<const unsigned char> bytes, uint64_t offset);

    bool Next(unsigned char& byte);
    bool Read(unsigned char* output, uint64_t length);
    bool Skip(uint64_t length);
    // Moves to the next `byte`, which Next then returns; false at the end.
    bool SkipTo(unsigned char byte);

  private:
    std::span<const unsigned char> bytes_;
    uint64_t at_; // the next byte
};
