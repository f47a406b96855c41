#pragma once

#include <cstdint>

// An entry's date and time to the second, as the archive's MS-DOS fields give it.
struct ZipDateTime {
    int32_t year = 1601;
    int32_t month = 1;
    int32_t day = 1;
    int32_t hour = 0;
    int32_t minute = 0;
    int32_t second = 0;

    friend bool operator==(const ZipDateTime&, const ZipDateTime&) = default;
};

// The MS-DOS rule, without any time-zone change. A pair that names no real
// date and time gives 1 January 1601, 00:00:00, the zero of a file time.
ZipDateTime DosDateTimeToZipDateTime(uint16_t dosDate, uint16_t dosTime);
