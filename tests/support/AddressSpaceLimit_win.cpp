#include "support/AddressSpaceLimit.h"

// Windows has no per-process address-space limit a test could set in a
// child: the tests that need one skip.
std::optional<bool> RunWithAddressSpaceLimit(uint64_t, const std::function<bool()>&) {
    return std::nullopt;
}
