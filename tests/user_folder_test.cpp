// The user's program folder made from an installed tree, and kept through updates.
#include <gtest/gtest.h>

#include <fstream>

#include "app/user_folder.h"
#include "common/text.h"
#include "input/add_city.h"
#include "temp_dir.h"

namespace korv {
namespace {

namespace fs = std::filesystem;

void write(const fs::path& file, const std::string& bytes) {
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
}

std::string countryLine(const std::string& name) { return padRight("*" + name, 32) + "   3   3   3   3   3   3   3   3   3   3   3"; }
std::string cityLine(const std::string& name, const std::string& coords) { return padRight(" " + name, 31) + coords; }

class UserFolder : public ::testing::Test {
protected:
    UserFolder() {
        write(tree() / "System" / "sng.wdt", atlas({countryLine("Alpha"), cityLine("Aville", " 55 45   37 37"),
                                                    countryLine("Beta"), cityLine("Bville", " 40 10   44 30")}));
        write(tree() / "System" / "set.dat", "0\r\n0\r\n\r\n1\r\n1\r\n1\r\nnotice\r\nsite\r\npic\r\n");
        write(tree() / "System" / "Text_01" / "P_D1.doc", "* 001 000 001 000 000 000 000\r\ntext@\r\n");
        write(tree() / "System" / "pluto.sys", "1\r\n");
        write(tree() / "Images" / "04.bmp", "BM");
        write(tree() / "Astro3.ttf", "font");
    }
    static std::string atlas(const std::vector<std::string>& lines) {
        std::string s;
        for (const auto& l : lines) s += l + "\r\n";
        return s;
    }
    fs::path tree() const { return dir.path() / "share" / "korvinaut"; }
    fs::path user() const { return dir.path() / "home" / "korvinaut"; }
    std::string userAtlas() const { return readFileBytes(user() / "System" / "sng.wdt"); }

    TempDir dir;
};

TEST_F(UserFolder, CopiesTheUsersFilesAndLinksTheRest) {
    EXPECT_TRUE(PrepareUserFolder(tree(), user(), TreeLinks::Link).empty());
    EXPECT_TRUE(fs::is_directory(user() / "Output"));
    EXPECT_FALSE(fs::is_symlink(user() / "System" / "sng.wdt"));
    EXPECT_FALSE(fs::is_symlink(user() / "System" / "set.dat"));
    EXPECT_TRUE(fs::is_symlink(user() / "System" / "Text_01"));
    EXPECT_TRUE(fs::is_symlink(user() / "System" / "pluto.sys"));
    EXPECT_TRUE(fs::is_symlink(user() / "Images"));
    EXPECT_EQ(readFileBytes(user() / "Astro3.ttf"), "font");
    // A second start changes nothing.
    EXPECT_TRUE(PrepareUserFolder(tree(), user(), TreeLinks::Link).empty());
}

// A city added with "Добавить город", then a new atlas from an update (a country's
// zones corrected, a city added by the program): the new atlas, with the user's city.
TEST_F(UserFolder, AnUpdatedAtlasKeepsTheCitiesTheUserAdded) {
    PrepareUserFolder(tree(), user(), TreeLinks::Link);
    NewCity city{.name = "Mytown", .latDegrees = "50", .latMinutes = "30", .lonDegrees = "40", .lonMinutes = "15"};
    const std::string added = AddCity(user() / "System" / "sng.wdt", padRight(" Beta", 30), city);

    const std::string betaUpdated = padRight("*Beta", 32) + "   4   4   4   4   4   4   4   4   4   4   4";
    write(tree() / "System" / "sng.wdt", atlas({countryLine("Alpha"), cityLine("Aville", " 55 45   37 37"),
                                                cityLine("Anewtown", " 56 00   38 00"), betaUpdated,
                                                cityLine("Bville", " 40 10   44 30")}));
    const auto notes = PrepareUserFolder(tree(), user(), TreeLinks::Link);
    ASSERT_EQ(notes.size(), 1u);
    EXPECT_NE(notes[0].find("1 city you added"), std::string::npos) << notes[0];
    EXPECT_EQ(userAtlas(), atlas({countryLine("Alpha"), cityLine("Aville", " 55 45   37 37"),
                                  cityLine("Anewtown", " 56 00   38 00"), betaUpdated,
                                  cityLine("Bville", " 40 10   44 30"), added}));

    // The same in a copied folder (the development folder): a rebuild keeps the city.
    const fs::path copied = dir.path() / "build";
    PrepareUserFolder(tree(), copied, TreeLinks::Copy);
    AddCity(copied / "System" / "sng.wdt", padRight(" Alpha", 30), city);
    write(tree() / "System" / "sng.wdt", readFileBytes(tree() / "System" / "sng.wdt") + cityLine("Cnew", " 10 00   10 00") + "\r\n");
    PrepareUserFolder(tree(), copied, TreeLinks::Copy);
    const std::string rebuilt = readFileBytes(copied / "System" / "sng.wdt");
    EXPECT_NE(rebuilt.find("Mytown"), std::string::npos);
    EXPECT_NE(rebuilt.find("Cnew"), std::string::npos);
}

TEST_F(UserFolder, AnUnchangedFileTakesTheUpdateAndAChangedSettingsFileIsKept) {
    PrepareUserFolder(tree(), user(), TreeLinks::Link);
    write(user() / "System" / "set.dat", "mine");
    write(tree() / "System" / "set.dat", "new settings");
    write(tree() / "System" / "sng.wdt", atlas({countryLine("Gamma")}));
    const auto notes = PrepareUserFolder(tree(), user(), TreeLinks::Link);
    EXPECT_EQ(userAtlas(), atlas({countryLine("Gamma")}));
    EXPECT_EQ(readFileBytes(user() / "System" / "set.dat"), "mine");
    ASSERT_EQ(notes.size(), 1u);
    EXPECT_NE(notes[0].find("kept your System/set.dat"), std::string::npos) << notes[0];
}

TEST(MergeAddedCities, ACountryTheNewAtlasLacksComesWithItsLineAndNoCityTwice) {
    const std::string base = "*Old\r\n one\r\n";
    const std::string mine = "*Old\r\n one\r\n mine\r\n";
    int added = -1;
    EXPECT_EQ(MergeAddedCities(base, mine, "*New\r\n x\r\n", added), "*New\r\n x\r\n*Old\r\n mine\r\n");
    EXPECT_EQ(added, 1);
    EXPECT_EQ(MergeAddedCities(base, mine, "*Old\r\n one\r\n mine\r\n", added), "*Old\r\n one\r\n mine\r\n");
    EXPECT_EQ(added, 0);
}

}  // namespace
}  // namespace korv
