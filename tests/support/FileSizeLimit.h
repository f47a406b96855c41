#pragma once

#include <cstdint>
#include <memory>

// Makes this process's writes fail part-way beyond `bytes` into a file, as
// they do on a full disk, for the life of the object. On POSIX the signal
// the system would send is ignored meanwhile, so the write only reports the
// failure. Windows has no such limit: Active() is false there and the tests
// that need a full disk skip.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(uint64_t bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

    bool Active() const { return saved_ != nullptr; }

  private:
    struct Saved;
    std::unique_ptr<Saved> saved_;
};

inline constexpr const char* kNoFullDisk = "no way to make writes fail as on a full disk here";
