#include "ProgressBox.h"

#include <QCoreApplication>
#include <QPaintEvent>
#include <QPainter>
#include <cmath>

namespace {

// The box's own horizontal unit before any drawing sets its scale.
constexpr double kTwipsPerPixel = 15.0;

QColor FromColorValue(uint32_t color) {
    return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
}

QPainter::CompositionMode ModeFor(int32_t drawMode) {
    switch (drawMode) {
    case 7:
        return QPainter::RasterOp_SourceXorDestination;
    case 10:
        return QPainter::RasterOp_NotSourceXorDestination;
    default:
        return QPainter::CompositionMode_SourceOver;
    }
}

} // namespace

ProgressBox::ProgressBox(QWidget* parent) : QFrame(parent) {
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(2);
    setFocusPolicy(Qt::NoFocus);
}

void ProgressBox::SetBackColor(uint32_t color) {
    backColor_ = FromColorValue(color);
}

void ProgressBox::SetForeColor(uint32_t color) {
    foreColor_ = FromColorValue(color);
}

double ProgressBox::ScaleWidth() const {
    FitImageToBox();
    return scaleWidth_;
}

void ProgressBox::SetScaleWidth(double width) {
    FitImageToBox();
    scaleWidth_ = width;
}

double ProgressBox::ScaleHeight() const {
    FitImageToBox();
    return image_.height();
}

const QImage& ProgressBox::Image() const {
    FitImageToBox();
    return image_;
}

double ProgressBox::TextWidth(const std::string& text) const {
    FitImageToBox();
    const double pixels = fontMetrics().horizontalAdvance(QString::fromStdString(text));
    return image_.width() > 0 ? pixels * scaleWidth_ / image_.width() : pixels;
}

double ProgressBox::TextHeight(const std::string& /*text*/) const {
    return fontMetrics().height();
}

void ProgressBox::Cls() {
    FitImageToBox();
    ForgetDrawing();
    image_.fill(backColor_);
    update(contentsRect());
}

void ProgressBox::Print(double x, double y, const std::string& text) {
    FitImageToBox();
    ForgetDrawing();
    QPainter painter(&image_);
    painter.setFont(font());
    painter.setPen(foreColor_);
    painter.drawText(QPointF(ToPixelX(x), std::round(y) + fontMetrics().ascent()),
                     QString::fromStdString(text));
    update(contentsRect());
}

void ProgressBox::FillFromCorner(double right, double bottom) {
    FitImageToBox();
    ForgetDrawing();
    const int width = ToPixelX(right);
    const int height = static_cast<int>(std::round(bottom));
    if (width <= 0 || height <= 0)
        return;
    // The bar is always solid, as a box drawn with its fill flag is.
    QPainter painter(&image_);
    painter.setCompositionMode(ModeFor(drawMode_));
    painter.fillRect(QRect(0, 0, width, height), foreColor_);
    update(contentsRect());
}

void ProgressBox::paintEvent(QPaintEvent* event) {
    // Drawings repaint the inside only; the sunken border costs more to draw
    // than the picture, so it is drawn only when it needs to be.
    if (!contentsRect().contains(event->rect()))
        QFrame::paintEvent(event);
    QPainter painter(this);
    painter.drawImage(contentsRect().topLeft(), Image());
}

void ProgressBox::resizeEvent(QResizeEvent* event) {
    QFrame::resizeEvent(event);
    FitImageToBox();
}

void ProgressBox::changeEvent(QEvent* event) {
    QFrame::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        ForgetDrawing();
}

void ProgressBox::FitImageToBox() const {
    const QSize inner = contentsRect().size().expandedTo(QSize(1, 1));
    if (image_.size() == inner)
        return;
    image_ = QImage(inner, QImage::Format_RGB32);
    ForgetDrawing();
    image_.fill(backColor_);
    scaleWidth_ = inner.width() * kTwipsPerPixel;
}

int ProgressBox::PixelColumn(double x, double scaleWidth) const {
    FitImageToBox();
    if (scaleWidth <= 0)
        return 0;
    return static_cast<int>(std::round(x * image_.width() / scaleWidth));
}

int ProgressBox::ToPixelX(double x) const {
    return PixelColumn(x, scaleWidth_);
}

void ProgressBox::DoEvents() {
    QCoreApplication::processEvents();
}
