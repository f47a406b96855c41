#include "support/FileSizeLimit.h"

#include <stdexcept>

FileSizeLimit::FileSizeLimit(uint64_t bytes) {
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    sigaction(SIGXFSZ, &ignore, &previousAction_);
    getrlimit(RLIMIT_FSIZE, &previousLimit_);
    rlimit limited = previousLimit_;
    limited.rlim_cur = bytes;
    if (setrlimit(RLIMIT_FSIZE, &limited) != 0)
        throw std::runtime_error("cannot limit the size of written files");
}

FileSizeLimit::~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &previousLimit_);
    sigaction(SIGXFSZ, &previousAction_, nullptr);
}
