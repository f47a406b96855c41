#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

// The screens the user linked to layouts whose names differ from them, and
// the layouts marked "no screen wanted". Kept in "ScreenLinks.csv" in the
// program's folder, one "layout,screen" pair a line in UTF-8 (an empty
// screen marks a layout that wants none), so downloads, unzips and deletes
// never touch it and a user may edit it in any spreadsheet.
class ScreenLinks {
  public:
    // The links in `text`; lines that hold no pair, or whose screen is not a
    // plain file name, are counted and skipped. Empty fields a spreadsheet
    // pads its rows with are no part of a pair.
    static ScreenLinks FromText(const std::string& text);
    // One pair a line, in the order the links were made, then the skipped
    // lines as they were read (a user's line the program cannot take is
    // still the user's), lines ended by CR LF, after a UTF-8 byte-order mark.
    std::string ToText() const;

    // The screen linked to `layout` (its name ignoring letter case): a
    // screen's name without ".png", or "" when the layout wants none;
    // nothing when the user linked nothing.
    std::optional<std::string> ScreenOf(const std::string& layout) const;

    void Link(const std::string& layout, const std::string& screen);
    void MarkNoScreenWanted(const std::string& layout) { Link(layout, {}); }
    void Unlink(const std::string& layout);

    size_t Count() const { return pairs_.size(); }
    int32_t SkippedLines() const { return static_cast<int32_t>(skipped_.size()); }

  private:
    struct Pair {
        std::string layout;
        std::string screen;
    };
    std::vector<Pair> pairs_;
    std::unordered_map<std::string, size_t> byLayout_; // layout ignoring letter case -> pair
    std::vector<std::vector<std::string>> skipped_;
};

inline constexpr const char* kScreenLinksFileName = "ScreenLinks.csv";
// Far beyond the links of any collection: a larger file is no links file,
// and reading it whole would take the memory of the program.
inline constexpr uint64_t kMaxScreenLinksBytes = 64ULL * 1024 * 1024;
