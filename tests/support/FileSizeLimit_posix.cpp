#include "support/FileSizeLimit.h"

#include <csignal>
#include <stdexcept>
#include <sys/resource.h>

struct FileSizeLimit::Saved {
    rlimit limit{};
    struct sigaction action {};
};

FileSizeLimit::FileSizeLimit(uint64_t bytes) : saved_(std::make_unique<Saved>()) {
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    sigaction(SIGXFSZ, &ignore, &saved_->action);
    getrlimit(RLIMIT_FSIZE, &saved_->limit);
    rlimit limited = saved_->limit;
    limited.rlim_cur = bytes;
    if (setrlimit(RLIMIT_FSIZE, &limited) != 0)
        throw std::runtime_error("cannot limit the size of written files");
}

FileSizeLimit::~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &saved_->limit);
    sigaction(SIGXFSZ, &saved_->action, nullptr);
}
