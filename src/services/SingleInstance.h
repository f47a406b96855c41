#pragma once

#include <cstdint>
#include <optional>
#include <string>

// One running copy per program folder, whoever starts it. The system frees
// the lock when the process ends, however it ends.
class SingleInstanceLock {
  public:
    SingleInstanceLock() = default;
    ~SingleInstanceLock();
    SingleInstanceLock(const SingleInstanceLock&) = delete;
    SingleInstanceLock& operator=(const SingleInstanceLock&) = delete;

    // True when no other copy holds the lock for `programFolder`; the lock is
    // then held until this object is destroyed.
    bool TryAcquire(const std::string& programFolder);

    // Why the last TryAcquire let the program start without the lock, for
    // the log; empty when the lock is held.
    const std::string& WhyNotHeld() const { return whyNotHeld_; }

  private:
    std::string whyNotHeld_;
    // What holds the lock, in the platform's terms; nothing while none is held.
    std::optional<std::intptr_t> holder_;
};
