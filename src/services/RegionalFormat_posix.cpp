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

std::string RegionalDecimalSeparator() {
    EnvironmentLocale numeric(LC_NUMERIC_MASK);
    if (numeric.get()) {
        const char* text = nl_langinfo_l(RADIXCHAR, numeric.get());
        if (text && *text)
            return text;
    }
    return ".";
}

std::string RegionalThousandsSeparator() {
    EnvironmentLocale numeric(LC_NUMERIC_MASK);
    if (numeric.get()) {
        const char* text = nl_langinfo_l(THOUSEP, numeric.get());
        if (text)
            return text;
    }
    return {};
}

static std::string FormatTime(const char* format, const std::tm& moment) {
    EnvironmentLocale timeLocale(LC_TIME_MASK);
    char text[128] = {};
    if (timeLocale.get())
        strftime_l(text, sizeof text, format, &moment, timeLocale.get());
    else
        std::strftime(text, sizeof text, format, &moment);
    return text;
}

std::string RegionalTimeOfDay() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return FormatTime("%X", local);
}

std::string RegionalGeneralDate(int year, int month, int day, int hour, int minute, int second) {
    std::tm moment{};
    moment.tm_year = year - 1900;
    moment.tm_mon = month - 1;
    moment.tm_mday = day;
    moment.tm_hour = hour;
    moment.tm_min = minute;
    moment.tm_sec = second;
    const bool midnight = hour == 0 && minute == 0 && second == 0;
    return FormatTime(midnight ? "%x" : "%x %X", moment);
}
