#include "operations/CoverageCsv.h"

#include "services/CsvText.h"
#include "services/FileSystem.h"
#include "services/LogFile.h"
#include "services/SpreadsheetText.h"

#include <string_view>

// A spreadsheet takes a cell that starts with one of these for a formula,
// and a layout's name comes from a downloaded pack: a leading ' keeps it
// text.
static bool ReadAsFormula(const std::string& text) {
    return !text.empty() && std::string_view("=+-@\t\r").find(text[0]) != std::string_view::npos;
}

std::string CsvField(const std::string& text, const std::string& separator) {
    return QuotedCsvField(ReadAsFormula(text) ? "'" + text : text, std::string_view(separator));
}

// One line of the list: the column's text of each column, parted by `separator`.
template <typename ColumnText>
static std::string CsvLine(ColumnText columnText, const std::string& separator) {
    std::string line;
    for (int column = 0; column < kCoverageColumnCount; ++column)
        line += (column == 0 ? "" : separator) + CsvField(columnText(column), separator);
    return line + "\r\n";
}

// A list separator a user set to nothing, a quote or a line break would
// make the fields unreadable: the comma every spreadsheet knows stands in.
static std::string UsableSeparator(const std::string& separator) {
    return separator.empty() || separator.find_first_of("\"\r\n") != std::string::npos ? ","
                                                                                       : separator;
}

std::string CoverageCsv(const std::vector<CoverageRow>& rows, const Texts& texts,
                        const std::string& listSeparator) {
    const std::string separator = UsableSeparator(listSeparator);
    std::string csv =
        CsvLine([&](int column) { return CoverageHeading(column, texts); }, separator);
    for (const CoverageRow& row : rows)
        csv += CsvLine([&](int column) { return CoverageCell(row, column, texts); }, separator);
    return csv;
}

Status SaveCoverageCsv(const std::string& path, const CoverageListing& listing, const Texts& texts,
                       const MachineFacts& machine) {
    const std::vector<CoverageRow> rows = RowsWithProposals(listing);
    Status saved =
        ReplaceFileContent(path, SpreadsheetText(CoverageCsv(rows, texts, machine.listSeparator)));
    if (!saved)
        WriteLog("Error while saving the list of screens to " + path);
    return saved;
}
