#pragma once

#include <cstdint>
#include <functional>
#include <optional>

// Runs `work` in a child process whose address space may grow by `bytes`
// beyond what it maps at the start, so an allocation the work should never
// make fails there instead of passing unnoticed. The child's answer, or
// false when it died; nothing where no such limit exists (Windows, and
// builds whose sanitizers reserve address space of their own).
std::optional<bool> RunWithAddressSpaceLimit(uint64_t bytes, const std::function<bool()>& work);

inline constexpr const char* kNoAddressSpaceLimit = "no address-space limit here";
