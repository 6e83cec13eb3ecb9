#include <gtest/gtest.h>

#include "common/error.h"
#include "common/text.h"
#include "input/birth_record.h"
#include "input/coordinates.h"

namespace korv {
namespace {

BirthLineFields sampleFields() {
    BirthLineFields f;
    f.name = cp("Иван Петров");
    f.dateText = FormatDateText(1, 1, 2000);
    f.timeText = FormatTimeText(12, 0, 0);
    f.city = cp("Москва");
    f.coordText = FormatCoordText({37, 37, true, 55, 45, true});
    f.zoneText = FormatZoneText(0);
    f.sexCode = "M";
    f.dstCode = "Z";
    return f;
}

TInData converted(const BirthLineFields& f) {
    TInData r;
    r.line = AssembleBirthLine(f);
    ConvertBirthData(r);
    return r;
}

TEST(BirthLine, FieldsSitInTheirColumns) {
    const std::string line = AssembleBirthLine(sampleFields());
    ASSERT_EQ(line.size(), kBirthLineLength);
    EXPECT_EQ(cutColumns(line, 42, 51), "01.01.2000");
    EXPECT_EQ(cutColumns(line, 54, 61), "12:00:00");
    EXPECT_EQ(cutColumns(line, 64, 88), padRight(cp("Москва"), 25));
    EXPECT_EQ(cutColumns(line, 92, 110), cp(" 37°37’ВД  55°45’СШ"));
    EXPECT_EQ(cutColumns(line, 113, 117), "  0.0");
    EXPECT_EQ(cutColumns(line, 120, 120), "M");
    EXPECT_EQ(cutColumns(line, 123, 123), "Z");
}

TEST(BirthLine, ConversionReadsEveryFieldBack) {
    auto f = sampleFields();
    f.name = std::string(40, 'N');  // a 40-character name keeps all 40
    f.zoneText = FormatZoneText(-10);
    const TInData r = converted(f);
    EXPECT_EQ(r.name, std::string(40, 'N'));
    EXPECT_EQ(r.city, padRight(cp("Москва"), 25));
    EXPECT_EQ(r.zoneText, "-10.0");
    EXPECT_DOUBLE_EQ(r.zoneHours, -10.0);
    EXPECT_EQ(r.day, 1);
    EXPECT_EQ(r.month, 1);
    EXPECT_EQ(r.year, 2000);
    EXPECT_EQ(r.hour, 12);
    EXPECT_EQ(r.sexCode, "M");
}

TEST(BirthLine, ZoneAndDateFormats) {
    EXPECT_EQ(FormatZoneText(3), "  3.0");
    EXPECT_EQ(FormatZoneText(5.75), "  5.8");  // Kathmandu
    EXPECT_EQ(FormatZoneText(-3.5), " -3.5");
    EXPECT_EQ(FormatDateText(5, 7, 45), "05.07.0045");
    EXPECT_EQ(FormatDateText(5, 7, -45), "05.07.-045");
    EXPECT_EQ(FormatTimeText(9, 5, 0), "09:05:00");
}

TEST(BirthMoment, CheckValues) {
    auto f = sampleFields();
    EXPECT_DOUBLE_EQ(converted(f).moment, 36525.0);
    f.zoneText = FormatZoneText(3);
    f.dstCode = "L";
    EXPECT_NEAR(converted(f).moment, 36525.0 - 4.0 / 24, 1e-9);
}

// A line the dialogs could not have written is refused, naming the field and its
// columns, instead of giving a chart for a moment nobody meant.
TEST(BirthLine, OutOfRangeFieldsAreRefused) {
    struct Bad {
        const char* what;
        void (*spoil)(BirthLineFields&);
        const char* columns;
    };
    const Bad cases[] = {
        {"all nines", [](BirthLineFields& f) { f.dateText = "99.99.9999"; f.timeText = "99:99:99"; }, "42-51"},
        {"31 February", [](BirthLineFields& f) { f.dateText = "31.02.2001"; }, "42-51"},
        {"29 February of a common year", [](BirthLineFields& f) { f.dateText = "29.02.1900"; }, "42-51"},
        {"negative month", [](BirthLineFields& f) { f.dateText = "01.-9.2000"; }, "42-51"},
        {"year past the range", [](BirthLineFields& f) { f.dateText = "01.01.3001"; }, "42-51"},
        {"hour 24", [](BirthLineFields& f) { f.timeText = "24:00:00"; }, "54-61"},
        {"huge zone", [](BirthLineFields& f) { f.zoneText = "9e307"; }, "113-117"},
        {"sex Q", [](BirthLineFields& f) { f.sexCode = "Q"; }, "120"},
        {"summer flag Q", [](BirthLineFields& f) { f.dstCode = "Q"; }, "123"},
        {"blank summer flag", [](BirthLineFields& f) { f.dstCode = ""; }, "123"},
        {"unknown hemisphere", [](BirthLineFields& f) { f.coordText = "037d37'VD  55d45'SH"; }, "92-110"},
        {"line feed in the name", [](BirthLineFields& f) { f.name = "a\nb"; }, "1-40"},
    };
    for (const Bad& c : cases) {
        BirthLineFields f = sampleFields();
        c.spoil(f);
        TInData r;
        r.line = AssembleBirthLine(f);
        try {
            ConvertBirthData(r);
            ADD_FAILURE() << c.what << ": accepted";
        } catch (const Error& e) {
            EXPECT_NE(std::string(e.what()).find(std::string("columns ") + c.columns), std::string::npos)
                << c.what << ": " << e.what();
        }
    }
    // Leap days by the calendar of their date: 1500 is Julian, 2000 and 1600 Gregorian.
    for (const char* date : {"29.02.1500", "29.02.2000", "29.02.1600", "29.02.-001"}) {
        BirthLineFields f = sampleFields();
        f.dateText = date;
        EXPECT_NO_THROW(converted(f)) << date;
    }
}

TEST(BirthMoment, NegativeYearsReadBack) {
    auto f = sampleFields();
    f.dateText = FormatDateText(1, 1, -999);
    const TInData r = converted(f);
    EXPECT_EQ(r.year, -999);
    EXPECT_DOUBLE_EQ(r.moment, DayNumber1900(1, 1, -999, 12, 0, 0));
}

TEST(BirthMoment, BadNumberStopsAtItsField) {
    auto f = sampleFields();
    f.timeText = "12:xx:00";
    TInData r;
    r.line = AssembleBirthLine(f);
    EXPECT_THROW(ConvertBirthData(r), Error);
    EXPECT_EQ(r.year, 2000);  // fields before the failing one keep their new values
    EXPECT_EQ(r.hour, 12);
}

TEST(DayNumber, CalendarEdges) {
    EXPECT_DOUBLE_EQ(DayNumber1900(1, 1, 2000, 12, 0, 0), 36525.0);
    // The Julian calendar ends on 1582-10-04; the next day is the Gregorian 10-15.
    EXPECT_DOUBLE_EQ(DayNumber1900(15, 10, 1582, 0, 0, 0) - DayNumber1900(4, 10, 1582, 0, 0, 0), 1.0);
    EXPECT_DOUBLE_EQ(DayNumber1900(1, 3, 2000, 0, 0, 0) - DayNumber1900(29, 2, 2000, 0, 0, 0), 1.0);
    EXPECT_DOUBLE_EQ(DayNumber1900(31, 4, 2001, 0, 0, 0), DayNumber1900(1, 5, 2001, 0, 0, 0));
    EXPECT_DOUBLE_EQ(DayNumber1900(30, 2, 2001, 0, 0, 0), DayNumber1900(2, 3, 2001, 0, 0, 0));
    EXPECT_DOUBLE_EQ(DayNumber1900(30, 2, 2000, 0, 0, 0), DayNumber1900(1, 3, 2000, 0, 0, 0));
    EXPECT_DOUBLE_EQ(DayNumber1900(1, 6, -1, 0, 0, 0), DayNumber1900(1, 6, 0, 0, 0, 0));
    // Julian day numbers from the astronomical tables: JD 1721423.5 = 1 January AD 1 (Julian),
    // JD 0.5 = 2 January 4713 BC; moment = JD - 2415020.
    EXPECT_DOUBLE_EQ(DayNumber1900(1, 1, 1, 0, 0, 0), 1721423.5 - 2415020);
    EXPECT_DOUBLE_EQ(DayNumber1900(2, 1, -4713, 0, 0, 0), 0.5 - 2415020);
    EXPECT_DOUBLE_EQ(DayNumber1900(31, 12, 1899, 12, 0, 0), 0.0);
}

TEST(Coordinates, TextLayoutAndHemispheres) {
    EXPECT_EQ(FormatCoordText({37, 37, true, 55, 45, true}), cp(" 37°37’ВД  55°45’СШ"));
    EXPECT_EQ(FormatCoordText({122, 5, false, 7, 0, false}), cp("122°05’ЗД   7°00’ЮШ"));
    const GeoCoordinates c = CoordinatesFromDecimal(-33.87, 151.21);
    EXPECT_EQ(FormatCoordText(c), cp("151°13’ВД  33°52’ЮШ"));
    EXPECT_EQ(FormatCoordText({}).size(), 19u);
}

}  // namespace
}  // namespace korv
