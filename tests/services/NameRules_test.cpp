#include "services/NameRules.h"

#include <gtest/gtest.h>

namespace {

TEST(NameRules, DeviceNamesIncludeTheSuperscriptDigitsInAnyCaseWithAnyEnding) {
    // U+00B9, U+00B2, U+00B3 in UTF-8.
    for (const char* device : {"COM\xc2\xb9", "com\xc2\xb2.png", "Lpt\xc2\xb3  ",
                               "lpt\xc2\xb9 .txt", "COM7", "nul.txt", "Con "})
        EXPECT_TRUE(IsWindowsDeviceName(device)) << device;
    // U+00B4 (acute accent) and U+2074 (superscript four) are no digits of a device.
    for (const char* file : {"COM\xc2\xb4", "LPT\xe2\x81\xb4", "COM\xc2\xb2x", "COM12", "COMx",
                             "CO\xc2\xb2", "xCOM\xc2\xb2", "console"})
        EXPECT_FALSE(IsWindowsDeviceName(file)) << file;
}

} // namespace
