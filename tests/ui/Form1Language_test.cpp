#include "FakeDialogs.h"
#include "app/Settings.h"
#include "services/ProfileFile.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// Captions that change with the language, by control.
std::map<std::string, std::string> LanguageCaptions(const WindowBench& bench) {
    std::map<std::string, std::string> captions;
    for (const char* label : {"Label1", "Label2", "Label3"})
        captions[label] = bench.Find<QLabel>(label)->text().toStdString();
    for (const char* button : {"Command3", "Command4", "Command5", "Check1", "Check2"})
        captions[button] = bench.Find<QAbstractButton>(button)->text().toStdString();
    return captions;
}

// Captions that stay the same in both languages.
std::vector<std::string> FixedCaptions(const WindowBench& bench) {
    std::vector<std::string> captions = {
        bench.window->windowTitle().toStdString(),
        bench.Find<QAbstractButton>("Command6")->text().toStdString()};
    for (const char* menu : {"Mnu", "MnuLanguage", "MnuInfo"})
        captions.push_back(bench.Find<QMenu>(menu)->title().toStdString());
    for (const char* item : {"MnuEnglish", "MnuFrench", "MnuQuit", "MnuAuthor"})
        captions.push_back(bench.Find<QAction>(item)->text().toStdString());
    return captions;
}

void Choose(const WindowBench& bench, const char* item) {
    bench.Find<QAction>(item)->trigger();
}

// The platform's own button texts, as a message box shows them.
std::string YesNoTexts() {
    QMessageBox box(QMessageBox::Question, {}, {}, QMessageBox::Yes | QMessageBox::No);
    QString texts =
        box.button(QMessageBox::Yes)->text() + "/" + box.button(QMessageBox::No)->text();
    return texts.remove('&').toStdString();
}

bool Checked(const WindowBench& bench, const char* item) {
    return bench.Find<QAction>(item)->isChecked();
}

TEST(Form1Language, SwitchingLanguageRecaptionsTheControlsAtOnce) {
    WindowBench bench;
    bench.Open();
    const std::vector<std::string> fixed = FixedCaptions(bench);
    EXPECT_EQ(bench.Find<QAbstractButton>("Command6")->text().toStdString(), "&Unzip screens");
    EXPECT_EQ(bench.Find<QAbstractButton>("Command1")->text().toStdString(), "...");
    EXPECT_EQ(LanguageCaptions(bench)["Label1"], "Folder of your layouts:");
    EXPECT_EQ(LanguageCaptions(bench)["Check1"], "&Overwrite");

    Choose(bench, "MnuFrench");
    std::map<std::string, std::string> french = LanguageCaptions(bench);
    EXPECT_EQ(french["Label3"], bench.window->Program().Messages[kMsgDescription]);
    EXPECT_NE(french["Label3"].find("Ce petit patch"), std::string::npos);
    EXPECT_EQ(french["Label1"], "Dossier de vos layouts:");
    EXPECT_EQ(french["Label2"], "Dossier de vos loading screens:");
    EXPECT_EQ(french["Command4"], "&Download les screens");
    EXPECT_EQ(french["Command3"], "&Installer les loading screens");
    EXPECT_EQ(french["Command5"], "&Effacer tous les loading screens de vos layouts");
    EXPECT_EQ(french["Check1"], "E&craser");
    EXPECT_EQ(french["Check2"], "&Utiliser screen par défaut");
    EXPECT_EQ(FixedCaptions(bench), fixed);
    EXPECT_EQ(bench.window->Program().Language, 1);
    EXPECT_TRUE(Checked(bench, "MnuFrench"));
    EXPECT_FALSE(Checked(bench, "MnuEnglish"));
    EXPECT_EQ(bench.window->Program().Messages[kMsgLayoutsFolderInvalid],
              "Le dossier des layouts semble invalide.")
        << "the next message of an operation is French too";

    EXPECT_EQ(YesNoTexts(), "Oui/Non") << "the platform's buttons are French too";

    Choose(bench, "MnuFrench");
    EXPECT_EQ(LanguageCaptions(bench), french) << "choosing the language in use changes nothing";
    EXPECT_TRUE(Checked(bench, "MnuFrench"));

    Choose(bench, "MnuEnglish");
    EXPECT_EQ(LanguageCaptions(bench)["Command5"],
              "D&elete all the loading screens in your layouts");
    EXPECT_EQ(LanguageCaptions(bench)["Label2"], "Folder of your loading screens:");
    EXPECT_EQ(FixedCaptions(bench), fixed);
    EXPECT_TRUE(Checked(bench, "MnuEnglish"));
    EXPECT_FALSE(Checked(bench, "MnuFrench"));
    EXPECT_EQ(bench.window->Program().Language, 0);
    EXPECT_EQ(YesNoTexts(), "Yes/No");
}

TEST(Form1Language, StoredLanguageTwoOpensFrenchAndEnglishIsSavedAsZero) {
    WindowBench bench;
    bench.StoreSettings("Language=2\r\nLayoutsPath=/l/\r\nSourcePath=/s/\r\n");
    LoadSettings(bench.program);
    ApplyLanguage(bench.program, bench.program.Language);
    bench.Open();
    EXPECT_TRUE(Checked(bench, "MnuFrench"));
    EXPECT_FALSE(Checked(bench, "MnuEnglish"));
    EXPECT_EQ(LanguageCaptions(bench)["Label1"], "Dossier de vos layouts:");
    EXPECT_EQ(YesNoTexts(), "Oui/Non");
    Choose(bench, "MnuEnglish");
    bench.Close();
    EXPECT_EQ(ReadSetting("Language", "", "", ""), "0");
}

// Alt and a letter clicks the control whose caption marks that letter.
bool AltLetterToggles(WindowBench& bench, Qt::Key letter) {
    auto* check1 = bench.Find<QCheckBox>("Check1");
    const bool before = check1->isChecked();
    QTest::keyClick(bench.window.get(), letter, Qt::AltModifier);
    return QTest::qWaitFor([&] { return check1->isChecked() != before; }, 500);
}

TEST(Form1Language, AcceleratorLettersFollowTheLanguage) {
    WindowBench bench;
    bench.Open();
    ASSERT_TRUE(bench.ShowActive());
    EXPECT_TRUE(AltLetterToggles(bench, Qt::Key_O)) << "English: &Overwrite";
    Choose(bench, "MnuFrench");
    EXPECT_TRUE(AltLetterToggles(bench, Qt::Key_C)) << "French: E&craser";
    EXPECT_FALSE(AltLetterToggles(bench, Qt::Key_O)) << "the English letter is gone";
}

} // namespace
