#include "app/Texts.h"

#include "app/LanguageTable.h"
#include "services/RegionalFormat.h"

#include <array>

namespace {

struct FixedEntry {
    FixedTextId id;
    const char* text;
};

// Menus, the window's title and the unzip window keep one wording whatever
// the language: users find them by these words in either language.
constexpr std::array<FixedEntry, kFixedTextIdEnd> kFixedTexts{{
    {kFixedWindowTitle, "Patch for Orvane Layouts"},
    {kFixedMenu, "Menu"},
    {kFixedLanguageMenu, "Language"},
    {kFixedEnglish, "English"},
    {kFixedFrench, "Fran\u00e7ais"},
    {kFixedCheckScreens, "&Check screens..."},
    {kFixedUndoInstall, "&Undo last install"},
    {kFixedUndoDelete, "&Undo last delete"},
    {kFixedQuit, "&Quit"},
    {kFixedInfoMenu, "?"},
    {kFixedAuthor, "Author : Ferrandel"},
    {kFixedBrowse, "..."},
    {kFixedUnzipButton, "&Unzip screens"},
    {kFixedUnzipTitle, "Unzip with zLib"},
    {kFixedUnzipErrorHeading, "Erreur lors de l'extraction du Zip"},
    {kFixedFolderDialogTitle, "S\u00e9lectionner le dossier de votre choix."},
}};

constexpr bool FixedInIdOrder() {
    for (size_t i = 0; i < kFixedTexts.size(); ++i)
        if (kFixedTexts[i].id != static_cast<FixedTextId>(i) || kFixedTexts[i].text == nullptr)
            return false;
    return true;
}
static_assert(FixedInIdOrder());

bool TakesSingular(PluralRule rule, long long count) {
    return count == 1 || (rule == PluralRule::ZeroAndOne && count == 0);
}

} // namespace

Texts::Texts() : table_(&kEnglishTexts) {}

Texts::Texts(int32_t language) : table_(language != 0 ? &kFrenchTexts : &kEnglishTexts) {}

std::string Texts::operator[](TextId id) const {
    return table_->texts[static_cast<size_t>(id) - 1].text;
}

std::string Texts::Form(PluralId id, long long count) const {
    const PluralEntry& entry = table_->plurals[static_cast<size_t>(id)];
    return TakesSingular(table_->rule, count) ? entry.one : entry.other;
}

std::string Texts::Counted(PluralId id, long long count) const {
    return WithValues(Form(id, count), {RegionalWholeNumber(count)});
}

Texts TextsIn(int32_t language) {
    return Texts(language);
}

std::string FixedText(FixedTextId id) {
    return kFixedTexts[static_cast<size_t>(id)].text;
}

std::string WithLineBreaks(const std::string& message) {
    std::string result;
    for (char c : message)
        result += c == '|' ? std::string("\r\n") : std::string(1, c);
    return result;
}

std::string WithValues(const std::string& message, const std::vector<std::string>& values) {
    std::string result;
    for (size_t i = 0; i < message.size(); ++i) {
        const size_t index = i + 1 < message.size() && message[i] == '%'
                                 ? static_cast<size_t>(message[i + 1] - '1')
                                 : values.size();
        if (index < values.size()) {
            result += values[index];
            ++i;
        } else {
            result += message[i];
        }
    }
    return result;
}
