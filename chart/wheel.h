// The chart wheel: the picture of a natal chart drawn on a Canvas (chart/canvas.h).
//
// chart record (BirthPoints, HouseCusps, AspectGrid) -> DrawChartWheel -> canvas
//
// It shows a legend of the ten bodies and twelve signs, the house ring with the cusp
// lines, house numerals and cusp degrees, the sign band with the sign boundaries and
// glyphs, the bodies as glyphs of the astrological font spread over 50 slots x 2 rings
// so that close bodies do not overlap, and the aspect lines between the bodies.
//
// Angles. A zodiac longitude L is drawn at the screen angle
// theta = NormalizeDegrees(180 - L + Ascendant): the Ascendant lies at the left and the
// longitudes increase counter-clockwise on the screen. A point at screen angle theta
// (degrees, y axis down) and radius r is (cx + r cos theta, cy + r sin theta), each
// coordinate rounded to the nearest integer with halves to even.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "astro/chart_record.h"
#include "chart/canvas.h"

namespace korv {

// Face of the astrological font: codes 64..75 are the signs Aries..Pisces, 76..85 the
// bodies Sun..Pluto.
inline constexpr const char* kAstroFace = "Astro v.3.0";
// The main window's chart picture, which the report saves as horoscop.bmp.
inline constexpr int kChartPictureWidth = 777;
inline constexpr int kChartPictureHeight = 626;

// Face of every text on the wheel; the Qt canvas maps it to an installed font.
inline constexpr const char* kTextFace = "Arial Cyr";

// Nearest integer, halves to the even neighbour (2.5 -> 2, 3.5 -> 4, -0.5 -> 0).
int RoundHalfEven(double x);

// Every size of the wheel follows from the picture height H.
struct WheelGeometry {
    int R = 0;                // H / 2
    int cx = 0, cy = 0;       // centre (R, R)
    int r004 = 0;             // centre disc
    int r05 = 0;              // inner circle: the aspect lines run inside it
    int r086 = 0;             // sign band r05..r086
    int r096 = 0;             // house ring r086..r096
    int legendX = 0;          // left edge of the legend
    int labelRadius = 0;      // house numerals and cusp degrees
    int signGlyphRadius = 0;  // sign glyphs
    int glyphOuter = 0;       // outer limit of the body glyph rings: r086 - 30
    int ring1 = 0, ring2 = 0; // radii of the two body glyph rings
};
WheelGeometry ComputeWheelGeometry(int height);

struct PixelPoint {
    int x = 0, y = 0;
    friend bool operator==(const PixelPoint&, const PixelPoint&) = default;
};

// Screen angle of a zodiac longitude, degrees [0, 360).
double ScreenAngle(double longitude, double ascendant);
// The pixel at screen angle theta (degrees) and radius r around (cx, cy).
PixelPoint PolarPoint(int cx, int cy, double theta, double r);

// Sets the pen and draws a line from (theta1, r1) to (theta2, r2).
void DrawRadialLine(Canvas& canvas, int cx, int cy, double theta1, double r1, double theta2, double r2,
                    PenStyle style, Rgb colour, int width);
// Sets the brush colour and draws, with the current pen, the circle bounded by the
// square of half-side d around the point (theta, r).
void DrawDot(Canvas& canvas, int cx, int cy, double theta, double r, Rgb fill, int d);
// Makes `font` the canvas font and draws the text centred on (theta, r): the text goes
// into a white bitmap exactly its size, which is copied onto the canvas with `copyMode`.
// The canvas's copy mode is as it was before.
void DrawTextAt(Canvas& canvas, int cx, int cy, double theta, double r, std::string_view cp1251,
                const Font& font, int copyMode);
// The glyph of body n (1..10) centred on (theta, r) in the astrological font, bold, in
// `colour` and `size` points, the same way as DrawTextAt; leaves the canvas's copy mode
// at `copyMode`.
void DrawBodyGlyph(Canvas& canvas, int cx, int cy, double theta, double r, int body, Rgb colour, int size,
                   int copyMode);

// The places for body glyphs: the band is cut into `slotCount` equal angular slots
// (slot k covers screen angles (k - 1) * 360 / slotCount up to k * 360 / slotCount),
// each with `ringCount` places. All places start free.
class GlyphSlots {
public:
    GlyphSlots(int slotCount, int ringCount);
    int slotCount() const { return slotCount_; }
    int ringCount() const { return ringCount_; }
    bool taken(int slot, int ring) const { return taken_[index(slot, ring)] != 0; }
    void take(int slot, int ring) { taken_[index(slot, ring)] = 1; }
    // Start of slot k (1-based); slotCount + 1 gives 360.
    double slotStart(int slot) const;
    // The slot that holds screen angle theta.
    int slotOf(double theta) const;

private:
    std::size_t index(int slot, int ring) const;
    int slotCount_, ringCount_;
    std::vector<std::uint8_t> taken_;
};

struct GlyphPlace {
    int radius = 0;
    double angle = 0;  // screen angle, the middle of a slot
};

// Where to draw the glyph of a body at screen angle theta between rInner and rOuter:
// the first free ring of its slot, else of the next slot (slot 1 after the last).
// Nothing when both slots are full: the caller then draws at the previous place.
std::optional<GlyphPlace> PlaceGlyph(int rInner, int rOuter, GlyphSlots& slots, double theta);

// Draws the whole picture. `width` and `houseCount` (always 12) are accepted and not
// used: every size follows from `height`, every loop runs over 12 houses and 12 signs.
// The chart tables are only read.
void DrawChartWheel(Canvas& canvas, int width, int height, const ChartPoints& birthPoints,
                    const HouseCuspArray& houseCusps, const AspectGridArray& aspectGrid, int houseCount);
void DrawChartWheel(Canvas& canvas, int width, int height, const ChartRecord& chart);

}  // namespace korv
