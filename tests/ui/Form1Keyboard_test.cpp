#include "FakeDialogs.h"
#include "SecondStart.h"
#include "shell/Form1Menu.h"

#include <QApplication>
#include <QLocalSocket>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// The title of the menu that opened, which is then closed; empty when none.
std::string OpenedMenu() {
    QCoreApplication::processEvents();
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    if (!menu)
        return {};
    const std::string title = menu->title().toStdString();
    menu->close();
    return title;
}

TEST(Form1Keyboard, F10OrAloneAltOpensTheMenuAndAltHeldForAnotherKeyDoesNot) {
    WindowBench bench;
    bench.Open();
    ASSERT_TRUE(bench.ShowActive());
    auto* field = bench.Find<QWidget>("Text1");
    field->setFocus();
    const std::string menu = FixedText(kFixedMenu);

    QTest::keyClick(field, Qt::Key_F10);
    EXPECT_EQ(OpenedMenu(), menu);
    QTest::keyPress(field, Qt::Key_Alt);
    QTest::keyRelease(field, Qt::Key_Alt);
    EXPECT_EQ(OpenedMenu(), menu);

    QTest::keyPress(field, Qt::Key_Alt);
    QTest::keyClick(field, Qt::Key_X, Qt::AltModifier);
    QTest::keyRelease(field, Qt::Key_Alt);
    EXPECT_EQ(OpenedMenu(), "") << "Alt+X is not a lone Alt";
    QTest::keyClick(field, Qt::Key_O, Qt::AltModifier);
    EXPECT_EQ(OpenedMenu(), "") << "an accelerator takes Alt+O before any key press";
    QTest::keyClick(field, Qt::Key_F10, Qt::ShiftModifier);
    EXPECT_EQ(OpenedMenu(), "") << "Shift+F10 is the context menu's key";

    // From the opened menu the arrows and Enter reach Check screens.
    QTest::keyClick(field, Qt::Key_F10);
    auto* opened = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(opened, nullptr);
    auto* checkScreens = bench.Find<QAction>("MnuCheckScreens");
    QSignalSpy chosen(checkScreens, &QAction::triggered);
    for (qsizetype i = 0; i <= opened->actions().indexOf(checkScreens); ++i)
        QTest::keyClick(opened, Qt::Key_Down);
    QTest::keyClick(opened, Qt::Key_Return);
    EXPECT_EQ(chosen.count(), 1);
}

TEST(SecondStart, ARequestBringsTheMinimisedWindowBackActiveAndOtherTextIsIgnored) {
    WindowBench bench;
    Form1& form = bench.Open();
    const QString channel = SecondStartChannel(bench.folder.Path());
    int raised = 0;
    RaiseOnSecondStart listener(channel, [&] {
        ++raised;
        form.BringToFront();
    });
    ASSERT_TRUE(listener.Listening());

    QLocalSocket stranger;
    stranger.connectToServer(channel);
    ASSERT_TRUE(stranger.waitForConnected(2000));
    stranger.write("hello\n");
    stranger.waitForBytesWritten(2000);
    QTest::qWait(100);
    EXPECT_EQ(raised, 0);

    form.showMinimized();
    EXPECT_TRUE(AskFirstCopyToRaise(channel));
    EXPECT_TRUE(QTest::qWaitFor([&] { return form.isActiveWindow() && !form.isMinimized(); }));
    EXPECT_EQ(raised, 1);
}

TEST(SecondStart, EachUserAndFolderHasItsChannelAndNoListenerMeansNoWait) {
    EXPECT_NE(SecondStartChannel("/games/a/"), SecondStartChannel("/games/b/"));
    EXPECT_EQ(SecondStartChannel("/games/a/"), SecondStartChannel("/games/a/"));
    EXPECT_FALSE(SecondStartChannel("/x/").contains('/'));
    EXPECT_FALSE(AskFirstCopyToRaise(SecondStartChannel("/where nobody listens/")));
}

} // namespace
