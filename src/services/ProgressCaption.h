#pragma once

#include <cstdint>
#include <string>

// The caption of a progress drawing: `caption`, a space and the share of
// `value` in `maximum` as a whole percentage (a half going to the even
// neighbour) followed by "%". `maximum` is at least 1.
std::string ProgressCaption(int32_t value, int32_t maximum, const std::string& caption);
