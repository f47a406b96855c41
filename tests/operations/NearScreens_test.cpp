#include "operations/NearNames.h"
#include "operations/NearScreens.h"

#include <gtest/gtest.h>

namespace {

struct Expected {
    const char* screen;
    NearRule rule;
};

void ExpectProposal(const std::vector<std::string>& screens, const char* layout,
                    std::optional<Expected> expected) {
    const std::optional<NearProposal> proposal = NearScreens(screens).Propose(layout);
    ASSERT_EQ(proposal.has_value(), expected.has_value()) << layout;
    if (!expected)
        return;
    EXPECT_EQ(proposal->screen, expected->screen) << layout;
    EXPECT_EQ(proposal->rule, expected->rule) << layout;
}

TEST(NearScreens, EachRuleFindsTheSpellingItIsFor) {
    ExpectProposal({"Sonic _ Knuckles", "Sonic"}, "Sonic & Knuckles",
                   Expected{"Sonic _ Knuckles", NearRule::ReservedCharacters});
    ExpectProposal({"Pac-Man", "Pac-Mania"}, "Pac-Man (USA) [!]",
                   Expected{"Pac-Man", NearRule::ShortName});
    ExpectProposal({"Pac-Man (Japan)", "Galaga"}, "Pac-Man (USA)",
                   Expected{"Pac-Man (Japan)", NearRule::ShortName});
    ExpectProposal({"The Legend of Zelda", "Zelda II"}, "Legend of Zelda, The (USA)",
                   Expected{"The Legend of Zelda", NearRule::ComparisonKey});
    ExpectProposal({"Pokemon Snap"}, "Pokémon Snap",
                   Expected{"Pokemon Snap", NearRule::ComparisonKey});
    ExpectProposal({"Poke\xCC\x81mon Snap"}, "Pokémon Snap (USA)",
                   Expected{"Poke\xCC\x81mon Snap", NearRule::ComparisonKey});
    ExpectProposal({"Tom and Jerry"}, "Tom & Jerry (Europe)",
                   Expected{"Tom and Jerry", NearRule::ComparisonKey});
    ExpectProposal({"Strider Hiryuu", "Street Racer"}, "Strider Hiryu",
                   Expected{"Strider Hiryuu", NearRule::CloseName});
    ExpectProposal({"Pac Man Championship"}, "PacMan Championship",
                   Expected{"Pac Man Championship", NearRule::ComparisonKey});
}

TEST(NearScreens, TheFirstRuleWithOneScreenDecides) {
    ExpectProposal({"Sonic _ Knuckles", "Sonic & Knuckles (USA)"}, "Sonic & Knuckles",
                   Expected{"Sonic _ Knuckles", NearRule::ReservedCharacters});
}

TEST(NearScreens, NoGuessWhereTheGuardsSayNo) {
    ExpectProposal({"Street Fighter 3"}, "Street Fighter II", std::nullopt);
    ExpectProposal({"Street Fighter II"}, "Street Fighter 2",
                   Expected{"Street Fighter II", NearRule::CloseName});
    ExpectProposal({"FIFA 1998"}, "FIFA 1999", std::nullopt);
    ExpectProposal({"Final Fantasy II"}, "Final Fantasy", std::nullopt);
    ExpectProposal({"Mario Kart B", "Mario Kart C"}, "Mario Kart D", std::nullopt); // a tie
    ExpectProposal({"Tetris (Japan)", "Tetris (USA)", "TETRIS!"}, "Tetris [b]", std::nullopt);
    ExpectProposal({"Asteroids"}, "Galaxian", std::nullopt);
    ExpectProposal({}, "Anything", std::nullopt);
    ExpectProposal({"(USA)"}, "(Europe)", std::nullopt); // all tags
}

TEST(NearScreens, CloseNamesStopAtTheFloor) {
    // 20 letters, 7 changed: 65; 8 changed: 60.
    const std::string name = "abcdefghijklmnopqrst";
    EXPECT_EQ(CloseNameScore(name, "abcdefghijklmXXXXXXX", kCloseNameFloor), 65);
    EXPECT_LT(CloseNameScore(name, "abcdefghijklXXXXXXXX", kCloseNameFloor), kCloseNameFloor);
    EXPECT_EQ(CloseNameScore("", "", kCloseNameFloor), 100);
    // Through the proposals: 65 is proposed, 64 and 60 are not.
    ExpectProposal({"zelda abcdefXXXXXXXX"}, "zelda abcdefghijklmn", std::nullopt);
    ExpectProposal({"zelda abcdefghijXXXXXXXXX"}, "zelda abcdefghijklmnopqrs", std::nullopt);
    ExpectProposal({"zelda abcdefgXXXXXXX"}, "zelda abcdefghijklmn",
                   Expected{"zelda abcdefgXXXXXXX", NearRule::CloseName});
}

// "Shared" in every screen: up to the bound it still brings them to compare.
TEST(NearScreens, AWordOfTooManyScreensBringsNoneToCompare) {
    for (const size_t count : {kCommonWordScreens, kCommonWordScreens + 1}) {
        std::vector<std::string> screens{"Shared Gizmo"};
        while (screens.size() < count)
            screens.push_back("Shared q" + std::to_string(screens.size() + 100));
        ExpectProposal(screens, "Shared Gizmoo",
                       count > kCommonWordScreens
                           ? std::nullopt
                           : std::optional(Expected{"Shared Gizmo", NearRule::CloseName}));
    }
}

// However large the folder, one name meets at most kCloseNameCandidates
// screens: its rarest words bring theirs, a commoner one past the bound none.
TEST(NearScreens, OneNameMeetsABoundedNumberOfScreensRarestWordsFirst) {
    for (const size_t count : {kCloseNameCandidates, kCloseNameCandidates + 1}) {
        std::vector<std::string> screens{"Shared Gizmo", "Shared Widget Rare"};
        while (screens.size() < count)
            screens.push_back("Shared q" + std::to_string(screens.size() + 100));
        // Other screens keep "shared" under a quarter of the folder.
        while (screens.size() < 4 * count)
            screens.push_back("Filler " + std::to_string(screens.size()));
        ExpectProposal(screens, "Shared Gizmoo",
                       count > kCloseNameCandidates
                           ? std::nullopt
                           : std::optional(Expected{"Shared Gizmo", NearRule::CloseName}));
        ExpectProposal(screens, "Shared Widgett Rare",
                       Expected{"Shared Widget Rare", NearRule::CloseName});
    }
}

TEST(NearNames, KeysOfTheCommonSpellings) {
    EXPECT_EQ(WithReservedCharactersReplaced("a&b*c/d:e`f\"g<h>i?j\\k|l"),
              "a_b_c_d_e_f_g_h_i_j_k_l");
    EXPECT_EQ(ShortName("Pac-Man [!] (USA)"), "Pac-Man");
    EXPECT_EQ(ComparisonKey("Legend of Zelda, The (USA) [!]"), "thelegendofzelda");
    EXPECT_EQ(ComparisonKey("Æsir, A"), "aaesir");
    EXPECT_EQ(ComparisonKey("Straße & Œuvre"), "strasseandoeuvre");
    EXPECT_EQ(ComparisonKey("東方 (Japan)"), "東方") << "other scripts stay";
    // Names written on a Mac carry their accents as marks after the letter.
    EXPECT_EQ(ComparisonKey("Poke\xCC\x81mon Sna\xCC\x88p"), "pokemonsnap");
    EXPECT_EQ(ComparisonKey("\xCC\x81"), "");
    EXPECT_EQ(EpisodeNumbers("rocky iv (1987) 2 i"), (std::vector<int>{4, 1987, 2}));
}

} // namespace
