#pragma once

#include <string>

// A file at `path` that exists but cannot be read while the object lives:
// a FIFO without a writer on POSIX (opening it would block), a file held
// open with no sharing on Windows.
class UnreadableFile {
  public:
    explicit UnreadableFile(const std::string& path);
    ~UnreadableFile();
    UnreadableFile(const UnreadableFile&) = delete;
    UnreadableFile& operator=(const UnreadableFile&) = delete;

    bool Made() const { return made_; }

  private:
    void* handle_ = nullptr;
    bool made_ = false;
};
