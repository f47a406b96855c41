#include "operations/CoverageCsv.h"

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

std::string CsvField(const std::string& text) {
    const std::string cell = ReadAsFormula(text) ? "'" + text : text;
    if (cell.find_first_of(",\"\r\n") == std::string::npos)
        return cell;
    std::string quoted = "\"";
    for (char c : cell) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    return quoted + "\"";
}

// One line of the list: the column's text of each column, comma-separated.
template <typename ColumnText> static std::string CsvLine(ColumnText columnText) {
    std::string line;
    for (int column = 0; column < kCoverageColumnCount; ++column)
        line += (column == 0 ? "" : ",") + CsvField(columnText(column));
    return line + "\r\n";
}

std::string CoverageCsv(const std::vector<CoverageRow>& rows, const Texts& texts) {
    std::string csv = CsvLine([&](int column) { return CoverageHeading(column, texts); });
    for (const CoverageRow& row : rows)
        csv += CsvLine([&](int column) { return CoverageCell(row, column, texts); });
    return csv;
}

Status SaveCoverageCsv(const std::string& path, const std::vector<CoverageRow>& rows,
                       const Texts& texts) {
    Status saved = ReplaceFileContent(path, SpreadsheetText(CoverageCsv(rows, texts)));
    if (!saved)
        WriteLog("Error while saving the list of screens to " + path);
    return saved;
}
