// The wheel's canvas on a QImage, painted with QPainter. Shapes and lines are drawn
// without anti-aliasing, the way the wheel was designed; text is anti-aliased.
// Fonts: the face is taken as named (Qt's font substitution maps "Arial Cyr", see
// chart/qt/fonts.h); the size in points becomes a pixel size at 96 dots per inch, so
// the picture does not depend on the screen.
#pragma once

#include <QImage>

#include "chart/canvas.h"

namespace korv {

class QImageCanvas : public Canvas {
public:
    // Draws on `image`, which must outlive the canvas and be of Format_RGB32.
    explicit QImageCanvas(QImage& image);
    // Owns a white width x height image.
    QImageCanvas(int width, int height);

    void rectangle(int x1, int y1, int x2, int y2) override;
    void ellipse(int x1, int y1, int x2, int y2) override;
    void line(int x1, int y1, int x2, int y2) override;
    void text(int x, int y, std::string_view cp1251) override;
    TextSize textExtent(std::string_view cp1251) const override;
    std::unique_ptr<Canvas> createBitmap(int width, int height) const override;
    // `bitmap` must be a QImageCanvas. Mode kCopyAnd combines with
    // QPainter::RasterOp_SourceAndDestination, kCopyPlain replaces the pixels.
    void copyBitmap(const Canvas& bitmap, int x, int y, int mode) override;

    const QImage& image() const { return *image_; }

private:
    QImage own_;
    QImage* image_;
};

// Pixel size of a font of `points` at 96 dots per inch (10 -> 13, 8 -> 11, 14 -> 19).
int FontPixelSize(int points);

}  // namespace korv
