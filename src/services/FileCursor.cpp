#include "services/FileCursor.h"

#include <cstring>

FileCursor::FileCursor(std::span<const unsigned char> bytes, uint64_t offset)
    : bytes_(bytes), at_(offset) {}

bool FileCursor::Next(unsigned char& byte) {
    if (at_ >= bytes_.size())
        return false;
    byte = bytes_[static_cast<size_t>(at_++)];
    return true;
}

bool FileCursor::Read(unsigned char* output, uint64_t length) {
    if (at_ > bytes_.size() || length > bytes_.size() - at_)
        return false;
    std::memcpy(output, bytes_.data() + at_, static_cast<size_t>(length));
    at_ += length;
    return true;
}

bool FileCursor::Skip(uint64_t length) {
    if (at_ > bytes_.size() || length > bytes_.size() - at_)
        return false;
    at_ += length;
    return true;
}

bool FileCursor::SkipTo(unsigned char byte) {
    if (at_ >= bytes_.size())
        return false;
    const void* found = std::memchr(bytes_.data() + at_, byte, bytes_.size() - at_);
    if (!found) {
        at_ = bytes_.size();
        return false;
    }
    at_ = static_cast<uint64_t>(static_cast<const unsigned char*>(found) - bytes_.data());
    return true;
}
