#include "services/SingleInstance.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

// The lock is taken on the program folder itself, opened for reading: every
// user who can start the program there meets the same lock, there is no
// file anyone could create or hold in advance, and a read-only folder locks
// as well as any other.

SingleInstanceLock::~SingleInstanceLock() {
    if (holder_)
        close(static_cast<int>(*holder_));
}

bool SingleInstanceLock::TryAcquire(const std::string& programFolder) {
    if (holder_)
        return true;
    const int descriptor = open(programFolder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    // Without a lock we cannot tell; starting is better than refusing.
    if (descriptor < 0)
        return true;
    if (flock(descriptor, LOCK_EX | LOCK_NB) != 0) {
        const bool heldElsewhere = errno == EWOULDBLOCK;
        close(descriptor);
        return !heldElsewhere;
    }
    holder_ = descriptor;
    return true;
}
