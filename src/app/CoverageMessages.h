#pragma once

#include <array>
#include <cstdint>
#include <string>

// The texts of the view of screens ("Check screens") in one language.
enum CoverageText : int {
    kCovTitle,
    kCovLayoutColumn,
    kCovScreenColumn,
    kCovLoadingPngColumn,
    kCovActionColumn,
    kCovCopy,
    kCovKeep,
    kCovCopyDefault,
    kCovNothing,
    kCovYes,
    kCovNo,
    kCovNone,
    kCovOnlyWithout,
    kCovSaveList,
    kCovScreenPane,
    kCovLoadingPngPane,
    kCovCannotShow,
    kCovDecoding, // in a picture's pane until its picture is ready
    kCovCsvFilter,
    kCovSaveFailed,
    // "{0} layouts: {1} get a screen, {2} keep theirs, {3} have none"
    kCovCounts,
    kCovTextCount
};
using CoverageTexts = std::array<std::string, kCovTextCount>;

// The French texts when `language` is not 0, the English ones otherwise.
CoverageTexts CoverageTextsIn(int32_t language);

// The menu item that opens the view: one caption in both languages, like
// the other items of that menu.
inline constexpr const char* kCheckScreensMenuCaption = "&Check screens...";

// `pattern` with {0} to {3} replaced by the counts, written in the user's
// regional number format.
std::string CountsLine(const std::string& pattern, long long layouts, long long getScreen,
                       long long keepTheirs, long long haveNone);
