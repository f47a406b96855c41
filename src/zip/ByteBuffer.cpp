#include "zip/ByteBuffer.h"

#include <cstddef>
#include <limits>
#include <new>

unsigned char* ByteBuffer::Reserve(uint64_t size) {
    if (size <= capacity_)
        return bytes_.get();
    if (size > std::numeric_limits<std::size_t>::max())
        throw std::bad_alloc();
    bytes_.reset(); // give the old block back before asking for the larger one
    capacity_ = 0;
    bytes_ = std::make_unique_for_overwrite<unsigned char[]>(static_cast<std::size_t>(size));
    capacity_ = size;
    return bytes_.get();
}
