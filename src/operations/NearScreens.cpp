#include "operations/NearScreens.h"

#include "operations/NearNames.h"
#include "services/NameCase.h"
#include "services/PathText.h"

#include <algorithm>

namespace {

constexpr size_t kShortestWord = 3;
constexpr size_t kKeyBeginning = 4;

bool IsCommonWord(std::string_view word) {
    return word == "the" || word == "and";
}

// What a close name has to share with the layout's to be compared at all:
// a word, or the beginning of its comparison key ("pacman", "pac-man").
std::vector<std::string> CloseNameTerms(const std::string& lowerCased, const std::string& key) {
    std::vector<std::string> terms;
    std::string word;
    const auto endWord = [&] {
        if (word.size() >= kShortestWord && !IsCommonWord(word))
            terms.push_back(word);
        word.clear();
    };
    for (const char c : lowerCased) {
        if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'))
            word += c;
        else
            endWord();
    }
    endWord();
    if (!key.empty())
        terms.push_back(std::string(1, '#').append(key, 0, kKeyBeginning));
    return terms;
}

void Add(std::unordered_map<std::string, std::vector<uint32_t>>& index, const std::string& key,
         uint32_t screen) {
    if (key.empty())
        return;
    std::vector<uint32_t>& screens = index[key];
    if (screens.empty() || screens.back() != screen)
        screens.push_back(screen);
}

} // namespace

NearScreens::NearScreens(std::vector<std::string> screens) : screens_(std::move(screens)) {
    lowerCased_.reserve(screens_.size());
    episodes_.reserve(screens_.size());
    for (uint32_t i = 0; i < screens_.size(); ++i) {
        const std::string& name = screens_[i];
        lowerCased_.push_back(LowerAscii(name));
        episodes_.push_back(EpisodeNumbers(lowerCased_.back()));
        counts_.push_back(CountCharacters(lowerCased_.back()));
        Add(byName_, NameCaseKey(name), i);
        Add(byShortName_, NameCaseKey(ShortName(name)), i);
        // The key ignores letter case: the lowered name gives the same.
        const std::string key = ComparisonKey(lowerCased_.back());
        Add(byKey_, key, i);
        for (const std::string& term : CloseNameTerms(lowerCased_.back(), key))
            Add(byWord_, term, i);
    }
}

std::optional<NearProposal> NearScreens::Propose(std::string_view layout) const {
    if (auto found = Only(byName_, NameCaseKey(WithReservedCharactersReplaced(layout)),
                          NearRule::ReservedCharacters))
        return found;
    if (auto found = Only(byShortName_, NameCaseKey(ShortName(layout)), NearRule::ShortName))
        return found;
    if (auto found = Only(byKey_, ComparisonKey(layout), NearRule::ComparisonKey))
        return found;
    return Closest(layout);
}

std::optional<NearProposal> NearScreens::Only(const Index& index, const std::string& key,
                                              NearRule rule) const {
    const auto found = index.find(key);
    if (key.empty() || found == index.end() || found->second.size() != 1)
        return std::nullopt;
    return NearProposal{screens_[found->second.front()], rule, 100};
}

// Each screen once: a word most names share ("the", "super") would
// otherwise bring every screen in many times.
std::vector<uint32_t> NearScreens::Candidates(const std::string& lowerCased) const {
    const size_t common = std::max(kCommonWordScreens, screens_.size() / 4);
    std::vector<const std::vector<uint32_t>*> lists;
    for (const std::string& term : CloseNameTerms(lowerCased, ComparisonKey(lowerCased)))
        if (const auto found = byWord_.find(term);
            found != byWord_.end() && found->second.size() <= common)
            lists.push_back(&found->second);
    // The rarest words tell the most of which screen a name is close to.
    std::ranges::stable_sort(lists, {}, &std::vector<uint32_t>::size);
    std::vector<bool> taken(screens_.size());
    std::vector<uint32_t> candidates;
    for (const std::vector<uint32_t>* list : lists) {
        const auto fresh = static_cast<size_t>(
            std::ranges::count_if(*list, [&](uint32_t screen) { return !taken[screen]; }));
        if (candidates.size() + fresh > kCloseNameCandidates)
            break;
        for (const uint32_t screen : *list)
            if (!taken[screen]) {
                taken[screen] = true;
                candidates.push_back(screen);
            }
    }
    return candidates;
}

std::optional<NearProposal> NearScreens::Closest(std::string_view layout) const {
    const std::string lowerCased = LowerAscii(layout);
    const std::vector<int> episodes = EpisodeNumbers(lowerCased);
    const CharacterCounts counts = CountCharacters(lowerCased);
    int best = kCloseNameFloor - 1;
    std::optional<uint32_t> chosen;
    bool tied = false;
    for (const uint32_t screen : Candidates(lowerCased)) {
        if (episodes_[screen] != episodes)
            continue; // "Street Fighter II" is not "Street Fighter 3"
        // Once a screen is found, only one as close or closer changes the
        // answer: many alike names ("Layout 00001"...) are turned away cheaply.
        const int floor = chosen ? best : kCloseNameFloor;
        const size_t longer = std::max(lowerCased.size(), lowerCased_[screen].size());
        if (DistanceAtLeast(counts, counts_[screen]) * 100 >
            longer * static_cast<size_t>(100 - floor))
            continue;
        const int score = CloseNameScore(lowerCased, lowerCased_[screen], floor);
        if (score > best) {
            best = score;
            chosen = screen;
            tied = false;
        } else if (score == best && chosen) {
            tied = true;
        }
    }
    if (!chosen || tied)
        return std::nullopt;
    return NearProposal{screens_[*chosen], NearRule::CloseName, best};
}
