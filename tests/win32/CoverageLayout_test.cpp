#include "CoverageLayout.h"

#include <gtest/gtest.h>

namespace {

CoverageWidths Captions(int status) {
    CoverageWidths widths;
    widths.decisions.fill(90);
    widths.status = status;
    widths.filter = 200;
    widths.refresh = 80;
    widths.save = 90;
    return widths;
}

int Height(const RECT& rect) {
    return static_cast<int>(rect.bottom - rect.top);
}

} // namespace

TEST(CoverageLayout, CountsWiderThanTheWindowTakeASecondLineAndPushTheRestDown) {
    const SIZE client{760, 600};
    const int inside = 760 - 2 * 10;
    const CoveragePlaces fits = PlaceCoverage(client, 96, Captions(inside));
    const CoveragePlaces wraps = PlaceCoverage(client, 96, Captions(inside + 1));
    EXPECT_EQ(Height(wraps.status), 2 * Height(fits.status));
    EXPECT_EQ(wraps.filter.top - fits.filter.top, Height(fits.status));
    EXPECT_EQ(wraps.list.top - fits.list.top, Height(fits.status));
    EXPECT_EQ(wraps.save.top, fits.save.top) << "Save stays at the bottom";
    EXPECT_EQ(MinimumCoverageClient(96, Captions(5000)).cy,
              MinimumCoverageClient(96, Captions(10)).cy + Height(fits.status));
}
