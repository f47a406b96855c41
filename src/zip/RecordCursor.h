#pragma once

#include "services/Result.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <utility>

// Reads little-endian fields from a record's bytes. A field that would reach
// past the bytes reads as 0 and clears Ok() for good, so a caller reads the
// whole record first and checks once.
class RecordCursor {
  public:
    explicit RecordCursor(std::span<const unsigned char> bytes) : bytes_(bytes) {}

    uint16_t U16() { return static_cast<uint16_t>(Field(2)); }
    uint32_t U32() { return static_cast<uint32_t>(Field(4)); }
    uint64_t U64() { return Field(8); }
    bool Ok() const { return ok_; }

  private:
    uint64_t Field(std::size_t width) {
        if (!ok_ || width > bytes_.size() - position_) {
            ok_ = false;
            return 0;
        }
        uint64_t value = 0;
        for (std::size_t i = 0; i < width; ++i)
            value |= static_cast<uint64_t>(bytes_[position_ + i]) << (8 * i);
        position_ += width;
        return value;
    }

    std::span<const unsigned char> bytes_;
    std::size_t position_ = 0;
    bool ok_ = true;
};

// `record` as read through `cursor`, or Damaged, naming the record, when its
// bytes ran out before its last field.
template <class Record>
Result<Record> WholeRecord(const RecordCursor& cursor, Record record, const char* name) {
    if (!cursor.Ok())
        return FailureOf(FailureCause::Damaged, std::string(name) + " cut short");
    return record;
}
