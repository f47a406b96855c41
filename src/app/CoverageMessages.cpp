#include "app/CoverageMessages.h"

#include "services/RegionalFormat.h"

namespace {

using Table = std::array<const char*, kCovTextCount>;

const Table kEnglish = {
    "Check screens",
    "Layout",
    "Screen to copy",
    "loading.png",
    "The install will",
    "copy",
    "skip (already has one)",
    "copy the default screen",
    "nothing (no screen found)",
    "yes",
    "no",
    "none",
    "Only layouts without a screen",
    "Save list...",
    "Screen to copy",
    "Current loading.png",
    "cannot show this picture",
    "loading the picture...",
    "CSV files (*.csv)",
    "The list could not be saved.",
    "{0} layouts: {1} get a screen, {2} keep theirs, {3} have none",
};

const Table kFrench = {
    "V\u00e9rifier les screens",
    "Layout",
    "Screen \u00e0 copier",
    "loading.png",
    "L'installation va",
    "copier",
    "ignorer (en a d\u00e9j\u00e0 un)",
    "copier le screen par d\u00e9faut",
    "rien (aucun screen trouv\u00e9)",
    "oui",
    "non",
    "aucun",
    "Seulement les layouts sans screen",
    "Enregistrer la liste...",
    "Screen \u00e0 copier",
    "loading.png actuel",
    "impossible d'afficher cette image",
    "chargement de l'image...",
    "Fichiers CSV (*.csv)",
    "La liste n'a pas pu \u00eatre enregistr\u00e9e.",
    "{0} layouts : {1} re\u00e7oivent un screen, {2} gardent le leur, {3} n'en ont aucun",
};

} // namespace

CoverageTexts CoverageTextsIn(int32_t language) {
    const Table& table = language != 0 ? kFrench : kEnglish;
    CoverageTexts texts;
    for (size_t i = 0; i < texts.size(); ++i)
        texts[i] = table[i];
    return texts;
}

std::string CountsLine(const std::string& pattern, long long layouts, long long getScreen,
                       long long keepTheirs, long long haveNone) {
    const long long values[] = {layouts, getScreen, keepTheirs, haveNone};
    std::string line = pattern;
    for (size_t i = 0; i < std::size(values); ++i) {
        const std::string marker = "{" + std::to_string(i) + "}";
        if (const size_t at = line.find(marker); at != std::string::npos)
            line.replace(at, marker.size(), RegionalWholeNumber(values[i]));
    }
    return line;
}
