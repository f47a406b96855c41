#pragma once

#include "app/ProgramState.h"
#include "app/Texts.h"
#include "operations/MainWindowPort.h"
#include "operations/ScreenDecision.h"

#include <optional>
#include <string>
#include <vector>

// One layout folder as the install sees it now.
struct CoverageRow {
    std::string layout;
    // The screen the install would copy, its name as spelt on disk and its
    // full path; both empty when it copies nothing.
    std::string screen;
    std::string screenPath;
    std::string loadingPngPath; // where the layout's loading.png is or would be
    bool hasLoadingPng = false;
    ScreenAction action = ScreenAction::Nothing;
};

struct CoverageCounts {
    long long layouts = 0;
    long long getScreen = 0;  // Copy and CopyDefault
    long long keepTheirs = 0; // Keep
    long long haveNone = 0;   // Nothing
};

// Every layout folder of `layoutsPath` (with its separator) in the install's
// order, from the install's own listing, screen lookup and decision, with
// the screens of `sourcePath` (with its separator). `options` says what the
// boxes hold; whether the default screen exists is looked up here.
std::vector<CoverageRow> ListCoverage(MainWindowPort& window, const std::string& layoutsPath,
                                      const std::string& sourcePath, InstallOptions options);

// The same, for the folders and boxes the main window shows now; nothing
// when a field is blank, which the window is told as the install tells it.
std::optional<std::vector<CoverageRow>> ListCoverageOf(MainWindowPort& window,
                                                       const ProgramState& program);

CoverageCounts CountCoverage(const std::vector<CoverageRow>& rows);

// A row that will have no loading.png after the install (the filter "Only
// layouts without a screen").
inline bool EndsWithoutScreen(const CoverageRow& row) {
    return row.action == ScreenAction::Nothing;
}

// The indices of the rows shown: all, or with the filter those that end
// without a screen.
std::vector<size_t> ShownRows(const std::vector<CoverageRow>& rows, bool onlyWithoutScreen);

// The texts of the row's columns: layout, screen or "none", "yes"/"no",
// what the install will do.
std::string ScreenText(const CoverageRow& row, const Texts& texts);
std::string LoadingPngText(const CoverageRow& row, const Texts& texts);
std::string ActionText(ScreenAction action, const Texts& texts);

// The columns of the view and of the saved list, in their order: the
// heading and the text of a row's cell in each.
inline constexpr int kCoverageColumnCount = 4;
std::string CoverageHeading(int column, const Texts& texts);
std::string CoverageCell(const CoverageRow& row, int column, const Texts& texts);

std::string CountsLineOf(const CoverageCounts& counts, const Texts& texts);
