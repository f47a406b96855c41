#include "services/RegionalFormat.h"

#include "services/WideText.h"

#include <windows.h>

namespace {

std::string LocaleText(LCTYPE item, const char* fallback) {
    wchar_t text[32] = {};
    if (GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, item, text, static_cast<int>(std::size(text))) <=
            0 ||
        text[0] == L'\0')
        return fallback;
    return Utf8FromWide(text);
}

SYSTEMTIME Moment(int year, int month, int day, int hour, int minute, int second) {
    SYSTEMTIME moment{};
    moment.wYear = static_cast<WORD>(year);
    moment.wMonth = static_cast<WORD>(month);
    moment.wDay = static_cast<WORD>(day);
    moment.wHour = static_cast<WORD>(hour);
    moment.wMinute = static_cast<WORD>(minute);
    moment.wSecond = static_cast<WORD>(second);
    return moment;
}

// `when` null: the current local time.
std::string TimeText(const SYSTEMTIME* when) {
    wchar_t text[80] = {};
    if (GetTimeFormatEx(LOCALE_NAME_USER_DEFAULT, 0, when, nullptr, text,
                        static_cast<int>(std::size(text))) <= 0)
        return {};
    return Utf8FromWide(text);
}

std::string ShortDateText(const SYSTEMTIME& when) {
    wchar_t text[80] = {};
    if (GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, DATE_SHORTDATE, &when, nullptr, text,
                        static_cast<int>(std::size(text)), nullptr) <= 0)
        return {};
    return Utf8FromWide(text);
}

} // namespace

std::string RegionalDecimalSeparator() {
    return LocaleText(LOCALE_SDECIMAL, ".");
}

std::string RegionalThousandsSeparator() {
    return LocaleText(LOCALE_STHOUSAND, "");
}

std::string RegionalTimeOfDay() {
    return TimeText(nullptr);
}

std::string RegionalGeneralDate(int year, int month, int day, int hour, int minute, int second) {
    const SYSTEMTIME moment = Moment(year, month, day, hour, minute, second);
    const std::string date = ShortDateText(moment);
    const bool midnight = hour == 0 && minute == 0 && second == 0;
    return midnight ? date : date + " " + TimeText(&moment);
}
