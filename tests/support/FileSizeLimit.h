#pragma once

#include <csignal>
#include <cstdint>
#include <sys/resource.h>

// Makes this process's writes fail part-way beyond `bytes` into a file, as
// they do on a full disk, for the life of the object. The signal the system
// would send is ignored meanwhile, so the write only reports the failure.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(uint64_t bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

  private:
    rlimit previousLimit_{};
    struct sigaction previousAction_ {};
};
