#include "operations/CoverageCsv.h"

#include "services/FileSystem.h"
#include "services/LogFile.h"
#include "services/SpreadsheetText.h"

std::string CsvField(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos)
        return text;
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    return quoted + "\"";
}

static std::string CsvLine(std::initializer_list<std::string> fields) {
    std::string line;
    for (const std::string& field : fields)
        line += (line.empty() ? "" : ",") + CsvField(field);
    return line + "\r\n";
}

std::string CoverageCsv(const std::vector<CoverageRow>& rows, const CoverageTexts& texts) {
    std::string csv = CsvLine({texts[kCovLayoutColumn], texts[kCovScreenColumn],
                               texts[kCovLoadingPngColumn], texts[kCovActionColumn]});
    for (const CoverageRow& row : rows)
        csv += CsvLine({row.layout, ScreenText(row, texts), LoadingPngText(row, texts),
                        ActionText(row.action, texts)});
    return csv;
}

bool SaveCoverageCsv(const std::string& path, const std::vector<CoverageRow>& rows,
                     const CoverageTexts& texts) {
    if (ReplaceFileContent(path, SpreadsheetText(CoverageCsv(rows, texts))))
        return true;
    WriteLog("Error while saving the list of screens to " + path);
    return false;
}
