#include "FakeDialogs.h"
#include "app/Texts.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

struct BrowseRow {
    const char* button;
    const char* field;
    const char* fieldText;
    const char* answer;
    const char* expectedStart;
    const char* expectedField;
};

TEST(Form1Browse, BrowseButtonsOpenOnTheFieldAndTakeTheChoice) {
    const BrowseRow rows[] = {
        {"Command1", "Text1", "/games/Layouts/", "/games/Other", "/games/Layouts", "/games/Other/"},
        {"Command1", "Text1", "/games/Layouts", "/games/Layouts", "/games", "/games/Layouts/"},
        {"Command1", "Text1", "", "/", "/", "/"},
        {"Command2", "Text2", "/pics/Screens/", "/pics/New/", "/pics/Screens", "/pics/New/"},
        {"Command2", "Text2", "/pics/Screens/", "", "/pics/Screens", "/pics/Screens/"},
        {"Command1", "Text1", "left alone", "", "left alone", "left alone"},
    };
    for (const BrowseRow& row : rows) {
        WindowBench bench;
        bench.Open();
        auto* field = bench.Find<QLineEdit>(row.field);
        field->setText(row.fieldText);
        bench.dialog->answer = row.answer;
        bench.Find<QPushButton>(row.button)->click();
        ASSERT_EQ(bench.dialog->startFolders.size(), 1u) << row.button << " " << row.fieldText;
        EXPECT_EQ(bench.dialog->startFolders[0], row.expectedStart) << row.fieldText;
        EXPECT_EQ(field->text().toStdString(), row.expectedField) << row.fieldText;
    }
}

TEST(Form1Browse, DialogTitlesFollowTheLanguage) {
    WindowBench bench;
    bench.Open();
    bench.Find<QPushButton>("Command1")->click();
    bench.Find<QPushButton>("Command2")->click();
    bench.Find<QAction>("MnuFrench")->trigger();
    bench.Find<QPushButton>("Command1")->click();
    EXPECT_EQ(bench.dialog->titles,
              (std::vector<std::string>{"Folder of your layouts", "Folder of your loading screens",
                                        "Dossier de vos layouts"}));
}

TEST(Form1Browse, FocusOnAFolderFieldSelectsItsWholeText) {
    WindowBench bench;
    Form1& form = bench.Open();
    ASSERT_TRUE(bench.ShowActive());
    auto* text1 = bench.Find<QLineEdit>("Text1");
    auto* text2 = bench.Find<QLineEdit>("Text2");
    bench.Find<QPushButton>("Command6")->setFocus();
    QTest::keyClick(&form, Qt::Key_Tab);
    ASSERT_TRUE(text1->hasFocus()) << "tabbing from the last control wraps to Text1";
    EXPECT_EQ(text1->selectedText(), text1->text());
    EXPECT_FALSE(text1->text().isEmpty());

    text2->deselect();
    form.FocusField(FolderField::Screens); // not a tab: the field selects by itself
    ASSERT_TRUE(text2->hasFocus());
    EXPECT_EQ(text2->selectedText(), text2->text());

    text1->setText("");
    text1->setFocus(Qt::MouseFocusReason);
    EXPECT_FALSE(text1->hasSelectedText());
    EXPECT_EQ(text1->cursorPosition(), 0);
}

TEST(Form1Browse, TheClickThatFocusesAFieldKeepsItsTextSelectedALaterClickPlacesTheCaret) {
    WindowBench bench;
    bench.Open();
    ASSERT_TRUE(bench.ShowActive());
    auto* text1 = bench.Find<QLineEdit>("Text1");
    text1->setText(
        QString("/games/Orvane-FE/Projects/Layouts").repeated(8)); // wider than the field
    bench.Find<QPushButton>("Command6")->setFocus();
    const QPoint inside(text1->width() / 3, text1->height() / 2);

    QTest::mouseClick(text1, Qt::LeftButton, {}, inside);
    ASSERT_TRUE(text1->hasFocus());
    EXPECT_EQ(text1->selectedText(), text1->text());

    QTest::mouseClick(text1, Qt::LeftButton, {}, inside);
    EXPECT_FALSE(text1->hasSelectedText());
    EXPECT_GT(text1->cursorPosition(), 0);
    EXPECT_LT(text1->cursorPosition(), text1->text().size());
}

} // namespace
