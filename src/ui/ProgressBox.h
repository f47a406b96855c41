#pragma once

#include "services/ProgressBar.h"

#include <QFrame>
#include <QImage>
#include <cstdint>
#include <string>

// The main window's progress area drawn with Qt: a sunken box whose drawing
// is kept in an off-screen image and repainted from it, so it survives being
// covered.
class ProgressBox : public QFrame, public ProgressSurface {
    Q_OBJECT
  public:
    explicit ProgressBox(QWidget* parent = nullptr);

    void SetBackColor(uint32_t color) override;
    void SetForeColor(uint32_t color) override;
    void SetDrawMode(int32_t drawMode) override { drawMode_ = drawMode; }
    void SetFillStyle(int32_t fillStyle) override { fillStyle_ = fillStyle; }
    int32_t FillStyle() const { return fillStyle_; }

    double ScaleWidth() const override;
    void SetScaleWidth(double width) override;
    double ScaleHeight() const override;
    double TextWidth(const std::string& text) const override;
    double TextHeight(const std::string& text) const override;

    void Cls() override;
    void Print(double x, double y, const std::string& text) override;
    void FillFromCorner(double right, double bottom) override;
    int PixelColumn(double x, double scaleWidth) const override;

    void DoEvents() override;

    // What the box shows inside its border.
    const QImage& Image() const;

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
};
