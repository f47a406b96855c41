#pragma once

#include <string>

// The user's regional formats: on Windows the user's locale, elsewhere the
// environment's locale (LC_NUMERIC, LC_TIME), read without touching the
// process-wide C locale.

// The decimal separator the user's number format writes.
std::string RegionalDecimalSeparator();

// The separator the user's number format puts between groups of three
// digits ("," in English, a narrow space in French); may be empty.
std::string RegionalThousandsSeparator();

// A whole number with its digits grouped by threes, e.g. "3,000" or "3 000".
std::string RegionalWholeNumber(long long value);

// `value` written with the regional decimal separator, e.g. "0,1" or "0.1".
std::string RegionalDecimalText(double value);

// The current time of day as the user's locale writes it, e.g. "14:05:09".
std::string RegionalTimeOfDay();

// A date and time in the user's general date format: the short date, then
// the time of day unless it is exactly midnight.
std::string RegionalGeneralDate(int year, int month, int day, int hour, int minute, int second);
