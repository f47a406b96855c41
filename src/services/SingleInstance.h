#pragma once

#include <string>

// One running copy per program folder. The lock lives in the user's runtime
// folder (or the temporary folder), so it works even when the program folder
// is read-only, and the system releases it when the process ends.
class SingleInstanceLock {
  public:
    // `lockFolder` empty: $XDG_RUNTIME_DIR, else the temporary folder.
    explicit SingleInstanceLock(std::string lockFolder = {});
    ~SingleInstanceLock();
    SingleInstanceLock(const SingleInstanceLock&) = delete;
    SingleInstanceLock& operator=(const SingleInstanceLock&) = delete;

    // True when no other copy holds the lock for `programFolder`; the lock is
    // then held until this object is destroyed.
    bool TryAcquire(const std::string& programFolder);

    // The lock file used for `programFolder`.
    std::string LockPathFor(const std::string& programFolder) const;

  private:
    std::string lockFolder_;
    int descriptor_ = -1;
};
