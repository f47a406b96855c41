#include "zip/ZipDateTime.h"

static bool IsLeapYear(int32_t year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

static int32_t DaysInMonth(int32_t year, int32_t month) {
    static constexpr int32_t kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

static bool IsValid(const ZipDateTime& value) {
    if (value.month < 1 || value.month > 12)
        return false;
    if (value.day < 1 || value.day > DaysInMonth(value.year, value.month))
        return false;
    return value.hour <= 23 && value.minute <= 59 && value.second <= 59;
}

ZipDateTime DosDateTimeToZipDateTime(uint16_t dosDate, uint16_t dosTime) {
    ZipDateTime value;
    value.year = 1980 + (dosDate >> 9);
    value.month = (dosDate >> 5) & 0x0F;
    value.day = dosDate & 0x1F;
    value.hour = dosTime >> 11;
    value.minute = (dosTime >> 5) & 0x3F;
    value.second = 2 * (dosTime & 0x1F);
    return IsValid(value) ? value : ZipDateTime{};
}
