#include "chart/wheel.h"

#include <cmath>
#include <string>

#include "astro/angles.h"

namespace korv {

namespace {

// Degrees to radians, with the factor the wheel's geometry uses.
constexpr double kWheelRadiansPerDegree = 0.0174533;

constexpr Rgb kHouseRingFill{221, 231, 243};
constexpr Rgb kLegendBodyColour{0, 0, 255};
constexpr Rgb kSignGlyphColour{255, 0, 0};
constexpr Rgb kBodyGlyphColour{0, 0, 221};
constexpr Rgb kBodyDotFill{0, 0, 255};
constexpr Rgb kTrineSextileColour{221, 0, 0};
constexpr Rgb kSquareOppositionColour{0, 0, 221};

constexpr int kWheelSigns = 12;
constexpr int kWheelHouses = 12;
constexpr int kGlyphSlotCount = 50;
constexpr int kGlyphRingCount = 2;

const char* const kHouseNumerals[kWheelHouses + 1] = {"",    "I",    "II", "III", "IV", "V",  "VI",
                                                       "VII", "VIII", "IX", "X",   "XI", "XII"};

// Glyph codes of the astrological font.
std::string SignGlyph(int sign) { return std::string(1, static_cast<char>(63 + sign)); }
std::string BodyGlyph(int body) { return std::string(1, static_cast<char>(75 + body)); }

// The text into a white bitmap exactly its size in the canvas font, copied with its
// centre on `at` (each half size rounded).
void DrawCentred(Canvas& canvas, PixelPoint at, std::string_view text, int copyMode) {
    const TextSize size = canvas.textExtent(text);
    std::unique_ptr<Canvas> bitmap = canvas.createBitmap(size.width, size.height);
    bitmap->setFont(canvas.font());
    bitmap->text(0, 0, text);
    canvas.copyBitmap(*bitmap, at.x - RoundHalfEven(size.width / 2.0), at.y - RoundHalfEven(size.height / 2.0),
                      copyMode);
}

}  // namespace

int RoundHalfEven(double x) {
    const double below = std::floor(x);
    const double diff = x - below;
    const long long n = static_cast<long long>(below);
    if (diff > 0.5) return static_cast<int>(n + 1);
    if (diff < 0.5) return static_cast<int>(n);
    return static_cast<int>(n % 2 == 0 ? n : n + 1);
}

WheelGeometry ComputeWheelGeometry(int height) {
    WheelGeometry g;
    g.R = RoundHalfEven(height / 2.0);
    g.cx = g.R;
    g.cy = g.R;
    g.r004 = RoundHalfEven(g.R * 0.04);
    g.r05 = RoundHalfEven(g.R * 0.5);
    g.r086 = RoundHalfEven(g.R * 0.86);
    g.r096 = RoundHalfEven(g.R * 0.96);
    g.legendX = g.R + g.r096 + 10;
    g.labelRadius = static_cast<int>(std::trunc(g.r096 - (g.r096 - g.r086) / 2.0));
    g.signGlyphRadius = g.r086 - 15;
    g.glyphOuter = g.r086 - 30;
    const int step = static_cast<int>(std::trunc((g.glyphOuter - g.r05) / static_cast<double>(kGlyphRingCount)));
    g.ring1 = static_cast<int>(std::trunc(g.r05 + step / 2.0));
    g.ring2 = static_cast<int>(std::trunc(g.r05 + step + step / 2.0));
    return g;
}

double ScreenAngle(double longitude, double ascendant) { return NormalizeDegrees(180.0 - longitude + ascendant); }

PixelPoint PolarPoint(int cx, int cy, double theta, double r) {
    const double a = theta * kWheelRadiansPerDegree;
    return {RoundHalfEven(cx + r * std::cos(a)), RoundHalfEven(cy + r * std::sin(a))};
}

void DrawRadialLine(Canvas& canvas, int cx, int cy, double theta1, double r1, double theta2, double r2,
                    PenStyle style, Rgb colour, int width) {
    canvas.setPen({colour, width, style});
    const PixelPoint a = PolarPoint(cx, cy, theta1, r1);
    const PixelPoint b = PolarPoint(cx, cy, theta2, r2);
    canvas.line(a.x, a.y, b.x, b.y);
}

void DrawDot(Canvas& canvas, int cx, int cy, double theta, double r, Rgb fill, int d) {
    Brush brush = canvas.brush();
    brush.colour = fill;
    canvas.setBrush(brush);
    const PixelPoint p = PolarPoint(cx, cy, theta, r);
    canvas.ellipse(p.x - d, p.y - d, p.x + d, p.y + d);
}

void DrawTextAt(Canvas& canvas, int cx, int cy, double theta, double r, std::string_view cp1251,
                const Font& font, int copyMode) {
    canvas.setFont(font);
    const int savedMode = canvas.copyMode();
    canvas.setCopyMode(copyMode);
    DrawCentred(canvas, PolarPoint(cx, cy, theta, r), cp1251, copyMode);
    canvas.setCopyMode(savedMode);
}

void DrawBodyGlyph(Canvas& canvas, int cx, int cy, double theta, double r, int body, Rgb colour, int size,
                   int copyMode) {
    canvas.setFont({kAstroFace, size, true, colour});
    canvas.setCopyMode(copyMode);
    DrawCentred(canvas, PolarPoint(cx, cy, theta, r), BodyGlyph(body), copyMode);
}

GlyphSlots::GlyphSlots(int slotCount, int ringCount)
    : slotCount_(slotCount), ringCount_(ringCount),
      taken_(static_cast<std::size_t>(slotCount) * static_cast<std::size_t>(ringCount), 0) {}

std::size_t GlyphSlots::index(int slot, int ring) const {
    return static_cast<std::size_t>(slot - 1) * static_cast<std::size_t>(ringCount_) +
           static_cast<std::size_t>(ring - 1);
}

double GlyphSlots::slotStart(int slot) const {
    if (slot > slotCount_) return 360.0;
    return (slot - 1) * (360.0 / slotCount_);
}

int GlyphSlots::slotOf(double theta) const {
    int k = 1;
    while (k < slotCount_ && !(theta < slotStart(k + 1))) ++k;
    return k;
}

std::optional<GlyphPlace> PlaceGlyph(int rInner, int rOuter, GlyphSlots& slots, double theta) {
    const int step = static_cast<int>(std::trunc((rOuter - rInner) / static_cast<double>(slots.ringCount())));
    const double slotWidth = 360.0 / slots.slotCount();
    auto tryRings = [&](int slot) -> std::optional<GlyphPlace> {
        for (int ring = 1; ring <= slots.ringCount(); ++ring) {
            if (slots.taken(slot, ring)) continue;
            slots.take(slot, ring);
            const int radius = static_cast<int>(std::trunc(rInner + (ring - 1) * step + step / 2.0));
            return GlyphPlace{radius, slotWidth * (slot - 1) + slotWidth / 2.0};
        }
        return std::nullopt;
    };
    const int slot = slots.slotOf(theta);
    if (auto place = tryRings(slot)) return place;
    return tryRings(slot == slots.slotCount() ? 1 : slot + 1);
}

void DrawChartWheel(Canvas& canvas, int width, int height, const ChartPoints& birthPoints,
                    const HouseCuspArray& houseCusps, const AspectGridArray& aspectGrid, int houseCount) {
    // 1. Geometry; all glyph places free.
    const WheelGeometry g = ComputeWheelGeometry(height);
    const int cx = g.cx, cy = g.cy;
    GlyphSlots slots(kGlyphSlotCount, kGlyphRingCount);
    const double ascendant = houseCusps[1];

    // 2. Clear the legend and then the whole picture.
    canvas.setBrush({kWhite, BrushStyle::Solid});
    canvas.setPen({kWhite, 1, PenStyle::Solid});
    canvas.rectangle(g.legendX, 0, g.legendX + 100, 200);
    canvas.rectangle(0, 0, 800, 900);

    // 3. Legend of the bodies, written directly with the top-left corner at the point.
    for (int k = 1; k <= kBodyCount; ++k) {
        const int y = 20 + 20 * k;
        canvas.setFont({kAstroFace, 12, false, kLegendBodyColour});
        canvas.text(g.legendX, y, BodyGlyph(k));
        canvas.setFont({kTextFace, 10, false, kBlack});
        canvas.text(g.legendX + 25, y + 2, PointName(k));
    }
    // 4. Legend of the signs.
    for (int s = 1; s <= kWheelSigns; ++s) {
        const int y = 260 + 20 * s;
        canvas.setFont({kAstroFace, 11, false, kSignGlyphColour});
        canvas.text(g.legendX, y, SignGlyph(s));
        canvas.setFont({kTextFace, 10, false, kBlack});
        canvas.text(g.legendX + 25, y, SignName(s));
    }

    // 5. The house ring, the sign band and the inner disc, outer circle first.
    canvas.setPen({kBlack, 1, PenStyle::Solid});
    for (const auto& [radius, fill] : {std::pair{g.r096, kHouseRingFill}, std::pair{g.r086, kWhite},
                                       std::pair{g.r05, kWhite}}) {
        canvas.setBrush({fill, BrushStyle::Solid});
        canvas.ellipse(cx - radius, cy - radius, cx + radius, cy + radius);
    }

    // 6. House cusps: the angles thick, a tick on the inner circle, numeral and degree.
    const Font numeralFont{kTextFace, 10, true, kBlack};
    const Font degreeFont{kTextFace, 8, false, kBlack};
    for (int i = 1; i <= kWheelHouses; ++i) {
        const double theta = ScreenAngle(houseCusps[i], ascendant);
        const int penWidth = (i == 1 || i == 4 || i == 7 || i == 10) ? 3 : 1;
        DrawRadialLine(canvas, cx, cy, theta, g.r086, theta, g.r096 - 2, PenStyle::Solid, kBlack, penWidth);
        DrawRadialLine(canvas, cx, cy, theta, g.r05, theta, g.r05 + 10, PenStyle::Solid, kBlack, penWidth);
        DrawTextAt(canvas, cx, cy, theta - 3, g.labelRadius, kHouseNumerals[i], numeralFont, kCopyAnd);
        const int cuspDegree = birthPoints[kFirstCuspPoint - 1 + i].degreeInSign + 1;
        DrawTextAt(canvas, cx, cy, theta - 7, g.labelRadius, std::to_string(cuspDegree), degreeFont, kCopyAnd);
    }

    // 7. Sign band: boundaries with the pen width the last cusp left, red sign glyphs.
    const Font signFont{kAstroFace, 12, false, kSignGlyphColour};
    for (int s = 1; s <= kWheelSigns; ++s) {
        const double theta = ScreenAngle((s - 1) * 30.0, ascendant);
        DrawRadialLine(canvas, cx, cy, theta, g.r05, theta, g.r086, PenStyle::Solid, kBlack, canvas.pen().width);
        DrawTextAt(canvas, cx, cy, theta - 4, g.signGlyphRadius, SignGlyph(s), signFont, kCopyAnd);
    }

    // 8. Bodies: a dot at the exact longitude on the inner circle, the glyph in a slot.
    GlyphPlace place;
    for (int k = 1; k <= kBodyCount; ++k) {
        const double theta = ScreenAngle(birthPoints[k].longitude, ascendant);
        DrawDot(canvas, cx, cy, theta, g.r05, kBodyDotFill, 3);
        if (auto found = PlaceGlyph(g.r05, g.glyphOuter, slots, theta)) place = *found;
        DrawBodyGlyph(canvas, cx, cy, place.angle, place.radius, k, kBodyGlyphColour, 14, kCopyAnd);
    }

    // 9. Aspect lines between the bodies' points on the inner circle. Conjunctions
    // (0) and "no aspect" (255) draw nothing; an unknown code keeps the last colour.
    Rgb lineColour = kBlack;
    for (int i = 1; i <= kBodyCount - 1; ++i) {
        for (int j = i + 1; j <= kBodyCount; ++j) {
            const int code = aspectGrid[i][j];
            if (code == 0 || code == kNoAspect) continue;
            if (code == 60 || code == 120) lineColour = kTrineSextileColour;
            if (code == 90 || code == 180) lineColour = kSquareOppositionColour;
            DrawRadialLine(canvas, cx, cy, ScreenAngle(birthPoints[i].longitude, ascendant), g.r05,
                           ScreenAngle(birthPoints[j].longitude, ascendant), g.r05, PenStyle::Solid, lineColour, 1);
        }
    }

    // 10. The centre disc.
    canvas.setPen({kBlack, 1, PenStyle::Solid});
    canvas.setBrush({kWhite, BrushStyle::Solid});
    canvas.ellipse(cx - g.r004, cy - g.r004, cx + g.r004, cy + g.r004);
}

void DrawChartWheel(Canvas& canvas, int width, int height, const ChartRecord& chart) {
    DrawChartWheel(canvas, width, height, chart.BirthPoints, chart.HouseCusps, chart.AspectGrid, 12);
}

}  // namespace korv
