#pragma once

#include <cstdint>
#include <memory>
#include <string>

// The archive's file as the platform opens it. Only a regular file is
// opened: a FIFO would wait for a writer and a device may never end. Every
// read names its offset, so readers on several threads share no position.
class ArchiveHandle {
  public:
    // Nothing when `path` names no regular file. Throws ZipReadError when it
    // does but the file cannot be opened.
    static std::unique_ptr<ArchiveHandle> OpenRegularFile(const std::string& path);
    ~ArchiveHandle();
    ArchiveHandle(const ArchiveHandle&) = delete;
    ArchiveHandle& operator=(const ArchiveHandle&) = delete;

    uint64_t Size() const { return size_; }
    // Reads `length` bytes at `offset`; false unless all of them were read.
    bool ReadAt(uint64_t offset, unsigned char* output, uint64_t length) const;

  private:
    ArchiveHandle(intptr_t native, uint64_t size) : native_(native), size_(size) {}

    intptr_t native_; // the platform's own handle
    uint64_t size_;
};
