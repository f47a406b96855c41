#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The ways a layout's name and a screen's name drift apart in users'
// collections, each turned into a text two such names share. Names are
// UTF-8 without the ".png" ending.

// The name with & * / : ` " < > ? \ | each replaced by "_", as the
// thumbnail sets name their files for titles a file name cannot hold.
std::string WithReservedCharactersReplaced(std::string_view name);

// The name with its Latin letters lower-cased and stripped of their
// accents, as a reader looks a title up in a list ("Élite" beside "Eagle").
std::string WithoutAccents(std::string_view name);

// The name cut before its first " (" or " [": the title without its
// region, revision or dump tags.
std::string_view ShortName(std::string_view name);

// A key two spellings of one title share: accents removed, lower case,
// "&" read as "and", bracketed tags dropped, a trailing ", The" / ", A" /
// ", An" moved to the front, and only letters and digits kept.
std::string ComparisonKey(std::string_view name);

// How alike two names lowered by LowerAscii (services/PathText.h) are, from 0 to 100: 100 less the
// share of the longer name an edit (Levenshtein) distance changes, rounded down. Below `floor` the
// answer is only known to be below it (the distance is not worked out past that point).
int CloseNameScore(std::string_view a, std::string_view b, int floor);

// The numbers that tell a title's episodes apart: sequel numbers in
// digits or Roman numerals (II = 2, up to XX) and four-digit years, in the
// order they appear. Two names of one episode give the same list.
std::vector<int> EpisodeNumbers(std::string_view lowerCasedName);

// A lower bound of the edit distance of two names, from the letters and
// digits each holds whatever their order: cheap enough to turn most names
// away before their distance is worked out.
using CharacterCounts = std::array<uint8_t, 37>;
CharacterCounts CountCharacters(std::string_view lowerCasedName);
size_t DistanceAtLeast(const CharacterCounts& a, const CharacterCounts& b);
