#include "services/ProgressCaption.h"

#include "services/TextNumbers.h"

std::string ProgressCaption(int32_t value, int32_t maximum, const std::string& caption) {
    const double share = static_cast<double>(value) / static_cast<double>(maximum) * 100.0;
    return caption + " " + std::to_string(RoundHalfEven(share)) + "%";
}
