#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <fstream>
#include <ostream>
#include <string>
#include <vector>

#include "astro/pluto.h"
#include "common/error.h"
#include "common/text.h"
#include "temp_dir.h"

namespace korv {
namespace {

namespace fs = std::filesystem;

void writeTable(const fs::path& file, const std::vector<std::string>& lines) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    for (const auto& line : lines) out << line << "\r\n";
}

void writeBytes(const fs::path& file, const std::string& bytes) {
    std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
}

fs::path shippedTable() { return fs::path(KORVINAUT_SOURCE_DIR) / "data" / "System" / "pluto.sys"; }

// Lookups in a small table: line k covers the moments k <= m < k + 1.
struct LookupCase {
    const char* name;
    double moment;
    double longitude;
};

std::ostream& operator<<(std::ostream& os, const LookupCase& c) { return os << c.name; }

class PlutoLookup : public ::testing::TestWithParam<LookupCase> {
protected:
    TempDir dir;
};

TEST_P(PlutoLookup, ReadsTheLineOfTheDay) {
    const fs::path file = dir.path() / "pluto.sys";
    writeTable(file, {"358", "359", "0", "  1 degree, the rest ignored", ""});
    PlutoTable table(file, 4);
    table.refresh();
    ChartPoint point;
    point.declination = point.latitude = point.rightAscension = 5;
    EngineState state{1, 2, 3};
    PlutoPosition(GetParam().moment, point, state, table);
    EXPECT_NEAR(point.longitude, GetParam().longitude, 1e-12);
    EXPECT_EQ(point.declination, 0);
    EXPECT_EQ(point.latitude, 0);
    EXPECT_EQ(point.rightAscension, 0);
    EXPECT_EQ(state.Xs, 0);
    EXPECT_EQ(state.Ys, 0);
    EXPECT_EQ(state.Zs, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, PlutoLookup,
    ::testing::Values(LookupCase{"MomentOneReadsLineOne", 1.0, 358.0045},
                      LookupCase{"MomentOneNinetyNineStillLineOne", 1.99, 358.0045},
                      LookupCase{"LastDegreeOfTheCircle", 2.0, 359.0045},
                      LookupCase{"ZeroDegrees", 3.5, 0.0045},
                      LookupCase{"TextAfterTheIntegerIgnored", 4.25, 1.0045}),
    [](const auto& info) { return info.param.name; });

TEST(PlutoTable, LinesOutsideTheFileGiveNothing) {
    TempDir dir;
    const fs::path file = dir.path() / "pluto.sys";
    writeTable(file, {"10", "11"});
    PlutoTable table(file, 2);
    table.refresh();
    EXPECT_FALSE(table.lineValue(0));
    EXPECT_EQ(table.lineValue(1), 10);
    EXPECT_EQ(table.lineValue(2), 11);
    EXPECT_FALSE(table.lineValue(3));
    EXPECT_FALSE(table.lineValue(-5));
}

TEST(PlutoTable, AChangedFileIsReadAgainAtTheNextRefresh) {
    TempDir dir;
    const fs::path file = dir.path() / "pluto.sys";
    writeTable(file, {"10", "11"});
    PlutoTable table(file, 2);
    table.refresh();
    EXPECT_EQ(table.lineValue(2), 11);

    // Same size, new contents: only the modification time tells.
    writeTable(file, {"20", "21"});
    fs::last_write_time(file, fs::last_write_time(file) + std::chrono::seconds(2));
    EXPECT_EQ(table.lineValue(2), 11);  // lookups alone do not look at the file
    table.refresh();
    EXPECT_EQ(table.lineValue(2), 21);

    // A longer file with an older time stamp: the size tells.
    writeTable(file, {"20", "21", "22"});
    fs::last_write_time(file, fs::last_write_time(file) - std::chrono::hours(1));
    table.refresh();
    EXPECT_EQ(table.lineValue(3), 22);
}

TEST(PlutoTable, AMissingFileIsReported) {
    TempDir dir;
    const fs::path file = dir.path() / "System" / "pluto.sys";
    PlutoTable table(file);
    try {
        table.refresh();
        FAIL() << "no error for a missing table";
    } catch (const Error& e) {
        EXPECT_EQ(std::string(e.what()), "File not found: " + displayPath(file));  // relative to the working directory when inside it
    }
}

TEST(PlutoTable, AFileRemovedAfterReadingIsReported) {
    TempDir dir;
    const fs::path file = dir.path() / "pluto.sys";
    writeTable(file, {"10"});
    PlutoTable table(file, 1);
    table.refresh();
    EXPECT_EQ(table.lineValue(1), 10);
    fs::remove(file);
    EXPECT_THROW(table.refresh(), Error);
    EXPECT_THROW(table.lineValue(1), Error);  // no longer counts as read
    ChartPoint point;
    EngineState state;
    EXPECT_THROW(PlutoPosition(-50000.0, point, state, table), Error);  // before the table too
}

struct MalformedCase {
    const char* name;
    std::vector<std::string> lines;
    int badLine;
};

std::ostream& operator<<(std::ostream& os, const MalformedCase& c) { return os << c.name; }

class PlutoMalformed : public ::testing::TestWithParam<MalformedCase> {};

TEST_P(PlutoMalformed, NamesFileAndLine) {
    TempDir dir;
    const fs::path file = dir.path() / "pluto.sys";
    writeTable(file, GetParam().lines);
    PlutoTable table(file, 4);
    try {
        table.refresh();
        FAIL() << "no error for a malformed table";
    } catch (const Error& e) {
        const std::string expected = displayPath(file) + ", line " + std::to_string(GetParam().badLine) + ":";
        EXPECT_EQ(std::string(e.what()).substr(0, expected.size()), expected) << e.what();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Lines, PlutoMalformed,
    ::testing::Values(MalformedCase{"Letters", {"10", "abc", "11", "11"}, 2},
                      MalformedCase{"EmptyLine", {"10", "11", "", "12", "12"}, 3},
                      MalformedCase{"SignWithoutDigits", {"-", "1", "1", "1"}, 1},
                      MalformedCase{"TooManyDigits", {"10", "11", "12", "12345678901"}, 4},
                      MalformedCase{"Negative", {"0", "-1", "359", "359"}, 2},
                      MalformedCase{"Over359", {"359", "360", "0", "0"}, 2},
                      MalformedCase{"JumpOfADigit", {"75", "75", "57", "75"}, 3}),
    [](const auto& info) { return info.param.name; });

// Outside the table Pluto comes from its orbit. References: Pluto's astrometric J2000
// place from the ephemeris program aa (series fitted to DE404 over -3000..+3000),
// precessed to the equinox of date with python3-ephem. The approximate elements are
// good to about 0.2 degree over that span, so 0.3 degree is the tolerance.
struct OrbitCase {
    const char* name;
    double moment;
    double longitude;
};

std::ostream& operator<<(std::ostream& os, const OrbitCase& c) { return os << c.name; }

class PlutoOrbit : public ::testing::TestWithParam<OrbitCase> {};

TEST_P(PlutoOrbit, AgreesWithAnIndependentEphemeris) {
    PlutoTable table(shippedTable());
    table.refresh();
    ChartPoint point;
    point.latitude = 3;
    EngineState state;
    PlutoPosition(GetParam().moment, point, state, table);
    double d = point.longitude - GetParam().longitude;
    d -= 360.0 * std::round(d / 360.0);
    EXPECT_NEAR(d, 0.0, 0.3);
    EXPECT_GE(point.longitude, 0.0);
    EXPECT_LT(point.longitude, 360.0);
    EXPECT_EQ(point.latitude, 0);
    EXPECT_EQ(state.Xs, 0);  // the Sun vector used on the way is cleared
}

INSTANTIATE_TEST_SUITE_P(
    Dates, PlutoOrbit,
    ::testing::Values(OrbitCase{"Year500BC", -876148.25, 153.6855},
                      OrbitCase{"Year1600", -109420.5, 23.7832},
                      OrbitCase{"Year1800", -36523.5, 331.4163},
                      OrbitCase{"Year2500", 219328.0, 267.3143}),
    [](const auto& info) { return info.param.name; });

// The orbit takes over where the table ends; the table holds whole degrees (floored),
// so the two agree within a degree at both ends.
struct SeamCase {
    const char* name;
    double orbitMoment;
    double tableMoment;
};

std::ostream& operator<<(std::ostream& os, const SeamCase& c) { return os << c.name; }

class PlutoSeam : public ::testing::TestWithParam<SeamCase> {};

TEST_P(PlutoSeam, OrbitContinuesTheTable) {
    PlutoTable table(shippedTable());
    table.refresh();
    ASSERT_TRUE(table.lineValue(static_cast<long long>(GetParam().tableMoment)));
    ASSERT_FALSE(table.lineValue(static_cast<long long>(std::trunc(GetParam().orbitMoment))));
    ChartPoint fromOrbit, fromTable;
    EngineState state;
    PlutoPosition(GetParam().orbitMoment, fromOrbit, state, table);
    PlutoPosition(GetParam().tableMoment, fromTable, state, table);
    // The table's whole degree plus 0.0045 lies up to one degree below the true place.
    EXPECT_GT(fromOrbit.longitude - fromTable.longitude, -0.2);
    EXPECT_LT(fromOrbit.longitude - fromTable.longitude, 1.2);
}

INSTANTIATE_TEST_SUITE_P(
    Ends, PlutoSeam,
    ::testing::Values(SeamCase{"Before1900", 0.999, 1.0}, SeamCase{"Year1899", -200.0, 1.0},
                      SeamCase{"After2100", 73415.0, 73414.99}),
    [](const auto& info) { return info.param.name; });

// A table cut short, emptied or ended by blank lines: the shipped table must be whole,
// and blank lines at its end are no damage.
TEST(PlutoTable, ACutTableIsRefusedAndTrailingBlankLinesAreNot) {
    TempDir dir;
    const fs::path file = dir.path() / "pluto.sys";
    std::string shipped = readFileBytes(shippedTable());
    writeBytes(file, shipped + "\r\n\r\n  \r\n");
    PlutoTable table(file);
    EXPECT_NO_THROW(table.refresh());
    EXPECT_EQ(table.lineValue(static_cast<long long>(kPlutoTableLines)), std::stoi(shipped.substr(shipped.rfind('\n', shipped.size() - 3) + 1)));

    writeBytes(file, shipped.substr(0, shipped.size() / 2));
    fs::last_write_time(file, fs::last_write_time(file) + std::chrono::seconds(2));
    EXPECT_THROW(table.refresh(), Error);
    writeBytes(file, "");
    PlutoTable empty(file);
    EXPECT_THROW(empty.refresh(), Error);
}

}  // namespace
}  // namespace korv
