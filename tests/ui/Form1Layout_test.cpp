#include "FakeDialogs.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <gtest/gtest.h>

namespace {

struct ControlRow {
    const char* name;
    int left, top, width, height; // twips
};

// The window's controls as the form describes them, in twips.
const ControlRow kControls[] = {
    {"Label3", 240, 120, 6495, 615},     {"Label1", 120, 840, 2655, 255},
    {"Text1", 120, 1080, 7575, 285},     {"Command1", 7800, 1080, 375, 255},
    {"Label2", 120, 1560, 2775, 255},    {"Text2", 120, 1800, 7575, 285},
    {"Command2", 7800, 1800, 375, 255},  {"Command4", 120, 2160, 3735, 375},
    {"Command6", 3960, 2160, 3735, 375}, {"Command3", 120, 2640, 3735, 375},
    {"Check1", 3960, 2640, 1095, 375},   {"Check2", 5160, 2640, 2415, 375},
    {"Command5", 120, 3120, 3735, 375},  {"Picture1", 3960, 3120, 4215, 375},
};
constexpr int kTwipsPerPixel = 15;

QRect PixelsOf(const ControlRow& row) {
    return QRect(row.left / kTwipsPerPixel, row.top / kTwipsPerPixel, row.width / kTwipsPerPixel,
                 row.height / kTwipsPerPixel);
}

// A field's caption reaches one pixel into the field below it; its text
// stays clear of the field.
bool CaptionAbove(const ControlRow& label, const ControlRow& field) {
    const std::string pair = std::string(label.name) + field.name;
    return (pair == "Label1Text1" || pair == "Label2Text2") &&
           PixelsOf(label).intersected(PixelsOf(field)).height() == 1;
}

TEST(Form1Layout, ControlsSitAtTheirPlacesWithoutOverlapping) {
    WindowBench bench;
    Form1& form = bench.Open();
    const QWidget* client = form.centralWidget();
    EXPECT_EQ(client->size(), QSize(8280 / kTwipsPerPixel, 3570 / kTwipsPerPixel));
    for (const ControlRow& row : kControls) {
        const QWidget* control = bench.Find<QWidget>(row.name);
        ASSERT_NE(control, nullptr) << row.name;
        EXPECT_EQ(control->parentWidget(), client) << row.name;
        EXPECT_EQ(control->geometry(), PixelsOf(row)) << row.name;
        EXPECT_TRUE(client->rect().contains(control->geometry())) << row.name;
        for (const ControlRow& other : kControls) {
            if (&other == &row || CaptionAbove(row, other) || CaptionAbove(other, row))
                continue;
            EXPECT_FALSE(PixelsOf(row).intersects(PixelsOf(other)))
                << row.name << " overlaps " << other.name;
        }
    }
    EXPECT_FALSE(bench.Find<QWidget>("Picture1")->isVisibleTo(&form)) << "hidden until used";
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

TEST(Form1Layout, TabOrderRunsThroughTheFormInItsOrder) {
    WindowBench bench;
    Form1& form = bench.Open();
    form.show();
    const std::vector<std::string> expected = {"Text1",    "Command1", "Text2",    "Command2",
                                               "Command4", "Command5", "Command3", "Check1",
                                               "Check2",   "Command6", "Text1"};
    std::vector<std::string> visited;
    QWidget* widget = bench.Find<QWidget>("Text1");
    for (size_t i = 0; i < expected.size(); ++i) {
        visited.push_back(widget->objectName().toStdString());
        do
            widget = widget->nextInFocusChain();
        while (!(widget->focusPolicy() & Qt::TabFocus) || !widget->isVisibleTo(&form));
    }
    EXPECT_EQ(visited, expected);
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
