#include "app/Texts.h"
#include "services/RegionalFormat.h"
#include "support/Environment.h"

#include <cctype>
#include <gtest/gtest.h>
#include <set>
#include <string>

namespace {

// What a translation must keep: its placeholders, its line breaks and
// whether it has an accelerator.
struct Markers {
    std::set<std::string> placeholders;
    size_t lineBreaks = 0;
    size_t accelerators = 0;
    bool operator==(const Markers&) const = default;
};

Markers MarkersOf(const std::string& text) {
    Markers markers;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 1 < text.size() && std::isdigit(text[i + 1]))
            markers.placeholders.insert(text.substr(i, 2));
        markers.lineBreaks += text[i] == '|';
        markers.accelerators += text[i] == '&';
    }
    return markers;
}

const Texts kEnglish = TextsIn(0);
const Texts kFrench = TextsIn(1);

TEST(Texts, EveryTextHasBothLanguagesWithTheSameMarkers) {
    for (int id = kMsgDescription; id < kTextIdEnd; ++id) {
        const std::string english = kEnglish[static_cast<TextId>(id)];
        const std::string french = kFrench[static_cast<TextId>(id)];
        EXPECT_FALSE(english.empty()) << id;
        EXPECT_FALSE(french.empty()) << id;
        EXPECT_TRUE(MarkersOf(english) == MarkersOf(french)) << english << " / " << french;
    }
    EXPECT_EQ(MarkersOf(kFrench[kMsgUndoResult]).placeholders,
              (std::set<std::string>{"%1", "%2", "%3"}));
    for (int id = 0; id < kPluralIdEnd; ++id)
        for (const Texts* language : {&kEnglish, &kFrench})
            for (const long long count : {1, 2})
                EXPECT_EQ(MarkersOf(language->Form(static_cast<PluralId>(id), count)).placeholders,
                          std::set<std::string>{"%1"})
                    << id << " " << count;
}

TEST(Texts, EnglishSingularIsOneAloneFrenchTakesZeroToo) {
    EXPECT_EQ(kEnglish.Counted(kCountLayouts, 1), "1 layout");
    EXPECT_EQ(kEnglish.Counted(kCountLayouts, 0), "0 layouts");
    EXPECT_EQ(kEnglish.Counted(kCountGetScreen, 2), "2 get a screen");
    EXPECT_EQ(kFrench.Counted(kCountGetScreen, 0), "0 re\u00e7oit un screen");
    EXPECT_EQ(kFrench.Counted(kCountGetScreen, 1), "1 re\u00e7oit un screen");
    EXPECT_EQ(kFrench.Counted(kCountGetScreen, 2), "2 re\u00e7oivent un screen");
}

TEST(Texts, CountsAreWrittenInTheRegionalFormat) {
    // Where the environment gives the format; Windows takes the user's.
    EnvironmentScope numbers{"LC_ALL", "en_US.UTF-8"};
    ASSERT_NE(RegionalWholeNumber(3000), "3000") << "a format that groups the digits";
    EXPECT_EQ(kEnglish.Counted(kCountLayouts, 3000), RegionalWholeNumber(3000) + " layouts");
}

TEST(Texts, PlaceholdersTakeTheirValuesInAnyOrder) {
    EXPECT_EQ(WithValues("%2 of %1, 100%", {"a", "b"}), "b of a, 100%");
    EXPECT_EQ(WithValues("%3 stays", {"a"}), "%3 stays");
}

} // namespace
