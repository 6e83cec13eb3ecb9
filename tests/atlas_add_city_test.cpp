// Adding a city: the 45-character line, the refusals, the insertion after the country
// line and the atomic replacement of the place file.
#include <gtest/gtest.h>

#include <ostream>

#include <sys/stat.h>

#include <algorithm>
#include <chrono>

#include "atlas_test_support.h"
#include "common/error.h"
#include "input/add_city.h"
#include "input/atlas.h"

namespace korv {
namespace {

using atlas_test::cityLine;
using atlas_test::countryLine;
using atlas_test::entry;
using atlas_test::SampleCopy;

NewCity moscowLike() {
    NewCity c;
    c.name = cp("Новый город");
    c.latDegrees = "55";
    c.latMinutes = "45";
    c.lonDegrees = "37";
    c.lonMinutes = "37";
    return c;
}

TEST(AddCityLine, NorthEastColumns) {
    const std::string line = BuildCityLine(moscowLike());
    ASSERT_EQ(line.size(), 45u);
    EXPECT_EQ(cutColumns(line, 1, 31), padRight(" " + cp("Новый город"), 31));
    // Columns 32-45: a blank, 55, a blank, 45, three blanks, 37, a blank, 37.
    EXPECT_EQ(cutColumns(line, 32, 45), " 55 45   37 37");
}

TEST(AddCityLine, SouthWestCarryTheSign) {
    NewCity c = moscowLike();
    c.south = true;
    c.west = true;
    c.latDegrees = "05";
    c.lonDegrees = "070";
    const std::string line = BuildCityLine(c);
    ASSERT_EQ(line.size(), 45u);
    EXPECT_EQ(cutColumns(line, 32, 34), "-05");
    EXPECT_EQ(cutColumns(line, 38, 42), " -070");
}

TEST(AddCityLine, ThirtyCharacterNameFillsColumn31) {
    NewCity c = moscowLike();
    c.name = std::string(30, 'N');
    const std::string line = BuildCityLine(c);
    ASSERT_EQ(line.size(), 45u);
    EXPECT_EQ(cutColumns(line, 2, 31), std::string(30, 'N'));
    // The lookup reads such a line back like any other.
    EXPECT_EQ(CoordTextFromCityLine(line), cp(" 37°37’ВД  55°45’СШ"));
}

// What CheckNewCity answers; "" means the city is written.
struct CheckRow {
    const char* name;
    void (*change)(NewCity&);
    const char* message;
};

// The row's name, not a dump of its bytes, in the test's name and messages.
std::ostream& operator<<(std::ostream& os, const CheckRow& r) { return os << r.name; }

class AddCityChecks : public ::testing::TestWithParam<CheckRow> {};

TEST_P(AddCityChecks, Answer) {
    NewCity c = moscowLike();
    GetParam().change(c);
    EXPECT_EQ(CheckNewCity(c), GetParam().message);
}

const char* const kLatDegrees = "Широта: градусы — две цифры, от 00 до 89.";
const char* const kLatMinutes = "Широта: минуты — две цифры, от 00 до 59.";
const char* const kLonDegrees = "Долгота: градусы — две или три цифры, от 00 до 179.";
const char* const kLonMinutes = "Долгота: минуты — две цифры, от 00 до 59.";

INSTANTIATE_TEST_SUITE_P(
    Rows, AddCityChecks,
    ::testing::Values(
        CheckRow{"Accepted", [](NewCity&) {}, ""},
        CheckRow{"ExtremesAccepted",
                 [](NewCity& c) {
                     c.latDegrees = "89";
                     c.latMinutes = "59";
                     c.lonDegrees = "179";
                     c.lonMinutes = "00";
                 },
                 ""},
        CheckRow{"ZeroesAccepted",
                 [](NewCity& c) {
                     c.latDegrees = "00";
                     c.lonDegrees = "000";
                 },
                 ""},
        CheckRow{"OneCharacterNameNotEntered", [](NewCity& c) { c.name = "A"; }, "   Не все данные введены !  "},
        CheckRow{"OneDigitDegreesNotEntered", [](NewCity& c) { c.latDegrees = "5"; }, "   Не все данные введены !  "},
        CheckRow{"EmptyMinutesNotEntered", [](NewCity& c) { c.lonMinutes = ""; }, "   Не все данные введены !  "},
        CheckRow{"BlankName", [](NewCity& c) { c.name = "   "; }, "Введите название города."},
        // A line break in the name would write a line of its own, even a country line.
        CheckRow{"LineBreakInName", [](NewCity& c) { c.name = "Foo\r\n*Bar"; },
                 "Название города содержит недопустимые символы."},
        CheckRow{"NameOver30", [](NewCity& c) { c.name = std::string(31, 'N'); },
                 "Название города длиннее 30 символов."},
        CheckRow{"Latitude90", [](NewCity& c) { c.latDegrees = "90"; }, kLatDegrees},
        CheckRow{"LatitudeLetters", [](NewCity& c) { c.latDegrees = "5a"; }, kLatDegrees},
        CheckRow{"LatitudeSigned", [](NewCity& c) { c.latDegrees = "-5"; }, kLatDegrees},
        CheckRow{"LatitudeThreeDigits", [](NewCity& c) { c.latDegrees = "055"; }, kLatDegrees},
        CheckRow{"LatitudeMinutes60", [](NewCity& c) { c.latMinutes = "60"; }, kLatMinutes},
        CheckRow{"LatitudeMinutesBlank", [](NewCity& c) { c.latMinutes = " 5"; }, kLatMinutes},
        CheckRow{"Longitude180", [](NewCity& c) { c.lonDegrees = "180"; }, kLonDegrees},
        CheckRow{"Longitude999", [](NewCity& c) { c.lonDegrees = "999"; }, kLonDegrees},
        CheckRow{"LongitudeFourDigits", [](NewCity& c) { c.lonDegrees = "0037"; }, kLonDegrees},
        CheckRow{"LongitudeMinutesLetters", [](NewCity& c) { c.lonMinutes = "3O"; }, kLonMinutes}),
    [](const auto& info) { return std::string(info.param.name); });

class AddCityFile : public ::testing::Test {
protected:
    std::filesystem::path file() const { return copy.file("sng.wdt"); }
    std::size_t filesInFolder() const {
        std::size_t n = 0;
        for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(copy.sysDir())) ++n;
        return n;
    }
    SampleCopy copy;
};

TEST_F(AddCityFile, InsertedRightAfterTheCountryLine) {
    const auto before = readLines(file());
    const std::string written = AddCity(file(), entry("Украина"), moscowLike());
    const auto after = readLines(file());
    ASSERT_EQ(after.size(), before.size() + 1);
    const auto country = std::find(before.begin(), before.end(),
                                   countryLine("Украина", "   2   3   3   3   3   3   3   3   2   2   2"));
    ASSERT_NE(country, before.end());
    const std::size_t at = country - before.begin() + 1;
    EXPECT_EQ(after[at], written);
    EXPECT_EQ(written, cityLine("Новый город", " 55 45   37 37"));
    // Every other line is where it was; every line ends with CR LF.
    for (std::size_t i = 0; i < before.size(); ++i) EXPECT_EQ(after[i < at ? i : i + 1], before[i]) << i;
    const std::string bytes = readFileBytes(file());
    EXPECT_EQ(bytes.find(written + "\r\n"), bytes.find(before[at - 1] + "\r\n") + before[at - 1].size() + 2);
    // The city list of the country now holds it.
    const auto cities = ReadCityList(file(), entry("Украина"));
    EXPECT_EQ(cities.front(), entry("Новый город"));
}

TEST_F(AddCityFile, CountryAtTheEndGetsTheLastLine) {
    AddCity(file(), entry("Страна в конце"), moscowLike());
    const std::string bytes = readFileBytes(file());
    const std::string tail = cityLine("Новый город", " 55 45   37 37") + "\r\n";
    ASSERT_GE(bytes.size(), tail.size());
    EXPECT_EQ(bytes.substr(bytes.size() - tail.size()), tail);
    EXPECT_EQ(ReadCityList(file(), entry("Страна в конце")), std::vector<std::string>{entry("Новый город")});
}

TEST_F(AddCityFile, LongLinesComeBackCutTo80) {
    const std::string longCity = cityLine("Длинная", " 10 00   10 00") + std::string(60, 'x');
    {
        LineWriter w(file());
        w.line(countryLine("Первая", "   3"));
        w.line(longCity);
        w.write("last line without newline");  // as a hand-edited file may end
        w.close();
    }
    AddCity(file(), entry("Первая"), moscowLike());
    const auto lines = readLines(file());
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[2], longCity.substr(0, 80));
    EXPECT_EQ(lines[3], "last line without newline");
    const std::string bytes = readFileBytes(file());
    EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
}

TEST_F(AddCityFile, RefusedValuesWriteNothing) {
    const std::string before = readFileBytes(file());
    NewCity c = moscowLike();
    c.lonDegrees = "180";
    try {
        AddCity(file(), entry("Украина"), c);
        FAIL() << "longitude 180 was written";
    } catch (const Error& e) {
        EXPECT_EQ(std::string(e.what()), kLonDegrees);
    }
    c = moscowLike();
    c.latMinutes = "7";
    try {
        AddCity(file(), entry("Украина"), c);
        FAIL() << "a one-character edit counted as entered";
    } catch (const Error& e) {
        EXPECT_EQ(std::string(e.what()), kNotAllEnteredMessage);
    }
    EXPECT_EQ(readFileBytes(file()), before);
}

TEST_F(AddCityFile, CountryNoLongerInTheFileLeavesItUntouched) {
    const std::string before = readFileBytes(file());
    const std::size_t files = filesInFolder();
    try {
        AddCity(file(), entry("Атлантида"), moscowLike());
        FAIL() << "a city was added to a country that is not in the file";
    } catch (const Error& e) {
        EXPECT_NE(std::string(e.what()).find("Страна «Атлантида» не найдена"), std::string::npos) << e.what();
        EXPECT_NE(std::string(e.what()).find("файл не изменён"), std::string::npos) << e.what();
    }
    EXPECT_EQ(readFileBytes(file()), before);
    EXPECT_EQ(filesInFolder(), files);
}

TEST_F(AddCityFile, FailureBeforeTheRenameLeavesTheOldFileWhole) {
    const std::string before = readFileBytes(file());
    const std::size_t files = filesInFolder();
    std::string seenInTemp;
    ReplaceHooks hooks;
    hooks.beforeRename = [&](const std::filesystem::path& temp) {
        EXPECT_EQ(temp.parent_path(), file().parent_path());  // same folder: the rename is atomic
        seenInTemp = readFileBytes(temp);
        throw Error("injected failure");
    };
    EXPECT_THROW(AddCity(file(), entry("Украина"), moscowLike(), hooks), Error);
    EXPECT_EQ(readFileBytes(file()), before);
    EXPECT_EQ(filesInFolder(), files);  // the temporary file is gone
    // The temporary file was complete and flushed when the failure struck.
    EXPECT_EQ(seenInTemp.size(), before.size() + 47);
    EXPECT_NE(seenInTemp.find(cityLine("Новый город", " 55 45   37 37") + "\r\n"), std::string::npos);
}

TEST_F(AddCityFile, NewFileKeepsThePermissions) {
    std::filesystem::permissions(file(), std::filesystem::perms::owner_read | std::filesystem::perms::owner_write |
                                             std::filesystem::perms::group_read);
    AddCity(file(), entry("Украина"), moscowLike());
    struct stat st {};
    ASSERT_EQ(::stat(file().c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
}

// A write-protected place file is respected, not replaced behind its protection, and
// says why; the temporary file of an add-city killed mid-write goes at the next one.
TEST_F(AddCityFile, AWriteProtectedFileIsRefusedAndStaleTemporariesGo) {
    const std::string before = readFileBytes(file());
    std::filesystem::permissions(file(), std::filesystem::perms::owner_read | std::filesystem::perms::group_read |
                                             std::filesystem::perms::others_read);
    try {
        AddCity(file(), entry("Украина"), moscowLike());
        FAIL() << "a write-protected file was replaced";
    } catch (const Error& e) {
        EXPECT_NE(std::string(e.what()).find("защищён от записи"), std::string::npos) << e.what();
    }
    EXPECT_EQ(readFileBytes(file()), before);

    std::filesystem::permissions(file(), std::filesystem::perms::owner_write, std::filesystem::perm_options::add);
    const auto stale = copy.sysDir() / ".sng.wdt.a1b2c3";
    const auto young = copy.sysDir() / ".sng.wdt.d4e5f6";  // may belong to a run going on now
    writeLines(stale, {"half"});
    writeLines(young, {"half"});
    std::filesystem::last_write_time(stale, std::filesystem::file_time_type::clock::now() - std::chrono::hours(1));
    AddCity(file(), entry("Украина"), moscowLike());
    EXPECT_FALSE(std::filesystem::exists(stale));
    EXPECT_TRUE(std::filesystem::exists(young));
}

TEST(AddCityReplace, FailedRenameKeepsTheOldFile) {
    // A folder in place of the target: the rename is refused.
    TempDir dir;
    const auto target = dir.path() / "sng.wdt";
    std::filesystem::create_directory(target);
    writeLines(target / "inside", {"x"});
    EXPECT_THROW(ReplaceFileContent(target, "new"), Error);
    EXPECT_TRUE(std::filesystem::is_directory(target));
    std::size_t n = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir.path())) ++n;
    EXPECT_EQ(n, 1u);
}

}  // namespace
}  // namespace korv
