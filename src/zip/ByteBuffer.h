#pragma once

#include <cstdint>
#include <memory>

// Scratch memory that grows to the largest size asked for and is reused,
// so extracting many entries costs one allocation per new maximum, and the
// peak is the largest entry rather than the archive.
class ByteBuffer {
  public:
    // At least `size` bytes of unspecified content; throws std::bad_alloc
    // when they cannot be had.
    unsigned char* Reserve(uint64_t size);
    unsigned char* Data() const { return bytes_.get(); }

  private:
    std::unique_ptr<unsigned char[]> bytes_;
    uint64_t capacity_ = 0;
};
