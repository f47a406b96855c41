#include "support/AddressSpaceLimit.h"

#include <fstream>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// AddressSanitizer and ThreadSanitizer reserve terabytes for their shadow.
constexpr bool kSanitized =
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
    true;
#elif defined(__has_feature)
    __has_feature(address_sanitizer) || __has_feature(thread_sanitizer);
#else
    false;
#endif

uint64_t MappedBytes() {
    std::ifstream statm("/proc/self/statm");
    uint64_t pages = 0;
    statm >> pages;
    return pages * static_cast<uint64_t>(sysconf(_SC_PAGESIZE));
}

} // namespace

std::optional<bool> RunWithAddressSpaceLimit(uint64_t bytes, const std::function<bool()>& work) {
    if (kSanitized)
        return std::nullopt;
    const pid_t child = fork();
    if (child < 0)
        return std::nullopt;
    if (child == 0) {
        const rlimit limit{MappedBytes() + bytes, MappedBytes() + bytes};
        bool answer = false;
        try {
            answer = setrlimit(RLIMIT_AS, &limit) == 0 && work();
        } catch (...) {
            answer = false;
        }
        _exit(answer ? 0 : 1);
    }
    int status = 0;
    if (waitpid(child, &status, 0) != child)
        return false;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}
