#include "operations/ScreenLinks.h"
#include "services/CsvText.h"

#include <gtest/gtest.h>

namespace {

TEST(ScreenLinks, NamesWithCommasQuotesAndAccentsComeBackAsWritten) {
    ScreenLinks links;
    links.MarkNoScreenWanted("\xEF\xBB\xBF"
                             "BIOS"); // first: after the file's own mark
    links.Link("Legend of Zelda, The (USA)", "The Legend of Zelda");
    links.Link("Say \"Hi\"", "Pokémon Snap");
    links.Link("legend OF zelda, the (usa)", "Zelda"); // the same layout, linked again
    const ScreenLinks read = ScreenLinks::FromText(links.ToText());
    EXPECT_EQ(read.Count(), 3u);
    EXPECT_EQ(read.ScreenOf("Legend of Zelda, The (USA)"), "Zelda");
    EXPECT_EQ(read.ScreenOf("say \"hi\""), "Pokémon Snap");
    EXPECT_EQ(read.ScreenOf("\xEF\xBB\xBF"
                            "BIOS"),
              "")
        << "no screen wanted";
    EXPECT_EQ(read.ScreenOf("Other"), std::nullopt);
    EXPECT_EQ(read.SkippedLines(), 0);
}

TEST(ScreenLinks, LinesThatHoldNoPairAreSkippedAndCounted) {
    const ScreenLinks read = ScreenLinks::FromText(
        "A,a.png\r\n\r\nonly one field\n,no layout\nB,b,extra\n\"C\nD\",cd\n\"E,e");
    EXPECT_EQ(read.ScreenOf("A"), "a.png");
    EXPECT_EQ(read.ScreenOf("C\nD"), "cd") << "a quoted line break";
    EXPECT_EQ(read.Count(), 2u);
    EXPECT_EQ(read.SkippedLines(), 4) << "one field, no layout, three fields, unclosed quote";
}

// A spreadsheet pads every row to its widest one; a line the program cannot
// take is written back, so that the next decision does not lose it.
TEST(ScreenLinks, PaddedRowsReadAndSkippedLinesSurviveARewrite) {
    ScreenLinks links =
        ScreenLinks::FromText("A,a,,\r\nB,,\r\n,,\r\nC;c\r\nD,d,note\r\n\"E,e\nF,f");
    EXPECT_EQ(links.ScreenOf("A"), "a");
    EXPECT_EQ(links.ScreenOf("B"), "") << "no screen wanted";
    EXPECT_EQ(links.SkippedLines(), 3) << "the empty row is no line to keep";
    links.Link("G", "g");
    links.Unlink("A");
    const std::string written = links.ToText();
    EXPECT_EQ(written, "\xEF\xBB\xBF"
                       "B,\r\nG,g\r\nC;c\r\nD,d,note\r\n\"E,e\nF,f\"\r\n");
    const ScreenLinks again = ScreenLinks::FromText(written);
    EXPECT_EQ(again.ToText(), written);
    EXPECT_EQ(again.SkippedLines(), 3);
}

TEST(ScreenLinks, ScreensThatNameAPathElsewhereAreSkipped) {
    const std::string nul("N,ok\0x\n", 7);
    const ScreenLinks read = ScreenLinks::FromText("A,..\\..\\x\nB,C:\\x\nC,/etc/x\nD,../x\n" +
                                                   nul + "E,..x\nF,Sonic: The & <x>\n");
    EXPECT_EQ(read.ScreenOf("A"), std::nullopt);
    EXPECT_EQ(read.ScreenOf("D"), std::nullopt);
    EXPECT_EQ(read.ScreenOf("N"), std::nullopt);
    EXPECT_EQ(read.ScreenOf("E"), "..x") << "dots without a separator name a file here";
    EXPECT_EQ(read.ScreenOf("F"), "Sonic: The & <x>");
    EXPECT_EQ(read.SkippedLines(), 5);
}

TEST(ScreenLinks, UnlinkingKeepsTheOthersFindable) {
    ScreenLinks links;
    links.Link("A", "a");
    links.Link("B", "b");
    links.Link("C", "c");
    links.Unlink("a");
    links.Unlink("missing");
    EXPECT_EQ(links.ScreenOf("A"), std::nullopt);
    EXPECT_EQ(links.ScreenOf("C"), "c");
    EXPECT_EQ(links.ToText(), "\xEF\xBB\xBF"
                              "B,b\r\nC,c\r\n");
}

TEST(CsvText, SeparatorsQuotesAndLineBreaksAreQuoted) {
    EXPECT_EQ(QuotedCsvField("plain"), "plain");
    EXPECT_EQ(QuotedCsvField("a;b", ';'), "\"a;b\"");
    EXPECT_EQ(QuotedCsvField("a;b"), "a;b");
    EXPECT_EQ(QuotedCsvField("say \"x\""), "\"say \"\"x\"\"\"");
    EXPECT_EQ(ParseCsv("a;\"b;c\";\n", ';'),
              (std::vector<std::vector<std::string>>{{"a", "b;c", ""}}));
}

} // namespace
