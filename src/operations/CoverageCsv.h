#pragma once

#include "app/Texts.h"
#include "operations/CoverageList.h"
#include "services/Result.h"

#include <string>
#include <vector>

// One CSV field: with a leading ' when a spreadsheet would take it for a
// formula (it starts with =, +, -, @, a tab or a carriage return); quoted,
// with its quotes doubled, when it holds a comma, a quote or a line break.
std::string CsvField(const std::string& text);

// The rows as CSV with a header line, in the view's columns and language;
// lines end with CR LF.
std::string CoverageCsv(const std::vector<CoverageRow>& rows, const Texts& texts);

// Writes the CSV to `path` as this system's spreadsheet programs read it.
// On failure (ReplaceFileContent's) the log says so and the file at `path`
// is as it was.
Status SaveCoverageCsv(const std::string& path, const std::vector<CoverageRow>& rows,
                       const Texts& texts);
