#pragma once

#include "zip/ZipExtractionClass.h"

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

// Records every event an engine raises, in order, as one line each:
// "status: <text>", "error <n>: <text>", "progress <n>", "yield" is not
// recorded (it would drown the rest) but counted.
class ZipEventLog {
  public:
    explicit ZipEventLog(ZipExtractionClass& zip);
    // Detaches from the engine, which may still raise events as it goes.
    ~ZipEventLog();
    ZipEventLog(const ZipEventLog&) = delete;
    ZipEventLog& operator=(const ZipEventLog&) = delete;

    std::vector<std::string> lines;
    std::vector<int32_t> percents;
    std::vector<std::pair<int32_t, std::string>> errors;
    int32_t yields = 0;
    // Runs at each Progress; may set Cancel.
    std::function<void(int32_t, bool&)> onProgress;

    std::vector<int32_t> ErrorNumbers() const;
    bool Has(const std::string& line) const;
    void Clear();

  private:
    ZipExtractionClass& zip_;
};
