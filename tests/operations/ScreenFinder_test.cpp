#include "operations/ScreenFinder.h"
#include "support/TempFolder.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace {

TEST(ScreenFinder, FindsANameIgnoringCaseButPrefersTheExactSpelling) {
    TempFolder folder;
    if (NamesIgnoreCase(folder.Path()))
        GTEST_SKIP() << kNamesIgnoreCase;
    const std::string base = folder.Path() + kSep;
    folder.Write("galaga.PNG", "g");
    folder.Write("Pacman.png", "exact");
    folder.Write("PACMAN.png", "upper");
    ScreenFinder finder(base);

    EXPECT_EQ(finder.Find("Galaga.png"), base + "galaga.PNG");
    EXPECT_EQ(finder.Find("Pacman.png"), base + "Pacman.png");
    EXPECT_EQ(finder.Find("pacman.png"), base + "PACMAN.png"); // the first of the variants
    EXPECT_EQ(finder.Find("Frogger.png"), "");
}

TEST(ScreenFinder, LetterCaseIsIgnoredBeyondAsciiToo) {
    TempFolder folder;
    if (NamesIgnoreCase(folder.Path()))
        GTEST_SKIP() << kNamesIgnoreCase;
    const std::string base = folder.Path() + kSep;
    folder.Write("\xc3\xa9lan.png", "e");                      // élan.png
    folder.Write("\xce\xbf\xce\xb4\xce\xbf\xcf\x82.png", "g"); // οδος.png, final sigma
    folder.Write("bad\xff.png", "invalid UTF-8");
    ScreenFinder finder(base);
    EXPECT_EQ(finder.Find("\xc3\x89LAN.png"), base + "\xc3\xa9lan.png");
    EXPECT_EQ(finder.Find("\xce\x9f\xce\x94\xce\x9f\xce\xa3.png"),
              base + "\xce\xbf\xce\xb4\xce\xbf\xcf\x82.png");
    EXPECT_EQ(finder.Find("BAD\xff.PNG"), base + "bad\xff.png");
    EXPECT_EQ(finder.Find("BAD.png"), "") << "an invalid byte is no letter to ignore";
    EXPECT_EQ(finder.Find("elan.png"), "") << "an accent is no letter case";
}

TEST(ScreenFinder, AFolderIsNoScreenButAFileSpelledOtherwiseIs) {
    TempFolder folder;
    if (NamesIgnoreCase(folder.Path()))
        GTEST_SKIP() << kNamesIgnoreCase;
    const std::string base = folder.Path() + kSep;
    folder.MakeDir("Dig.png");
    folder.MakeDir("DIG.PNG");
    folder.MakeDir("Qix.png");
    folder.Write("QIX.PNG", "q");
    ScreenFinder finder(base);
    EXPECT_EQ(finder.Find("Dig.png"), "");
    EXPECT_EQ(finder.Find("Qix.png"), base + "QIX.PNG");
}

// One listing answers for a whole operation: a name it does not show is not
// looked for on the disk, where a system that ignores letter case by reading
// the folder (Wine) would read thousands of names for each missing screen.
TEST(ScreenFinder, TheListingAnswersForNamesItDoesNotShow) {
    TempFolder folder;
    const std::string base = folder.Path() + kSep;
    ScreenFinder finder(base);
    EXPECT_EQ(finder.Find("a.png"), ""); // lists the empty folder
    folder.Write("c.png", "c");
    EXPECT_EQ(finder.Find("c.png"), "");
    EXPECT_EQ(ScreenFinder(base).Find("c.png"), base + "c.png") << "the next operation's listing";
}

TEST(ScreenFinder, AMissingFolderHoldsNothing) {
    TempFolder folder;
    ScreenFinder finder(folder.Sub("missing") + kSep);
    EXPECT_EQ(finder.Find("a.png"), "");
}

} // namespace
