#include "support/ZipEventLog.h"

#include <algorithm>

ZipEventLog::ZipEventLog(ZipExtractionClass& zip) : zip_(zip) {
    zip.Status = [this](const std::string& text) { lines.push_back("status: " + text); };
    zip.ZipError = [this](int32_t number, const std::string& text) {
        lines.push_back("error " + std::to_string(number) + ": " + text);
        errors.emplace_back(number, text);
    };
    zip.Progress = [this](int32_t percent, bool& cancel) {
        lines.push_back("progress " + std::to_string(percent));
        percents.push_back(percent);
        if (onProgress)
            onProgress(percent, cancel);
    };
    zip.Yield = [this] { ++yields; };
}

ZipEventLog::~ZipEventLog() {
    zip_.Status = nullptr;
    zip_.ZipError = nullptr;
    zip_.Progress = nullptr;
    zip_.Yield = nullptr;
}

std::vector<int32_t> ZipEventLog::ErrorNumbers() const {
    std::vector<int32_t> numbers;
    for (const auto& error : errors)
        numbers.push_back(error.first);
    return numbers;
}

bool ZipEventLog::Has(const std::string& line) const {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

void ZipEventLog::Clear() {
    lines.clear();
    percents.clear();
    errors.clear();
    yields = 0;
}
