#pragma once

#include <string>
#include <string_view>
#include <vector>

// Comma-separated text as spreadsheets write it: a field that holds the
// separator, a quote or a line break is quoted, its quotes doubled.

std::string QuotedCsvField(std::string_view text, char separator = ',');
// The same with a separator of any length (a locale's list separator).
std::string QuotedCsvField(std::string_view text, std::string_view separator);

// One record: its fields quoted as needed, parted by commas, ended by CR LF.
std::string QuotedCsvLine(const std::vector<std::string>& fields);

// The records of `text`, each a list of fields; quoted fields may hold line
// breaks. Lines end with LF or CR LF; a UTF-8 byte-order mark at the start
// is skipped, and empty lines give no record. A quote that never closes
// runs to the end of the text.
std::vector<std::vector<std::string>> ParseCsv(std::string_view text, char separator = ',');
