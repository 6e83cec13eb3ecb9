// The chart wheel drawn on a recording canvas: geometry, glyph slots, the order and
// the colours of the drawing. Expected pixels are worked out by hand from the wheel's
// geometry for a 626-pixel-high picture (centre 313, 313).
#include <gtest/gtest.h>

#include <cmath>
#include <ostream>
#include <string>
#include <vector>

#include "astro/angles.h"
#include "chart/wheel.h"
#include "common/text.h"

namespace korv {
namespace {

// One drawing operation with the state it was drawn in. For a copied bitmap: the
// top-left corner, the bitmap's size, the text drawn into it and that text's font.
struct Op {
    char kind;  // 'R' rectangle, 'E' ellipse, 'L' line, 'T' text, 'C' copied bitmap
    Pen pen;
    Brush brush;
    Font font;
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    std::string text;
    int copyMode = 0;
};

// Text extent: size / 2 pixels per character plus one, height size + 5.
class RecordingCanvas : public Canvas {
public:
    RecordingCanvas(int width = 0, int height = 0) : width_(width), height_(height) {}

    void rectangle(int x1, int y1, int x2, int y2) override { record('R', x1, y1, x2, y2); }
    void ellipse(int x1, int y1, int x2, int y2) override { record('E', x1, y1, x2, y2); }
    void line(int x1, int y1, int x2, int y2) override { record('L', x1, y1, x2, y2); }
    void text(int x, int y, std::string_view cp1251) override { record('T', x, y, 0, 0, std::string(cp1251)); }
    TextSize textExtent(std::string_view cp1251) const override {
        return {static_cast<int>(cp1251.size()) * (font().size / 2) + 1, font().size + 5};
    }
    std::unique_ptr<Canvas> createBitmap(int width, int height) const override {
        return std::make_unique<RecordingCanvas>(width, height);
    }
    void copyBitmap(const Canvas& bitmap, int x, int y, int mode) override {
        const auto& sub = dynamic_cast<const RecordingCanvas&>(bitmap);
        Op op{'C', pen(), brush(), {}, x, y, sub.width_, sub.height_, {}, mode};
        for (const Op& drawn : sub.ops) {
            op.text += drawn.text;
            op.font = drawn.font;
            EXPECT_EQ(drawn.x1, 0);
            EXPECT_EQ(drawn.y1, 0);
        }
        ops.push_back(op);
    }

    std::string kinds() const {
        std::string s;
        for (const Op& op : ops) s += op.kind;
        return s;
    }
    std::vector<Op> ops;

private:
    void record(char kind, int x1, int y1, int x2, int y2, std::string text = {}) {
        ops.push_back({kind, pen(), brush(), font(), x1, y1, x2, y2, std::move(text), copyMode()});
    }
    int width_, height_;
};

constexpr int kH = 626;
constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kBlue{0, 0, 255};
constexpr Rgb kGlyphBlue{0, 0, 221};
constexpr Rgb kAspectRed{221, 0, 0};

// Equal houses from the Ascendant, every body at the given longitude, no aspects.
ChartRecord MakeChart(double ascendant, const std::vector<double>& bodies) {
    ChartRecord chart;
    for (int i = 1; i <= 12; ++i) chart.HouseCusps[i] = NormalizeDegrees(ascendant + 30.0 * (i - 1));
    for (int k = 1; k <= 10; ++k) chart.BirthPoints[k].longitude = bodies[k - 1];
    for (auto& row : chart.AspectGrid) row.fill(kNoAspect);
    FinishChartRecord(chart);
    return chart;
}

const std::vector<double> kSpreadBodies = {5, 40, 75, 110, 145, 180, 215, 250, 285, 320};

RecordingCanvas Draw(const ChartRecord& chart) {
    RecordingCanvas canvas;
    DrawChartWheel(canvas, 777, kH, chart);
    return canvas;
}

// The drawing order: 2 clearing rectangles, 44 legend texts, 3 circles, per house 2
// lines and 2 labels, per sign a line and a glyph, per body a dot and a glyph, the
// aspect lines, the centre disc.
std::string ExpectedKinds(int aspectLines) {
    std::string s = "RR" + std::string(44, 'T') + "EEE";
    for (int i = 0; i < 12; ++i) s += "LLCC";
    for (int i = 0; i < 12; ++i) s += "LC";
    for (int i = 0; i < 10; ++i) s += "EC";
    return s + std::string(aspectLines, 'L') + "E";
}
constexpr std::size_t kFirstSignOp = 2 + 44 + 3 + 12 * 4;
constexpr std::size_t kFirstBodyOp = kFirstSignOp + 12 * 2;
constexpr std::size_t kFirstAspectOp = kFirstBodyOp + 10 * 2;

TEST(WheelGeometry, SizesForTheWindowPicture) {
    const WheelGeometry g = ComputeWheelGeometry(kH);
    EXPECT_EQ(g.R, 313);
    EXPECT_EQ(g.cx, 313);
    EXPECT_EQ(g.cy, 313);
    EXPECT_EQ(g.r004, 13);   // 12.52
    EXPECT_EQ(g.r05, 156);   // 156.5: half to even, not 157
    EXPECT_EQ(g.r086, 269);  // 269.18
    EXPECT_EQ(g.r096, 300);  // 300.48
    EXPECT_EQ(g.legendX, 623);
    EXPECT_EQ(g.labelRadius, 284);  // 284.5 truncated
    EXPECT_EQ(g.signGlyphRadius, 254);
    EXPECT_EQ(g.glyphOuter, 239);
    EXPECT_EQ(g.ring1, 176);  // ring step 41: 156 + 20.5
    EXPECT_EQ(g.ring2, 217);  // 156 + 41 + 20.5
}

TEST(WheelGeometry, OddHeightHalvesToEven) {
    EXPECT_EQ(ComputeWheelGeometry(625).R, 312);  // 312.5
    EXPECT_EQ(ComputeWheelGeometry(627).R, 314);  // 313.5
}

struct RoundCase {
    const char* name;
    double x;
    int expected;
};
std::ostream& operator<<(std::ostream& os, const RoundCase& c) { return os << c.name; }
class RoundHalfEvenCases : public ::testing::TestWithParam<RoundCase> {};
TEST_P(RoundHalfEvenCases, Rounds) { EXPECT_EQ(RoundHalfEven(GetParam().x), GetParam().expected); }
INSTANTIATE_TEST_SUITE_P(Edges, RoundHalfEvenCases,
                         ::testing::Values(RoundCase{"HalfDownToEven", 2.5, 2}, RoundCase{"HalfUpToEven", 3.5, 4},
                                           RoundCase{"NegativeHalfToZero", -0.5, 0},
                                           RoundCase{"NegativeHalfToEven", -1.5, -2},
                                           RoundCase{"JustBelowHalf", 2.4999, 2}, RoundCase{"JustAboveHalf", 2.5001, 3},
                                           RoundCase{"NegativeBelowHalf", -2.6, -3}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(WheelAngles, AscendantLiesLeftAndLongitudesRunCounterClockwise) {
    EXPECT_DOUBLE_EQ(ScreenAngle(100, 100), 180);
    EXPECT_DOUBLE_EQ(ScreenAngle(190, 100), 90);  // 90 degrees later: bottom of the picture
    EXPECT_DOUBLE_EQ(ScreenAngle(0, 270), 90);
    EXPECT_DOUBLE_EQ(ScreenAngle(359, 0), 181);
    EXPECT_EQ(PolarPoint(313, 313, 180, 156), (PixelPoint{157, 313}));
    EXPECT_EQ(PolarPoint(313, 313, 90, 156), (PixelPoint{313, 469}));
    // 177 degrees at radius 284: (29.39, 327.86)
    EXPECT_EQ(PolarPoint(313, 313, 177, 284), (PixelPoint{29, 328}));
}

// ---- Glyph slots: 50 slots of 7.2 degrees, rings at 176 and 217 for H = 626 ----

TEST(PlaceGlyph, TwoBodiesShareASlotAndAThirdMovesOn) {
    GlyphSlots slots(50, 2);
    const auto first = PlaceGlyph(156, 239, slots, 10.0);  // slot 2: 7.2 .. 14.4
    const auto second = PlaceGlyph(156, 239, slots, 12.0);
    const auto third = PlaceGlyph(156, 239, slots, 14.0);
    ASSERT_TRUE(first && second && third);
    EXPECT_EQ(first->radius, 176);
    EXPECT_NEAR(first->angle, 10.8, 1e-9);  // the middle of the slot, not the longitude
    EXPECT_EQ(second->radius, 217);
    EXPECT_NEAR(second->angle, 10.8, 1e-9);
    EXPECT_EQ(third->radius, 176);
    EXPECT_NEAR(third->angle, 18.0, 1e-9);
}

TEST(PlaceGlyph, FiveBodiesInOneSlotLeaveTheFifthWithoutAPlace) {
    GlyphSlots slots(50, 2);
    std::vector<GlyphPlace> places;
    for (double theta : {100.1, 100.2, 100.3, 100.4}) {  // slot 14: 93.6 .. 100.8
        const auto p = PlaceGlyph(156, 239, slots, theta);
        ASSERT_TRUE(p);
        places.push_back(*p);
    }
    EXPECT_EQ(places[0].radius, 176);
    EXPECT_EQ(places[1].radius, 217);
    EXPECT_NEAR(places[1].angle, 97.2, 1e-9);
    EXPECT_EQ(places[2].radius, 176);
    EXPECT_EQ(places[3].radius, 217);
    EXPECT_NEAR(places[3].angle, 104.4, 1e-9);
    EXPECT_FALSE(PlaceGlyph(156, 239, slots, 100.5));
    EXPECT_TRUE(slots.taken(14, 2) && slots.taken(15, 2));
}

TEST(PlaceGlyph, LastSlotWrapsToTheFirst) {
    GlyphSlots slots(50, 2);
    EXPECT_EQ(slots.slotOf(359.9), 50);
    const auto a = PlaceGlyph(156, 239, slots, 359.9);
    const auto b = PlaceGlyph(156, 239, slots, 359.9);
    const auto c = PlaceGlyph(156, 239, slots, 359.9);
    ASSERT_TRUE(a && b && c);
    EXPECT_NEAR(a->angle, 356.4, 1e-9);
    EXPECT_NEAR(b->angle, 356.4, 1e-9);
    EXPECT_EQ(c->radius, 176);
    EXPECT_NEAR(c->angle, 3.6, 1e-9);
}

TEST(PlaceGlyph, SlotBoundaryBelongsToTheUpperSlot) {
    GlyphSlots slots(50, 2);
    EXPECT_EQ(slots.slotOf(0.0), 1);
    EXPECT_EQ(slots.slotOf(7.19), 1);
    EXPECT_EQ(slots.slotOf(7.2), 2);
    EXPECT_EQ(slots.slotOf(352.8), 50);
    EXPECT_DOUBLE_EQ(slots.slotStart(51), 360.0);
}

// ---- Centred drawing ----

TEST(CentredText, BitmapIsCentredWithHalvesRoundedToEven) {
    RecordingCanvas canvas;
    canvas.setCopyMode(kCopyPlain);
    // size 6, four characters: 13 x 11 pixels; halves 6.5 -> 6 and 5.5 -> 6
    DrawTextAt(canvas, 313, 313, 0, 100, "abcd", Font{"Arial Cyr", 6, false, kBlack}, kCopyAnd);
    ASSERT_EQ(canvas.ops.size(), 1u);
    const Op& op = canvas.ops[0];
    EXPECT_EQ(op.kind, 'C');
    EXPECT_EQ(op.x1, 413 - 6);
    EXPECT_EQ(op.y1, 313 - 6);
    EXPECT_EQ(op.x2, 13);
    EXPECT_EQ(op.y2, 11);
    EXPECT_EQ(op.copyMode, kCopyAnd);
    EXPECT_EQ(op.text, "abcd");
    EXPECT_EQ(canvas.copyMode(), kCopyPlain);  // DrawTextAt restores the canvas's mode
}

TEST(CentredText, BodyGlyphIsBoldAstroAndKeepsItsCopyMode) {
    RecordingCanvas canvas;
    canvas.setCopyMode(kCopyPlain);
    DrawBodyGlyph(canvas, 313, 313, 90, 176, 10, kGlyphBlue, 14, kCopyAnd);
    ASSERT_EQ(canvas.ops.size(), 1u);
    const Op& op = canvas.ops[0];
    EXPECT_EQ(op.text, "U");  // Pluto: code 85
    EXPECT_EQ(op.font, (Font{"Astro v.3.0", 14, true, kGlyphBlue}));
    EXPECT_EQ(op.x1, 313 - 4);        // 8 x 19 pixels
    EXPECT_EQ(op.y1, 313 + 176 - 10);  // 9.5 -> 10
    EXPECT_EQ(canvas.copyMode(), kCopyAnd);
}

// ---- The whole wheel ----

TEST(ChartWheel, DrawsInTheFixedOrder) {
    const RecordingCanvas canvas = Draw(MakeChart(0, kSpreadBodies));
    EXPECT_EQ(canvas.kinds(), ExpectedKinds(0));
    // Cleared in white: the legend first, then the whole picture.
    EXPECT_EQ(canvas.ops[0].x1, 623);
    EXPECT_EQ(canvas.ops[0].x2, 723);
    EXPECT_EQ(canvas.ops[0].y2, 200);
    EXPECT_EQ(canvas.ops[1].x2, 800);
    EXPECT_EQ(canvas.ops[1].y2, 900);
    for (int i : {0, 1}) {
        EXPECT_EQ(canvas.ops[i].brush.colour, kWhite);
        EXPECT_EQ(canvas.ops[i].pen.colour, kWhite);
    }
}

TEST(ChartWheel, LegendListsBodiesAndSigns) {
    const RecordingCanvas canvas = Draw(MakeChart(0, kSpreadBodies));
    const Op& sunGlyph = canvas.ops[2];
    EXPECT_EQ(sunGlyph.text, "L");
    EXPECT_EQ(sunGlyph.x1, 623);
    EXPECT_EQ(sunGlyph.y1, 40);
    EXPECT_EQ(sunGlyph.font, (Font{"Astro v.3.0", 12, false, kBlue}));
    const Op& sunName = canvas.ops[3];
    EXPECT_EQ(sunName.text, cp("Солнце"));
    EXPECT_EQ(sunName.x1, 648);
    EXPECT_EQ(sunName.y1, 42);
    EXPECT_EQ(sunName.font, (Font{"Arial Cyr", 10, false, kBlack}));
    EXPECT_EQ(canvas.ops[2 + 18].text, "U");  // Pluto at y 220
    EXPECT_EQ(canvas.ops[2 + 18].y1, 220);

    const Op& ariesGlyph = canvas.ops[22];
    EXPECT_EQ(ariesGlyph.text, "@");
    EXPECT_EQ(ariesGlyph.y1, 280);
    EXPECT_EQ(ariesGlyph.font, (Font{"Astro v.3.0", 11, false, kRed}));
    const Op& piscesName = canvas.ops[22 + 23];
    EXPECT_EQ(piscesName.text, cp("Рыбы"));
    EXPECT_EQ(piscesName.x1, 648);
    EXPECT_EQ(piscesName.y1, 500);
    EXPECT_EQ(canvas.ops[22 + 22].text, "K");  // Pisces glyph: code 75
}

TEST(ChartWheel, CirclesAndCentreDisc) {
    const RecordingCanvas canvas = Draw(MakeChart(0, kSpreadBodies));
    const Op& ring = canvas.ops[46];
    EXPECT_EQ((std::vector<int>{ring.x1, ring.y1, ring.x2, ring.y2}), (std::vector<int>{13, 13, 613, 613}));
    EXPECT_EQ(ring.brush.colour, (Rgb{221, 231, 243}));
    EXPECT_EQ(ring.pen, (Pen{kBlack, 1, PenStyle::Solid}));
    EXPECT_EQ(canvas.ops[47].x1, 44);
    EXPECT_EQ(canvas.ops[47].brush.colour, kWhite);
    EXPECT_EQ(canvas.ops[48].x1, 157);
    EXPECT_EQ(canvas.ops[48].brush.colour, kWhite);
    const Op& centre = canvas.ops.back();
    EXPECT_EQ((std::vector<int>{centre.x1, centre.y1, centre.x2, centre.y2}),
              (std::vector<int>{300, 300, 326, 326}));
    EXPECT_EQ(centre.brush.colour, kWhite);
    EXPECT_EQ(centre.pen.colour, kBlack);
}

TEST(ChartWheel, AscendantAtZeroAriesPutsTheAriesBoundaryAtTheLeft) {
    const RecordingCanvas canvas = Draw(MakeChart(0, kSpreadBodies));
    const Op& cusp1 = canvas.ops[49];
    EXPECT_EQ((std::vector<int>{cusp1.x1, cusp1.y1, cusp1.x2, cusp1.y2}), (std::vector<int>{44, 313, 15, 313}));
    EXPECT_EQ(cusp1.pen.width, 3);
    const Op& tick1 = canvas.ops[50];
    EXPECT_EQ((std::vector<int>{tick1.x1, tick1.y1, tick1.x2, tick1.y2}), (std::vector<int>{157, 313, 147, 313}));
    EXPECT_EQ(canvas.ops[49 + 4].pen.width, 1);   // house 2
    EXPECT_EQ(canvas.ops[49 + 12].pen.width, 3);  // house 4

    const Op& aries = canvas.ops[kFirstSignOp];
    EXPECT_EQ((std::vector<int>{aries.x1, aries.y1, aries.x2, aries.y2}), (std::vector<int>{157, 313, 44, 313}));
    EXPECT_EQ(aries.pen, (Pen{kBlack, 1, PenStyle::Solid}));
    // Cancer (90 degrees) at the bottom.
    const Op& cancer = canvas.ops[kFirstSignOp + 6];
    EXPECT_EQ((std::vector<int>{cancer.x1, cancer.y1, cancer.x2, cancer.y2}), (std::vector<int>{313, 469, 313, 582}));
    // The Aries glyph 4 degrees on, at radius 254: (59.62, 330.72), 7 x 17 pixels.
    const Op& glyph = canvas.ops[kFirstSignOp + 1];
    EXPECT_EQ(glyph.text, "@");
    EXPECT_EQ(glyph.font, (Font{"Astro v.3.0", 12, false, kRed}));
    EXPECT_EQ(glyph.x1, 60 - 4);  // 3.5 -> 4
    EXPECT_EQ(glyph.y1, 331 - 8);  // 8.5 -> 8
    EXPECT_EQ(glyph.copyMode, kCopyAnd);
}

TEST(ChartWheel, HouseLabelsShowNumeralAndCuspDegreeCountedFromOne) {
    {
        const RecordingCanvas canvas = Draw(MakeChart(0, kSpreadBodies));  // every cusp at 0 of a sign
        const Op& numeral = canvas.ops[51];
        EXPECT_EQ(numeral.text, "I");
        EXPECT_EQ(numeral.font, (Font{"Arial Cyr", 10, true, kBlack}));
        EXPECT_EQ(numeral.x1, 29 - 3);  // centre at 177 degrees, radius 284: (29, 328); 6 x 15
        EXPECT_EQ(numeral.y1, 328 - 8);
        for (int house = 0; house < 12; ++house) {
            const Op& degree = canvas.ops[52 + 4 * house];
            EXPECT_EQ(degree.text, "1") << "house " << house + 1;
            EXPECT_EQ(degree.font, (Font{"Arial Cyr", 8, false, kBlack}));
        }
        EXPECT_EQ(canvas.ops[51 + 4 * 11].text, "XII");
    }
    const RecordingCanvas canvas = Draw(MakeChart(15.5, kSpreadBodies));
    EXPECT_EQ(canvas.ops[52].text, "16");
    EXPECT_EQ(canvas.ops[52 + 4 * 6].text, "16");
}

TEST(ChartWheel, BodiesGetADotAndAGlyphInTheirSlot) {
    // Sun and Moon within one slot (Ascendant 0: longitude 10 -> screen angle 170).
    std::vector<double> bodies = kSpreadBodies;
    bodies[0] = 10.0;
    bodies[1] = 11.0;
    const RecordingCanvas canvas = Draw(MakeChart(0, bodies));
    const Op& sunDot = canvas.ops[kFirstBodyOp];
    // 170 degrees at radius 156: (159.37, 340.09)
    EXPECT_EQ((std::vector<int>{sunDot.x1, sunDot.y1, sunDot.x2, sunDot.y2}),
              (std::vector<int>{156, 337, 162, 343}));
    EXPECT_EQ(sunDot.brush.colour, kBlue);
    EXPECT_EQ(sunDot.pen.colour, kBlack);
    const Op& sunGlyph = canvas.ops[kFirstBodyOp + 1];
    const Op& moonGlyph = canvas.ops[kFirstBodyOp + 3];
    EXPECT_EQ(sunGlyph.text, "L");
    EXPECT_EQ(moonGlyph.text, "M");
    EXPECT_EQ(sunGlyph.font, (Font{"Astro v.3.0", 14, true, kGlyphBlue}));
    EXPECT_EQ(sunGlyph.copyMode, kCopyAnd);
    // Slot 24 (165.6 .. 172.8), middle 169.2: ring 1 at 176 -> (140.12, 345.98),
    // ring 2 at 217 -> (99.84, 353.66); glyph 8 x 19.
    EXPECT_EQ(sunGlyph.x1, 140 - 4);
    EXPECT_EQ(sunGlyph.y1, 346 - 10);
    EXPECT_EQ(moonGlyph.x1, 100 - 4);
    EXPECT_EQ(moonGlyph.y1, 354 - 10);
}

TEST(ChartWheel, FifthBodyOfASlotIsDrawnOverTheFourth) {
    std::vector<double> bodies = kSpreadBodies;
    for (int k = 0; k < 5; ++k) bodies[k] = 80.0 + 0.1 * k;
    const RecordingCanvas canvas = Draw(MakeChart(0, bodies));
    auto glyph = [&](int body) { return canvas.ops[kFirstBodyOp + 2 * (body - 1) + 1]; };
    EXPECT_EQ(glyph(5).text, "P");
    EXPECT_EQ(glyph(5).x1, glyph(4).x1);
    EXPECT_EQ(glyph(5).y1, glyph(4).y1);
    EXPECT_NE(glyph(3).y1, glyph(4).y1);
    // The dots still show the exact longitudes: Mars at screen angle 99.6 -> x 286.98.
    EXPECT_EQ(canvas.ops[kFirstBodyOp + 8].x1, 287 - 3);
}

TEST(ChartWheel, AspectLinesColouredByAspect) {
    ChartRecord chart = MakeChart(0, kSpreadBodies);
    chart.AspectGrid[1][2] = 60;
    chart.AspectGrid[1][3] = 120;
    chart.AspectGrid[2][3] = 90;
    chart.AspectGrid[4][5] = 180;
    chart.AspectGrid[6][7] = 0;    // conjunction: no line
    chart.AspectGrid[8][9] = 255;  // no aspect
    chart.AspectGrid[3][2] = 90;   // below the diagonal: not read
    const RecordingCanvas canvas = Draw(chart);
    ASSERT_EQ(canvas.kinds(), ExpectedKinds(4));
    const Rgb expected[] = {kAspectRed, kAspectRed, kGlyphBlue, kGlyphBlue};
    for (int n = 0; n < 4; ++n) {
        EXPECT_EQ(canvas.ops[kFirstAspectOp + n].pen, (Pen{expected[n], 1, PenStyle::Solid})) << "line " << n;
    }
    // Sun (5 degrees, screen 175) to Moon (40 degrees, screen 140) on the inner circle.
    const Op& sunMoon = canvas.ops[kFirstAspectOp];
    EXPECT_EQ((std::vector<int>{sunMoon.x1, sunMoon.y1, sunMoon.x2, sunMoon.y2}),
              (std::vector<int>{158, 327, 193, 413}));
}

}  // namespace
}  // namespace korv
