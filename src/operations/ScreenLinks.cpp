#include "operations/ScreenLinks.h"

#include "services/CsvText.h"
#include "services/NameCase.h"

#include <algorithm>

namespace {

// A screen is a file of the screens folder: a name that holds a separator
// would reach a file elsewhere (..\..\x, C:\x, /etc/x), and a
// control character (a NUL above all) would cut the path the system sees.
bool IsPlainName(const std::string& screen) {
    return std::ranges::none_of(screen, [](char c) {
        return c == '/' || c == '\\' || static_cast<unsigned char>(c) < 0x20;
    });
}

} // namespace

ScreenLinks ScreenLinks::FromText(const std::string& text) {
    ScreenLinks links;
    for (std::vector<std::string>& record : ParseCsv(text)) {
        // A spreadsheet ends every row at its widest row's last column.
        while (record.size() > 2 && record.back().empty())
            record.pop_back();
        if (std::ranges::all_of(record, &std::string::empty))
            continue; // a padded empty row holds nothing to keep
        if (record.size() != 2 || record[0].empty() || !IsPlainName(record[1])) {
            links.skipped_.push_back(std::move(record));
            continue;
        }
        links.Link(record[0], record[1]);
    }
    return links;
}

std::string ScreenLinks::ToText() const {
    // The mark tells spreadsheets the text is UTF-8; it also keeps a first
    // layout whose name starts with one from losing it when read back.
    std::string text = "\xEF\xBB\xBF";
    for (const Pair& pair : pairs_)
        text += QuotedCsvLine({pair.layout, pair.screen});
    for (const std::vector<std::string>& record : skipped_)
        text += QuotedCsvLine(record);
    return text;
}

std::optional<std::string> ScreenLinks::ScreenOf(const std::string& layout) const {
    const auto found = byLayout_.find(NameCaseKey(layout));
    if (found == byLayout_.end())
        return std::nullopt;
    return pairs_[found->second].screen;
}

void ScreenLinks::Link(const std::string& layout, const std::string& screen) {
    const auto [found, added] = byLayout_.try_emplace(NameCaseKey(layout), pairs_.size());
    if (added)
        pairs_.push_back({layout, screen});
    else
        pairs_[found->second] = {layout, screen}; // the later link wins
}

void ScreenLinks::Unlink(const std::string& layout) {
    const auto found = byLayout_.find(NameCaseKey(layout));
    if (found == byLayout_.end())
        return;
    pairs_.erase(pairs_.begin() + static_cast<std::ptrdiff_t>(found->second));
    byLayout_.clear();
    for (size_t i = 0; i < pairs_.size(); ++i)
        byLayout_.emplace(NameCaseKey(pairs_[i].layout), i);
}
