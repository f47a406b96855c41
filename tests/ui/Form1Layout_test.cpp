#include "FakeDialogs.h"
#include "shell/Form1Controls.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QStyle>
#include <algorithm>
#include <gtest/gtest.h>

namespace {

QRect PixelsOf(const TwipRect& twips) {
    const TwipRect pixels = ToPixels(twips);
    return QRect(pixels.left, pixels.top, pixels.width, pixels.height);
}

QRect PlaceOf(const WindowBench& bench, const ControlSpec& spec) {
    return bench.Find<QWidget>(spec.name)->geometry();
}

// A field's caption may reach one pixel into the field below it.
bool CaptionTouching(const QRect& a, const QRect& b) {
    return a.intersected(b).height() == 1;
}

TEST(Form1Layout, NoControlCoversAnotherOrLeavesTheWindow) {
    WindowBench bench;
    Form1& form = bench.Open();
    const QWidget* client = form.centralWidget();
    EXPECT_EQ(client->size(), PixelsOf(kForm1Client).size());
    const std::span<const ControlSpec> controls = Form1Controls();
    for (const ControlSpec& spec : controls) {
        const QWidget* control = bench.Find<QWidget>(spec.name);
        ASSERT_NE(control, nullptr) << spec.name;
        EXPECT_EQ(control->parentWidget(), client) << spec.name;
        EXPECT_EQ(control->geometry(), PixelsOf(spec.twips)) << spec.name;
        EXPECT_TRUE(client->rect().contains(control->geometry())) << spec.name;
        for (const ControlSpec& other : controls) {
            const QRect a = PlaceOf(bench, spec), b = PlaceOf(bench, other);
            if (&other != &spec && !CaptionTouching(a, b)) {
                EXPECT_FALSE(a.intersects(b)) << spec.name << " covers " << other.name;
            }
        }
    }
    EXPECT_FALSE(bench.Find<QWidget>("Picture1")->isVisibleTo(&form)) << "hidden until used";
}

// The Tab key visits every control that takes the focus once, in the
// window's tab order, and comes back to the first.
TEST(Form1Layout, TabVisitsEveryFocusableControlOnceInTheWindowsOrder) {
    WindowBench bench;
    Form1& form = bench.Open();
    form.show();
    std::vector<std::string> expected;
    for (const Form1Control stop : Form1TabStops())
        expected.push_back(SpecOf(stop).name);
    ASSERT_GE(expected.size(), 2u);
    expected.push_back(expected.front());
    std::vector<std::string> visited;
    QWidget* widget = bench.Find<QWidget>(expected.front().c_str());
    for (size_t i = 0; i < expected.size(); ++i) {
        visited.push_back(widget->objectName().toStdString());
        do
            widget = widget->nextInFocusChain();
        while (!(widget->focusPolicy() & Qt::TabFocus) || !widget->isVisibleTo(&form));
    }
    EXPECT_EQ(visited, expected);
    for (const ControlSpec& spec : Form1Controls()) {
        const bool focusable = bench.Find<QWidget>(spec.name)->focusPolicy() & Qt::TabFocus;
        EXPECT_EQ(focusable, std::count(expected.begin(), expected.end(), spec.name) > 0)
            << spec.name;
    }
}

// The width a control leaves its caption: a check box gives some to its box.
int TextRoom(const QWidget& control) {
    if (!qobject_cast<const QCheckBox*>(&control))
        return control.width();
    const QStyle* style = control.style();
    return control.width() - style->pixelMetric(QStyle::PM_IndicatorWidth) -
           style->pixelMetric(QStyle::PM_CheckBoxLabelSpacing);
}

int TextWidth(const QWidget& control, QString text) {
    return control.fontMetrics().horizontalAdvance(text.remove('&'));
}

// Every caption is read whole in either language: no button, box or label
// cuts its text.
TEST(Form1Layout, CaptionsFitTheirControlsInBothLanguages) {
    WindowBench bench;
    Form1& form = bench.Open();
    form.show();
    for (const char* language : {"MnuEnglish", "MnuFrench"}) {
        bench.Find<QAction>(language)->trigger();
        for (const ControlSpec& spec : Form1Controls()) {
            const QLabel* label = bench.Find<QLabel>(spec.name);
            if (const QAbstractButton* button = bench.Find<QAbstractButton>(spec.name)) {
                EXPECT_LE(TextWidth(*button, button->text()), TextRoom(*button))
                    << language << " " << spec.name;
            } else if (label && label->wordWrap()) {
                EXPECT_LE(label->heightForWidth(label->width()), label->height())
                    << language << " " << spec.name;
            } else if (label) {
                EXPECT_LE(TextWidth(*label, label->text()), label->width())
                    << language << " " << spec.name;
            }
        }
    }
}

TEST(Form1Layout, FixedCentredWindowWithoutMinimiseOrMaximise) {
    WindowBench bench;
    Form1& form = bench.Open();
    form.show();
    EXPECT_EQ(form.windowTitle().toStdString(), "Patch for Orvane Layouts");
    EXPECT_EQ(form.minimumSize(), form.maximumSize()) << "the user cannot resize it";
    const Qt::WindowFlags flags = form.windowFlags();
    EXPECT_FALSE(flags & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
    const QPoint screenCentre = form.screen()->availableGeometry().center();
    EXPECT_LE((form.geometry().center() - screenCentre).manhattanLength(),
              2 + form.menuBar()->height());
    const QList<QSize> iconSizes = form.windowIcon().availableSizes();
    ASSERT_FALSE(iconSizes.isEmpty());
    EXPECT_EQ(iconSizes.front(), QSize(32, 32));
}

TEST(Form1Layout, MenuTreeWithQuitShortcut) {
    WindowBench bench;
    bench.Open();
    const auto title = [&](const char* name) {
        return bench.Find<QMenu>(name)->title().toStdString();
    };
    const auto text = [&](const char* name) {
        return bench.Find<QAction>(name)->text().toStdString();
    };
    EXPECT_EQ(title("Mnu"), "Menu");
    EXPECT_EQ(title("MnuLanguage"), "Language");
    EXPECT_EQ(title("MnuInfo"), "?");
    EXPECT_EQ(text("MnuEnglish"), "English");
    EXPECT_EQ(text("MnuFrench"), "Français");
    EXPECT_EQ(text("MnuQuit"), "&Quit");
    EXPECT_EQ(text("MnuAuthor"), "Author : Ferrandel");
    EXPECT_EQ(bench.Find<QAction>("MnuQuit")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Q));
    const QList<QAction*> top = bench.Find<QMenu>("Mnu")->actions();
    ASSERT_EQ(top.size(), 4);
    EXPECT_EQ(top[0]->menu(), bench.Find<QMenu>("MnuLanguage"));
    EXPECT_EQ(top[1], bench.Find<QAction>("MnuCheckScreens"));
    EXPECT_EQ(text("MnuCheckScreens"), "&Check screens...");
    EXPECT_EQ(top[2], bench.Find<QAction>("MnuUndo"));
    EXPECT_EQ(text("MnuUndo"), "&Undo last install");
    EXPECT_EQ(top[3], bench.Find<QAction>("MnuQuit"));
    const QList<QAction*> languages = bench.Find<QMenu>("MnuLanguage")->actions();
    EXPECT_EQ(languages, (QList<QAction*>{bench.Find<QAction>("MnuEnglish"),
                                          bench.Find<QAction>("MnuFrench")}));
}

} // namespace
