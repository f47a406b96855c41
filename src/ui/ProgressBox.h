#pragma once

#include <QFrame>
#include <QImage>
#include <cstdint>
#include <string>

// The main window's progress area: a sunken box whose drawing is kept in an
// off-screen image and repainted from it, so it survives being covered.
// Horizontal positions are in the box's scale (0 to ScaleWidth() across the
// inner width, twips until a drawing sets it); vertical ones in pixels.
class ProgressBox : public QFrame {
    Q_OBJECT
  public:
    explicit ProgressBox(QWidget* parent = nullptr);

    // Colours are 0x00BBGGRR values; the draw mode is a raster operation
    // number (7 XOR pen, 10 NOT-XOR pen, 13 copy pen).
    void SetBackColor(uint32_t color);
    void SetForeColor(uint32_t color);
    void SetDrawMode(int32_t drawMode) { drawMode_ = drawMode; }
    void SetFillStyle(int32_t fillStyle) { fillStyle_ = fillStyle; }
    int32_t FillStyle() const { return fillStyle_; }

    double ScaleWidth() const;
    void SetScaleWidth(double width);
    double ScaleHeight() const;

    // Extent of `text` in the box's font and scale.
    double TextWidth(const QString& text) const;
    double TextHeight(const QString& text) const;

    // Fills the box with the background colour.
    void Cls();
    // Writes `text` in the foreground colour with its top-left corner at (x, y).
    void Print(double x, double y, const QString& text);
    // A filled rectangle from the top-left corner to (right, bottom) in the
    // foreground colour, combined with the image through the draw mode.
    void FillFromCorner(double right, double bottom);

    // What the box shows inside its border.
    const QImage& Image() const;

    // Pixel column of `x` in a scale `scaleWidth` wide across the image.
    int PixelColumn(double x, double scaleWidth) const;

    // Identifies the last complete drawing, so that a caller can skip one
    // that would repeat it pixel for pixel. Any other drawing, a new size or
    // a new font forgets it.
    void RememberDrawing(std::string key) { drawingKey_ = std::move(key); }
    bool ShowsDrawing(const std::string& key) const {
        return !drawingKey_.empty() && drawingKey_ == key;
    }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    // The image follows the inner size. A box that was never shown has had
    // no resize event yet, so every use checks it.
    void FitImageToBox() const;
    int ToPixelX(double x) const;

    mutable QImage image_;
    QColor backColor_{Qt::white};
    QColor foreColor_{Qt::black};
    int32_t drawMode_ = 13;
    int32_t fillStyle_ = 0;
    mutable double scaleWidth_ = 0;
    mutable std::string drawingKey_;
};
