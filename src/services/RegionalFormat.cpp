#include "services/RegionalFormat.h"

#include <cstdio>
#include <ctime>
#include <langinfo.h>
#include <locale.h>

namespace {

// A locale object built from the environment for one category; falls back
// to "C" when the environment names a locale this system does not have.
class EnvironmentLocale {
  public:
    explicit EnvironmentLocale(int categoryMask) {
        handle_ = newlocale(categoryMask, "", static_cast<locale_t>(nullptr));
        if (!handle_)
            handle_ = newlocale(categoryMask, "C", static_cast<locale_t>(nullptr));
    }
    ~EnvironmentLocale() {
        if (handle_)
            freelocale(handle_);
    }
    EnvironmentLocale(const EnvironmentLocale&) = delete;
    EnvironmentLocale& operator=(const EnvironmentLocale&) = delete;
    locale_t get() const { return handle_; }

  private:
    locale_t handle_ = nullptr;
};

} // namespace

std::string RegionalDecimalText(double value) {
    EnvironmentLocale numeric(LC_NUMERIC_MASK);
    std::string radix = ".";
    if (numeric.get()) {
        const char* text = nl_langinfo_l(RADIXCHAR, numeric.get());
        if (text && *text)
            radix = text;
    }
    char digits[64];
    std::snprintf(digits, sizeof digits, "%.15g", value);
    std::string result = digits;
    if (auto dot = result.find('.'); dot != std::string::npos)
        result.replace(dot, 1, radix);
    return result;
}

std::string RegionalTimeOfDay() {
    EnvironmentLocale timeLocale(LC_TIME_MASK);
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[64] = {};
    if (timeLocale.get())
        strftime_l(text, sizeof text, "%X", &local, timeLocale.get());
    else
        std::strftime(text, sizeof text, "%H:%M:%S", &local);
    return text;
}
