#include "services/CsvText.h"

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// Reads one field from `at`, leaving `at` on the separator or line end
// that follows it.
std::string NextField(std::string_view text, size_t& at, char separator) {
    std::string field;
    if (at < text.size() && text[at] == '"') {
        for (++at; at < text.size(); ++at) {
            if (text[at] != '"') {
                field += text[at];
            } else if (at + 1 < text.size() && text[at + 1] == '"') {
                field += '"';
                ++at;
            } else {
                ++at;
                break;
            }
        }
    }
    // Text after a closing quote, or an unquoted field, runs to the separator.
    while (at < text.size() && text[at] != separator && text[at] != '\n' && text[at] != '\r')
        field += text[at++];
    return field;
}

} // namespace

std::string QuotedCsvField(std::string_view text, char separator) {
    return QuotedCsvField(text, std::string_view(&separator, 1));
}

std::string QuotedCsvField(std::string_view text, std::string_view separator) {
    if (text.find_first_of("\"\r\n") == std::string_view::npos &&
        (separator.empty() || text.find(separator) == std::string_view::npos))
        return std::string(text);
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    return quoted + "\"";
}

std::string QuotedCsvLine(const std::vector<std::string>& fields) {
    std::string line;
    for (size_t i = 0; i < fields.size(); ++i)
        line += (i == 0 ? "" : ",") + QuotedCsvField(fields[i]);
    return line + "\r\n";
}

std::vector<std::vector<std::string>> ParseCsv(std::string_view text, char separator) {
    if (text.starts_with(kByteOrderMark))
        text.remove_prefix(kByteOrderMark.size());
    std::vector<std::vector<std::string>> records;
    std::vector<std::string> record;
    size_t at = 0;
    while (at < text.size()) {
        if (text[at] == '\r' || text[at] == '\n') {
            if (!record.empty())
                records.push_back(std::move(record));
            record.clear();
            ++at;
            continue;
        }
        record.push_back(NextField(text, at, separator));
        if (at < text.size() && text[at] == separator) {
            ++at;
            if (at == text.size() || text[at] == '\r' || text[at] == '\n')
                record.emplace_back(); // a line that ends with a separator ends with an empty field
        }
    }
    if (!record.empty())
        records.push_back(std::move(record));
    return records;
}
