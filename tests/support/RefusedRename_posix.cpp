#include "support/RefusedRename.h"

#include "services/FileCalls_posix.h"

#include <cerrno>

namespace {

std::string refused;

int RefusingRenameat2(int fromFolder, const char* from, int toFolder, const char* to,
                      unsigned flags) {
    if (from == refused) {
        errno = EBUSY;
        return -1;
    }
    return ::renameat2(fromFolder, from, toFolder, to, flags);
}

int RefusingRename(const char* from, const char* to) {
    if (from == refused) {
        errno = EBUSY;
        return -1;
    }
    return ::rename(from, to);
}

} // namespace

RefusedRename::RefusedRename(const std::string& path) {
    refused = path;
    FileCalls().renameat2 = &RefusingRenameat2;
    FileCalls().rename = &RefusingRename;
}

RefusedRename::~RefusedRename() {
    FileCalls() = PosixFileCalls{};
}
