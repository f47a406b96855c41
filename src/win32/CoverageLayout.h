#pragma once

#include <array>
#include <windows.h>

// Where the view's controls go for a client area of any size: the list
// takes what the lines above it, the buttons under it and the two picture
// panes leave; the panes share the width and shrink on a short window.
inline constexpr int kDecisionButtonCount = 5;

struct CoverageWidths {
    // What the captions need, in pixels at the window's dpi.
    std::array<int, kDecisionButtonCount> decisions{};
    int status = 0; // the counts above the list, on one line
    int filter = 0;
    int refresh = 0;
    int save = 0;
};

struct CoveragePlaces {
    RECT status{};
    RECT filter{};
    RECT outOfDate{};
    RECT refresh{};
    RECT list{};
    std::array<RECT, kDecisionButtonCount> decisions{};
    std::array<RECT, 2> captions{};
    std::array<RECT, 2> panes{};
    RECT save{};
};

CoveragePlaces PlaceCoverage(SIZE client, int dpi, const CoverageWidths& widths);

// The smallest client area in which every control keeps its caption whole
// and the list still shows a few rows.
SIZE MinimumCoverageClient(int dpi, const CoverageWidths& widths);

// The client area the view opens with before it knows its columns.
SIZE DefaultCoverageClient(int dpi);
