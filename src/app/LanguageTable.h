#pragma once

#include "app/Texts.h"

#include <array>
#include <cstddef>

// What one language's table holds. Each entry names its id, so a table
// whose entries are missing or out of order does not build.

struct TextEntry {
    TextId id;
    const char* text;
};

struct PluralEntry {
    PluralId id;
    const char* one;
    const char* other;
};

// Which counts take the singular form.
enum class PluralRule {
    OneOnly,    // 1
    ZeroAndOne, // 0 and 1
};

struct LanguageTable {
    PluralRule rule;
    std::array<TextEntry, kTextIdEnd - 1> texts; // from id 1 on
    std::array<PluralEntry, kPluralIdEnd> plurals;
};

constexpr bool InIdOrder(const LanguageTable& table) {
    for (size_t i = 0; i < table.texts.size(); ++i)
        if (table.texts[i].id != static_cast<TextId>(i + 1) || table.texts[i].text == nullptr)
            return false;
    for (size_t i = 0; i < table.plurals.size(); ++i)
        if (table.plurals[i].id != static_cast<PluralId>(i) || table.plurals[i].one == nullptr ||
            table.plurals[i].other == nullptr)
            return false;
    return true;
}

extern const LanguageTable kEnglishTexts;
extern const LanguageTable kFrenchTexts;
