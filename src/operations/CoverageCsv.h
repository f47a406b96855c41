#pragma once

#include "app/Texts.h"
#include "operations/CoverageList.h"
#include "services/Machine.h"
#include "services/Result.h"

#include <string>
#include <vector>

// One CSV field: with a leading ' when a spreadsheet would take it for a
// formula (it starts with =, +, -, @, a tab or a carriage return); quoted,
// with its quotes doubled, when it holds the separator, a quote or a line
// break.
std::string CsvField(const std::string& text, const std::string& separator = ",");

// The rows as CSV with a header line, in the view's columns and language,
// fields parted by `separator` (the regional list separator; a comma when
// it is empty or holds a quote or a line break); lines end with CR LF.
std::string CoverageCsv(const std::vector<CoverageRow>& rows, const Texts& texts,
                        const std::string& separator = ",");

// Writes the CSV of the listing's rows to `path` as this system's
// spreadsheet programs read it, with `machine`'s list separator; the
// proposals still sought are sought first, as a saved list is read after
// the view is gone. On failure (ReplaceFileContent's) the log says so and
// the file at `path` is as it was.
Status SaveCoverageCsv(const std::string& path, const CoverageListing& listing, const Texts& texts,
                       const MachineFacts& machine);
