#include "services/FileCursor.h"

#include <algorithm>
#include <cstring>

namespace {
constexpr uint64_t kChunk = 64 * 1024;
}

FileCursor::FileCursor(const FileForReading& file, uint64_t offset)
    : file_(file), offset_(offset) {}

bool FileCursor::Refill() {
    offset_ += buffer_.size();
    at_ = 0;
    buffer_.clear();
    if (offset_ >= file_.Size())
        return false;
    buffer_.resize(static_cast<size_t>(std::min(kChunk, file_.Size() - offset_)));
    if (file_.ReadAt(offset_, buffer_.data(), buffer_.size()))
        return true;
    buffer_.clear();
    offset_ = file_.Size(); // an unreadable rest counts as its end
    return false;
}

bool FileCursor::Next(unsigned char& byte) {
    if (at_ == buffer_.size() && !Refill())
        return false;
    byte = buffer_[at_++];
    return true;
}

bool FileCursor::Read(unsigned char* output, uint64_t length) {
    for (uint64_t i = 0; i < length; ++i)
        if (!Next(output[i]))
            return false;
    return true;
}

bool FileCursor::Skip(uint64_t length) {
    const uint64_t target = offset_ + at_ + length;
    if (target < offset_ || target > file_.Size())
        return false;
    if (target < offset_ + buffer_.size()) {
        at_ = static_cast<size_t>(target - offset_);
        return true;
    }
    buffer_.clear();
    at_ = 0;
    offset_ = target;
    return true;
}

bool FileCursor::SkipTo(unsigned char byte) {
    for (;;) {
        const auto* found = at_ < buffer_.size()
                                ? static_cast<const unsigned char*>(
                                      std::memchr(buffer_.data() + at_, byte, buffer_.size() - at_))
                                : nullptr;
        if (found) {
            at_ = static_cast<size_t>(found - buffer_.data());
            return true;
        }
        at_ = buffer_.size();
        if (!Refill())
            return false;
    }
}
