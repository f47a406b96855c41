#include "shell/Form1Controls.h"

#include <gtest/gtest.h>
#include <string>

namespace {

bool Inside(const TwipRect& inner, const TwipRect& outer) {
    return inner.left >= 0 && inner.top >= 0 && inner.left + inner.width <= outer.width &&
           inner.top + inner.height <= outer.height;
}

TEST(Form1Controls, TabStopsFollowTheTabIndexAndEveryControlFitsTheClientArea) {
    std::vector<std::string> names;
    for (const Form1Control control : Form1TabStops())
        names.push_back(SpecOf(control).name);
    EXPECT_EQ(names,
              (std::vector<std::string>{"Text1", "Command1", "Text2", "Command2", "Command4",
                                        "Command5", "Command3", "Check1", "Check2", "Command6"}));
    int32_t previousTab = -1;
    for (const ControlSpec& spec : Form1Controls()) {
        EXPECT_GT(spec.tabIndex, previousTab) << spec.name;
        previousTab = spec.tabIndex;
        EXPECT_TRUE(Inside(spec.twips, kForm1Client)) << spec.name;
    }
    EXPECT_TRUE(Inside(kUnzipShape1, kUnzipClient));
    EXPECT_TRUE(Inside(kUnzipLabel1, kUnzipClient));
}

TEST(Form1Controls, TwipsScaleWithTheScreenDpi) {
    const TwipRect at96 = ToPixels(kForm1Client);
    EXPECT_EQ(at96.width, 552);
    EXPECT_EQ(at96.height, 238);
    const TwipRect at144 = ToPixels(SpecOf(Form1Control::Text1).twips, 144);
    EXPECT_EQ(at144.left, 12);
    EXPECT_EQ(at144.width, 757) << "7575 twips at 10 twips per pixel, truncated";
    EXPECT_EQ(TwipsToPixels(kUnzipShape1.width), 209);
}

TEST(Form1Controls, AClickedGrayedBoxBecomesCheckedThenToggles) {
    EXPECT_EQ(ClickedCheckState(2), 1);
    EXPECT_EQ(ClickedCheckState(1), 0);
    EXPECT_EQ(ClickedCheckState(0), 1);
}

} // namespace
