#include "PlatformTexts.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace {

// Loaded at the first use and kept, so switching back and forth reads no
// file. English needs no catalogue: Qt's own texts are English.
QTranslator& FrenchQtTexts() {
    static QTranslator translator;
    [[maybe_unused]] static const bool loaded = [] {
        const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
        if (translator.load(QLocale(QLocale::French), QStringLiteral("qtbase"), QStringLiteral("_"),
                            folder))
            return true;
        qWarning("Qt's French texts (qtbase_fr.qm) are missing from %s", qPrintable(folder));
        return false;
    }();
    return translator;
}

} // namespace

void UsePlatformTexts(int32_t language) {
    QTranslator& french = FrenchQtTexts();
    // Removed first so that choosing French twice installs it once.
    QCoreApplication::removeTranslator(&french);
    if (language != 0)
        QCoreApplication::installTranslator(&french);
}
