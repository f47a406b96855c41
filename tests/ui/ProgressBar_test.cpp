#include "ProgressBox.h"
#include "services/ProgressBar.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFrame>
#include <functional>
#include <gtest/gtest.h>

namespace {

// A progress box of the main window's size with its standard look.
class ProgressBench : public ::testing::Test {
  protected:
    // Every drawing here comes an interval after the one before, so each is
    // drawn; the pacing has a test of its own.
    ProgressBench() {
        box.resize(281, 25);
        box.show();
        box.PaceEventsWith(EventPacing([t = EventPacing::Clock::time_point{}]() mutable {
            return t += EventPacing::kInterval;
        }));
    }

    std::string Draw(ProgressBox& target, int32_t value, int32_t maximum, std::string caption,
                     bool showPercent = kStandardShowPercent) {
        DrawProgressBar(target, value, maximum, caption, showPercent, kStandardAlignment,
                        kStandardForeColor, kStandardBackColor, kStandardFillStyle,
                        kStandardDrawMode);
        return caption;
    }

    // The same caption drawn with no bar: what the box shows before inverting.
    QImage Reference(const std::string& fullCaption) {
        ProgressBox reference;
        reference.resize(box.size());
        Draw(reference, 0, 100, fullCaption, false);
        return reference.Image();
    }

    ProgressBox box;
};

QRgb Inverted(QRgb pixel) {
    return qRgb(255 - qRed(pixel), 255 - qGreen(pixel), 255 - qBlue(pixel));
}

bool IsWhite(QRgb pixel) {
    return (pixel & 0xFFFFFF) == 0xFFFFFF;
}

// Columns [from, to) of `image` that differ from `expected` pixel-wise.
int DifferingColumns(const QImage& image, int from, int to,
                     const std::function<QRgb(int, int)>& expected) {
    int differing = 0;
    for (int x = from; x < to; ++x)
        for (int y = 0; y < image.height(); ++y)
            if ((image.pixel(x, y) & 0xFFFFFF) != (expected(x, y) & 0xFFFFFF)) {
                ++differing;
                break;
            }
    return differing;
}

TEST_F(ProgressBench, CaptionTakesTheRoundedPercentage) {
    EXPECT_EQ(Draw(box, 0, 100, "Downloading..."), "Downloading... 0%");
    EXPECT_EQ(Draw(box, 40, 100, "Copying..."), "Copying... 40%");
    EXPECT_EQ(Draw(box, 1, 8, "Copying..."), "Copying... 12%") << "12.5 goes to the even 12";
    EXPECT_EQ(Draw(box, 3, 8, "Copying..."), "Copying... 38%") << "37.5 goes to the even 38";
    EXPECT_EQ(Draw(box, 5, 5, "x", false), "x") << "no percentage asked for";
}

TEST_F(ProgressBench, NoBarAtZeroAndTheCaptionCentred) {
    Draw(box, 0, 100, "Downloading...");
    const QImage& image = box.Image();
    int left = image.width(), right = -1;
    for (int x = 0; x < image.width(); ++x)
        for (int y = 0; y < image.height(); ++y)
            if (!IsWhite(image.pixel(x, y))) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
    ASSERT_GE(right, left) << "the caption is drawn";
    EXPECT_GT(left, 0) << "no bar at the left edge";
    EXPECT_NEAR(left, image.width() - 1 - right, 3) << "centred";
    EXPECT_NEAR(right - left + 1, box.fontMetrics().horizontalAdvance("Downloading... 0%"), 3);
}

TEST_F(ProgressBench, BarInvertsWhatLiesUnderIt) {
    Draw(box, 40, 100, "Copying...");
    const QImage reference = Reference("Copying... 40%");
    const QImage& image = box.Image();
    const int edge = (image.width() * 40 + 50) / 100;
    const auto inverted = [&](int x, int y) { return Inverted(reference.pixel(x, y)); };
    const auto plain = [&](int x, int y) { return reference.pixel(x, y); };
    EXPECT_EQ(DifferingColumns(image, 0, edge - 1, inverted), 0) << "left of the bar's end";
    EXPECT_EQ(DifferingColumns(image, edge + 1, image.width(), plain), 0) << "right of it";
    EXPECT_EQ(DifferingColumns(reference, 0, image.width(), inverted), image.width())
        << "the reference is not its own inverse";
}

TEST_F(ProgressBench, FullBarInvertsTheWholeBox) {
    Draw(box, 100, 100, "Copying...");
    const QImage reference = Reference("Copying... 100%");
    const QImage& image = box.Image();
    EXPECT_EQ(DifferingColumns(image, 0, image.width(),
                               [&](int x, int y) { return Inverted(reference.pixel(x, y)); }),
              0);
    EXPECT_EQ(QColor(image.pixel(0, 0)), QColor(Qt::black));
}

// Counts the events that reach it.
class EventCounter : public QObject {
  public:
    int events = 0;
    bool event(QEvent*) override {
        ++events;
        return true;
    }
};

TEST_F(ProgressBench, ValueAboveMaximumDrawsNothingAndYieldsNot) {
    EventPacing::Clock::time_point now{};
    box.PaceEventsWith(EventPacing([&] { return now; }));
    Draw(box, 30, 100, "Copying...");
    const QImage before = box.Image();
    EventCounter counter;
    QCoreApplication::postEvent(&counter, new QEvent(QEvent::User));
    now += EventPacing::kInterval;
    EXPECT_EQ(Draw(box, 150, 100, "Copying..."), "Copying... 150%");
    EXPECT_EQ(box.Image(), before);
    EXPECT_EQ(counter.events, 0) << "no events processed";
    Draw(box, 60, 100, "Copying...");
    EXPECT_EQ(counter.events, 1) << "a drawing processes pending events when they are due";
    QCoreApplication::postEvent(&counter, new QEvent(QEvent::User));
    const QImage at60 = box.Image();
    Draw(box, 99, 100, "Copying...");
    EXPECT_EQ(counter.events, 1) << "and not again within the interval";
    EXPECT_EQ(box.Image(), at60) << "nor drawn: the window would not show it";
    Draw(box, 100, 100, "Copying...");
    EXPECT_NE(box.Image(), at60) << "the last step is drawn, to stay behind the result";
}

// Counts the paint events a widget receives.
class PaintCounter : public QObject {
  public:
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        paints += event->type() == QEvent::Paint;
        return false;
    }
};

int PaintsWhileProcessing(ProgressBox& target, const std::function<void()>& drawing) {
    QCoreApplication::processEvents();
    PaintCounter counter;
    target.installEventFilter(&counter);
    drawing();
    QCoreApplication::processEvents();
    target.removeEventFilter(&counter);
    return counter.paints;
}

TEST_F(ProgressBench, ARepeatedPictureIsNotRepaintedButAChangedOneIs) {
    Draw(box, 400, 1000, "Copying...");
    EXPECT_EQ(PaintsWhileProcessing(box, [&] { Draw(box, 400, 1000, "Copying..."); }), 0);
    EXPECT_EQ(PaintsWhileProcessing(box, [&] { Draw(box, 401, 1000, "Copying..."); }), 0)
        << "same percentage, same bar end";
    EXPECT_GT(PaintsWhileProcessing(box, [&] { Draw(box, 600, 1000, "Copying..."); }), 0);
    EXPECT_GT(PaintsWhileProcessing(box, [&] { Draw(box, 600, 1000, "Deleting..."); }), 0);
    EXPECT_GT(PaintsWhileProcessing(box, [&] { Draw(box, 6, 10, "Deleting..."); }), 0)
        << "another scale";
}

TEST_F(ProgressBench, ARepeatedPictureIsRedrawnAfterTheBoxChanged) {
    Draw(box, 40, 100, "Copying...");
    const QImage drawn = box.Image();
    const auto redrawnAfter = [&](const std::function<void()>& change) {
        change();
        Draw(box, 40, 100, "Copying...");
        return box.Image() == drawn;
    };
    EXPECT_TRUE(redrawnAfter([&] { box.Cls(); }));
    EXPECT_TRUE(redrawnAfter([&] { box.Print(0, 0, "x"); }));
    EXPECT_TRUE(redrawnAfter([&] { box.FillFromCorner(box.ScaleWidth(), box.ScaleHeight()); }));

    box.resize(box.width() + 40, box.height());
    Draw(box, 40, 100, "Copying...");
    ProgressBox fresh;
    fresh.resize(box.size());
    Draw(fresh, 40, 100, "Copying...");
    EXPECT_EQ(box.Image(), fresh.Image()) << "a new size";
}

TEST_F(ProgressBench, DrawingSurvivesARepaint) {
    Draw(box, 40, 100, "Copying...");
    const QImage drawn = box.Image();
    box.repaint();
    const QImage shown = box.grab().toImage().copy(box.contentsRect());
    EXPECT_EQ(shown.convertToFormat(QImage::Format_RGB32),
              drawn.convertToFormat(QImage::Format_RGB32));
}

TEST_F(ProgressBench, AWholeRepaintKeepsTheBorder) {
    QFrame plain; // the box's own border, drawn by the frame itself
    plain.setFrameStyle(box.frameStyle());
    plain.setLineWidth(box.lineWidth());
    plain.resize(box.size());
    const QImage border = plain.grab().toImage();
    Draw(box, 100, 100, "Copying...");
    QCoreApplication::processEvents();
    const QImage shown = box.grab().toImage();
    ASSERT_EQ(shown.size(), border.size());
    const QRect inside = box.contentsRect();
    int differing = 0;
    for (int x = 0; x < shown.width(); ++x)
        for (int y = 0; y < shown.height(); ++y)
            differing += !inside.contains(x, y) && shown.pixel(x, y) != border.pixel(x, y);
    EXPECT_EQ(differing, 0);
    EXPECT_NE(shown.pixel(inside.topLeft()), border.pixel(inside.topLeft())) << "bar drawn";
}

} // namespace
