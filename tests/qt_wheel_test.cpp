// The wheel's QImage canvas and a rendered wheel checked pixel by pixel. Pixel
// positions come from the wheel geometry for 626 pixels height (centre 313, 313).
#include <gtest/gtest.h>

#include <QColor>
#include <QImage>

#include "astro/angles.h"
#include "chart/qt/fonts.h"
#include "chart/qt/qimage_canvas.h"
#include "chart/qt/wheel_image.h"
#include "common/error.h"
#include "temp_dir.h"

namespace korv {
namespace {

const std::filesystem::path kDataDir = std::filesystem::path(KORVINAUT_SOURCE_DIR) / "data";
const QRgb kRedPixel = qRgb(255, 0, 0);
const QRgb kWhitePixel = qRgb(255, 255, 255);
const QRgb kBlackPixel = qRgb(0, 0, 0);

QRgb Pixel(const QImage& image, int x, int y) { return image.pixel(x, y) | 0xff000000u; }

TEST(QImageCanvas, FiguresExcludeTheRightAndBottomEdge) {
    QImageCanvas canvas(20, 20);
    canvas.setPen({kBlack, 1, PenStyle::Solid});
    canvas.setBrush({Rgb{255, 0, 0}, BrushStyle::Solid});
    canvas.rectangle(2, 2, 8, 8);
    EXPECT_EQ(Pixel(canvas.image(), 2, 2), kBlackPixel);
    EXPECT_EQ(Pixel(canvas.image(), 7, 7), kBlackPixel);
    EXPECT_EQ(Pixel(canvas.image(), 5, 5), kRedPixel);
    EXPECT_EQ(Pixel(canvas.image(), 8, 8), kWhitePixel);
    canvas.setPen({kWhite, 1, PenStyle::Clear});
    canvas.rectangle(10, 10, 12, 12);
    EXPECT_EQ(Pixel(canvas.image(), 11, 11), kRedPixel);
    EXPECT_EQ(Pixel(canvas.image(), 12, 12), kWhitePixel);
}

TEST(QImageCanvas, CopyModeAndKeepsTheCanvasUnderWhite) {
    for (int mode : {kCopyAnd, kCopyPlain}) {
        QImageCanvas canvas(20, 20);
        canvas.setPen({Rgb{255, 0, 0}, 1, PenStyle::Solid});
        canvas.setBrush({Rgb{255, 0, 0}, BrushStyle::Solid});
        canvas.rectangle(0, 0, 20, 20);
        auto bitmap = canvas.createBitmap(10, 10);
        bitmap->setPen({Rgb{0, 255, 0}, 1, PenStyle::Solid});
        bitmap->line(0, 5, 9, 5);
        canvas.copyBitmap(*bitmap, 5, 5, mode);
        const QImage& image = canvas.image();
        SCOPED_TRACE(mode);
        // green AND red is black; white AND red is red; plain copy puts green and white
        EXPECT_EQ(Pixel(image, 7, 10), mode == kCopyAnd ? kBlackPixel : qRgb(0, 255, 0));
        EXPECT_EQ(Pixel(image, 7, 7), mode == kCopyAnd ? kRedPixel : kWhitePixel);
        EXPECT_EQ(Pixel(image, 16, 16), kRedPixel);  // outside the bitmap
    }
}

TEST(QImageCanvas, TextStaysInsideItsExtent) {
    InstallTextFontSubstitutes();
    QImageCanvas canvas(100, 40);
    canvas.setFont({"Arial Cyr", 10, true, kBlack});
    const std::string text = "\xC6\xF3\xEA";  // "Жук" in Windows-1251
    const TextSize size = canvas.textExtent(text);
    EXPECT_GE(size.height, 13);  // at least the 13-pixel em of 10 points
    EXPECT_GT(size.width, 10);
    canvas.text(10, 10, text);
    int inked = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 100; ++x) {
            if (Pixel(canvas.image(), x, y) == kWhitePixel) continue;
            ++inked;
            // A bold last letter may overhang its advance by a pixel; the bitmap cuts that.
            EXPECT_TRUE(x >= 10 && x <= 10 + size.width && y >= 10 && y < 10 + size.height)
                << "ink at " << x << "," << y;
        }
    EXPECT_GT(inked, 20);
}

TEST(QImageCanvas, PointSizesAreTakenAt96Dpi) {
    EXPECT_EQ(FontPixelSize(8), 11);
    EXPECT_EQ(FontPixelSize(10), 13);
    EXPECT_EQ(FontPixelSize(11), 15);
    EXPECT_EQ(FontPixelSize(12), 16);
    EXPECT_EQ(FontPixelSize(14), 19);
}

// Equal houses from 0 Aries; the Sun at 90 (bottom) and Saturn at 270 (top) in
// opposition, the other bodies spread out of their way.
ChartRecord RenderChart() {
    ChartRecord chart;
    for (int i = 1; i <= 12; ++i) chart.HouseCusps[i] = 30.0 * (i - 1);
    const double bodies[10] = {90, 40, 75, 110, 145, 180, 270, 250, 285, 320};
    for (int k = 1; k <= 10; ++k) chart.BirthPoints[k].longitude = bodies[k - 1];
    for (auto& row : chart.AspectGrid) row.fill(kNoAspect);
    chart.AspectGrid[1][7] = 180;
    FinishChartRecord(chart);
    return chart;
}

TEST(WheelImage, RendersTheWindowPictureAsBmp) {
    ASSERT_EQ(InstallAstroFont(kDataDir).toStdString(), "");
    InstallTextFontSubstitutes();
    const QImage image = RenderChartWheel(RenderChart(), 777, 626, LoadPicture(kDataDir / "Images" / "04.bmp"));
    TempDir dir;
    const auto file = dir.path() / "horoscop.bmp";
    SaveWheelImage(image, file);
    QImage saved;
    ASSERT_TRUE(saved.load(QString::fromStdString(file.string()), "BMP"));
    EXPECT_EQ(saved.size(), QSize(777, 626));

    // The house ring at screen angle 165, radius 285: between the labels of houses 1 and 2.
    EXPECT_EQ(Pixel(saved, 38, 387), qRgb(221, 231, 243));
    // The inner disc, left of the centre, and the centre disc.
    EXPECT_EQ(Pixel(saved, 250, 313), kWhitePixel);
    EXPECT_EQ(Pixel(saved, 313, 313), kWhitePixel);
    EXPECT_EQ(Pixel(saved, 313 - 13, 313), kBlackPixel);  // the centre disc's outline
    // The Sun-Saturn opposition: a vertical line from the bottom to the top of the disc.
    EXPECT_EQ(Pixel(saved, 313, 200), qRgb(0, 0, 221));
    EXPECT_EQ(Pixel(saved, 313, 420), qRgb(0, 0, 221));
    // The background is cleared right of the legend and below the wheel.
    EXPECT_EQ(Pixel(saved, 770, 620), kWhitePixel);
    EXPECT_EQ(Pixel(saved, 640, 600), kWhitePixel);
    // The house ring's outer circle crosses the vertical through the centre at y 13.
    EXPECT_EQ(Pixel(saved, 313, 13), kBlackPixel);

    // The legend's Aries glyph (top-left 623, 280) is red, its name black.
    int red = 0, black = 0;
    for (int y = 280; y < 300; ++y)
        for (int x = 623; x < 700; ++x) {
            const QColor c(Pixel(saved, x, y));
            if (c.red() > 200 && c.green() < 80 && c.blue() < 80) ++red;
            if (c.red() < 60 && c.green() < 60 && c.blue() < 60) ++black;
        }
    EXPECT_GT(red, 5);
    EXPECT_GT(black, 5);
}

TEST(WheelImage, SavesPngAndRefusesOtherExtensions) {
    QImage image(10, 10, QImage::Format_RGB32);
    image.fill(Qt::white);
    TempDir dir;
    SaveWheelImage(image, dir.path() / "wheel.PNG");
    EXPECT_TRUE(std::filesystem::exists(dir.path() / "wheel.PNG"));
    EXPECT_THROW(SaveWheelImage(image, dir.path() / "wheel.jpg"), Error);
    EXPECT_THROW(LoadPicture(dir.path() / "missing.bmp"), Error);
}

}  // namespace
}  // namespace korv
