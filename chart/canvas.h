// The drawing surface of the chart wheel, without regard to backend. The wheel draws
// through this interface only; a QPainter canvas on a QImage makes the picture
// (chart/qt/qimage_canvas.h) and a recording canvas checks the geometry in the tests.
//
// Conventions, those of the 2-D canvas the wheel was designed on:
// - integer pixel coordinates, x to the right, y down;
// - rectangle and ellipse take the bounding box (x1, y1)-(x2, y2) with the right and
//   bottom edges excluded: the figure covers x1..x2-1 and y1..y2-1; the outline is
//   drawn with the current pen and the inside filled with the current brush;
// - text is Windows-1251 bytes, written with its top-left corner at the point given,
//   in the current font (face, size in points, bold, colour); only the characters are
//   painted, the background shows through;
// - a bitmap is a sub-canvas made by createBitmap, white all over; copyBitmap puts it
//   onto this canvas with its top-left corner at (x, y).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace korv {

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kWhite{255, 255, 255};

enum class PenStyle { Solid, Clear };
enum class BrushStyle { Solid, Clear };

struct Pen {
    Rgb colour = kBlack;
    int width = 1;
    PenStyle style = PenStyle::Solid;
    friend bool operator==(const Pen&, const Pen&) = default;
};

struct Brush {
    Rgb colour = kWhite;
    BrushStyle style = BrushStyle::Solid;
    friend bool operator==(const Brush&, const Brush&) = default;
};

struct Font {
    std::string face = "Arial Cyr";
    int size = 10;  // points
    bool bold = false;
    Rgb colour = kBlack;
    friend bool operator==(const Font&, const Font&) = default;
};

struct TextSize {
    int width = 0, height = 0;
};

// How copyBitmap combines the bitmap with the canvas.
enum CopyMode : int {
    kCopyAnd = 1,   // bitwise AND of the pixels: white leaves the canvas unchanged
    kCopyPlain = 2  // the bitmap replaces the canvas
};

class Canvas {
public:
    virtual ~Canvas() = default;

    // Drawing state, read by the primitives below.
    void setPen(const Pen& pen) { pen_ = pen; }
    const Pen& pen() const { return pen_; }
    void setBrush(const Brush& brush) { brush_ = brush; }
    const Brush& brush() const { return brush_; }
    void setFont(const Font& font) { font_ = font; }
    const Font& font() const { return font_; }
    // The canvas's own copy mode, kept for the callers that save and restore it;
    // copyBitmap takes the mode to use explicitly.
    void setCopyMode(int mode) { copyMode_ = mode; }
    int copyMode() const { return copyMode_; }

    virtual void rectangle(int x1, int y1, int x2, int y2) = 0;
    virtual void ellipse(int x1, int y1, int x2, int y2) = 0;
    virtual void line(int x1, int y1, int x2, int y2) = 0;
    virtual void text(int x, int y, std::string_view cp1251) = 0;
    // Width and height of the text in the current font (height: ascent + descent).
    virtual TextSize textExtent(std::string_view cp1251) const = 0;

    // An off-screen bitmap of the same kind, white, to be drawn on and copied here.
    virtual std::unique_ptr<Canvas> createBitmap(int width, int height) const = 0;
    virtual void copyBitmap(const Canvas& bitmap, int x, int y, int mode) = 0;

private:
    Pen pen_;
    Brush brush_;
    Font font_;
    int copyMode_ = kCopyPlain;
};

}  // namespace korv
