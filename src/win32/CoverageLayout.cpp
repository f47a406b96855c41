#include "CoverageLayout.h"

#include "Dpi.h"

#include <algorithm>

namespace {

// At 96 dpi.
constexpr int kMargin = 10;
constexpr int kGap = 6;
constexpr int kLine = 18;
constexpr int kButtonHeight = 26;
constexpr int kMinListHeight = 110;
constexpr int kMinPaneHeight = 60;
constexpr int kMaxPaneHeight = 220;
constexpr int kMinClientWidth = 560;
constexpr SIZE kDefaultClient{760, 600};

struct Scale {
    int dpi;
    int operator()(int pixels) const { return ScaledBy(pixels, dpi); }
};

// The decision buttons from left to right, on a new line when the next
// one would not fit `width`: their places from (0, 0), and the lines.
int FlowButtons(const Scale& s, const CoverageWidths& widths, int width,
                std::array<RECT, kDecisionButtonCount>* places) {
    int left = 0;
    int line = 0;
    for (int i = 0; i < kDecisionButtonCount; ++i) {
        if (left > 0 && left + widths.decisions[i] > width) {
            left = 0;
            ++line;
        }
        const int top = line * (s(kButtonHeight) + s(kGap));
        if (places)
            (*places)[i] = {left, top, left + widths.decisions[i], top + s(kButtonHeight)};
        left += widths.decisions[i] + s(kGap);
    }
    return line + 1;
}

// The counts take a second line where they do not fit `width` (French at
// 150 %, a narrow window) rather than lose their end.
int StatusLines(const CoverageWidths& widths, int width) {
    return widths.status > width ? 2 : 1;
}

// Everything but the list and the panes, top to bottom.
int FixedHeight(const Scale& s, int statusLines, int buttonLines) {
    return s(kMargin) + statusLines * s(kLine) + s(kGap) + s(kButtonHeight) +
           s(kGap)                                                           // status, filter row
           + s(kGap) + buttonLines * (s(kButtonHeight) + s(kGap)) + s(kLine) // decisions
           + s(kGap) + s(kButtonHeight) + s(kMargin);                        // save
}

RECT At(int left, int top, int width, int height) {
    return {left, top, left + width, top + height};
}

} // namespace

CoveragePlaces PlaceCoverage(SIZE client, int dpi, const CoverageWidths& widths) {
    const Scale s{dpi};
    const int width = static_cast<int>(client.cx);
    const int left = s(kMargin);
    const int right = width - s(kMargin);
    CoveragePlaces places;
    const int statusLines = StatusLines(widths, right - left);
    places.status = {left, s(kMargin), right, s(kMargin) + statusLines * s(kLine)};
    const int rowTop = places.status.bottom + s(kGap);
    places.refresh = At(right - widths.refresh, rowTop, widths.refresh, s(kButtonHeight));
    places.filter = At(left, rowTop, widths.filter, s(kButtonHeight));
    places.outOfDate = {places.filter.right + s(kGap), rowTop + s(kGap) / 2,
                        places.refresh.left - s(kGap), rowTop + s(kButtonHeight)};
    const int listTop = rowTop + s(kButtonHeight) + s(kGap);

    // From the bottom up: Save, the panes, their captions, the decisions.
    std::array<RECT, kDecisionButtonCount> buttons{};
    const int lines = FlowButtons(s, widths, right - left, &buttons);
    const int free =
        std::max<int>(0, static_cast<int>(client.cy) - FixedHeight(s, statusLines, lines));
    const int paneHeight = std::clamp(free * 2 / 5, s(kMinPaneHeight), s(kMaxPaneHeight));
    const int saveTop = static_cast<int>(client.cy) - s(kMargin) - s(kButtonHeight);
    places.save = At(right - widths.save, saveTop, widths.save, s(kButtonHeight));
    const int paneTop = saveTop - s(kGap) - paneHeight;
    const int paneWidth = (right - left - s(kGap)) / 2;
    for (int i = 0; i < 2; ++i) {
        const int paneLeft = left + i * (paneWidth + s(kGap));
        places.panes[i] = At(paneLeft, paneTop, paneWidth, paneHeight);
        places.captions[i] = At(paneLeft, paneTop - s(kLine), paneWidth, s(kLine));
    }
    const int buttonsTop = paneTop - s(kLine) - lines * (s(kButtonHeight) + s(kGap));
    for (int i = 0; i < kDecisionButtonCount; ++i) {
        places.decisions[i] = buttons[i];
        OffsetRect(&places.decisions[i], left, buttonsTop);
    }
    places.list = {left, listTop, right, std::max(listTop, buttonsTop - s(kGap))};
    return places;
}

// At the smallest width the buttons take as many lines as they need there.
SIZE MinimumCoverageClient(int dpi, const CoverageWidths& widths) {
    const Scale s{dpi};
    const int topRow = widths.filter + widths.refresh + 2 * s(kGap) + s(80);
    int inside = std::max({s(kMinClientWidth), topRow, widths.save});
    for (int width : widths.decisions)
        inside = std::max(inside, width);
    const int lines = FlowButtons(s, widths, inside, nullptr);
    return {inside + 2 * s(kMargin), FixedHeight(s, StatusLines(widths, inside), lines) +
                                         s(kMinListHeight) + s(kMinPaneHeight)};
}

SIZE DefaultCoverageClient(int dpi) {
    return {ScaledBy(kDefaultClient.cx, dpi), ScaledBy(kDefaultClient.cy, dpi)};
}
