#pragma once

#include "operations/NearNames.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// The rules that find the screen a layout's name almost has, in the order
// they are tried: the first that gives exactly one screen decides.
enum class NearRule {
    ReservedCharacters, // "Sonic & Knuckles" has "Sonic _ Knuckles"
    ShortName,          // "Pac-Man (USA)" has "Pac-Man"
    ComparisonKey,      // "Legend of Zelda, The (USA)" has "The Legend of Zelda"
    CloseName,          // "Strider Hiryu" has "Strider Hiryuu"
};

struct NearProposal {
    std::string screen; // as the screens were given, without ".png"
    NearRule rule = NearRule::ReservedCharacters;
    int score = 100; // how alike the names are; 100 but for a close name
};

// The lowest close-name score that is proposed: under it, names of other
// games come up more often than spellings of the same one.
inline constexpr int kCloseNameFloor = 65;

// A word held by more screens than this, and by more than a quarter of
// them, says nothing of which one a name is close to ("Layout 00001",
// "Layout 00002"...): it brings no screen to compare.
inline constexpr size_t kCommonWordScreens = 100;

// The most screens one layout's name is compared with: its words bring
// screens rarest first, and the commoner ones that would pass this are left
// out, so that the proposals for a large folder cost in proportion to its
// layouts, whatever names it holds.
inline constexpr size_t kCloseNameCandidates = 1000;

// The screens of one folder, indexed once so that the proposals for
// thousands of layouts never compare every pair of names.
class NearScreens {
  public:
    // `screens`: the screens' names without ".png".
    explicit NearScreens(std::vector<std::string> screens);

    // The screen proposed for `layout`, which has none of its own name;
    // nothing when no rule gives exactly one, since no picture is better
    // than a wrong one.
    std::optional<NearProposal> Propose(std::string_view layout) const;

  private:
    using Index = std::unordered_map<std::string, std::vector<uint32_t>>;
    std::optional<NearProposal> Only(const Index& index, const std::string& key,
                                     NearRule rule) const;
    std::optional<NearProposal> Closest(std::string_view layout) const;
    std::vector<uint32_t> Candidates(const std::string& lowerCased) const;

    std::vector<std::string> screens_;
    std::vector<std::string> lowerCased_;
    std::vector<std::vector<int>> episodes_;
    std::vector<CharacterCounts> counts_;
    Index byName_;      // the name ignoring letter case
    Index byShortName_; // the short name ignoring letter case
    Index byKey_;       // the comparison key
    Index byWord_;      // words and key beginnings, for the close names
};
