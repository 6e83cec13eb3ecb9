// The library checker: format errors with their lines, and key coverage.
#include <gtest/gtest.h>

#include <ostream>

#include "report/library_check.h"
#include "tests/report_test_support.h"

namespace korv {
namespace {

using testing::keyLine;

TEST(LibraryCheck, TheShippedLibraryPasses) {
    const LibraryReport report = CheckLibrary(std::filesystem::path(KORVINAUT_SOURCE_DIR) / "data/System");
    for (const LibraryProblem& p : report.errors) ADD_FAILURE() << ProblemText(p);
    std::size_t pages = 0;
    for (const FileCoverage& f : report.files) {
        if (f.wholeCopy) pages += f.exists;
        EXPECT_EQ(f.unused, 0u) << f.folder << "/" << f.name << " holds keys the report never asks for";
    }
    EXPECT_EQ(pages, 27u);
}

struct FormatCase {
    const char* name;
    std::string bytes;
    int line;             // of the first problem
    const char* message;  // part of its text
};
std::ostream& operator<<(std::ostream& os, const FormatCase& c) { return os << c.name; }

const std::string k1 = keyLine({.house = 1, .sign = 1});
const std::string k2 = keyLine({.house = 1, .sign = 2});

class FormatErrors : public ::testing::TestWithParam<FormatCase> {};

TEST_P(FormatErrors, NamesTheLine) {
    const FormatCase& c = GetParam();
    std::set<FragmentKey> keys;
    const auto problems = CheckKeyedFile("Text_01/Ku_1M.html", c.bytes, keys);
    ASSERT_FALSE(problems.empty());
    EXPECT_EQ(problems[0].line, c.line) << problems[0].message;
    EXPECT_NE(problems[0].message.find(c.message), std::string::npos) << problems[0].message;
}

INSTANTIATE_TEST_SUITE_P(
    Rows, FormatErrors,
    ::testing::Values(
        FormatCase{"KeyDoesNotConvert", k1 + "\r\na@\r\n* 001 0o2 000 000 000 000 000\r\nb@\r\n", 3,
                   "the key line does not convert: number 2 of the key line ('0o2') is not a whole number"},
        FormatCase{"KeyWithSixNumbers", k1 + "\r\na@\r\n* 001 002 000 000 000 000\r\nb@\r\n", 3,
                   "the key line has 6 numbers, 7 expected"},
        FormatCase{"NoClosingAtBeforeTheNextKey", k1 + "\r\na\r\n" + k2 + "\r\nb@\r\n", 1, "no closing \"@\""},
        FormatCase{"NoClosingAtAtTheEnd", k1 + "\r\na@\r\n" + k2 + "\r\nb\r\n", 3, "no closing \"@\""},
        FormatCase{"FirstLineEmpty", k1 + "\r\n\r\ntext@\r\n", 2, "first line is empty"},
        FormatCase{"TextLineBeginsWithStar", k1 + "\r\nfirst\r\n*second@\r\n", 3, "begins with \"*\""},
        FormatCase{"AtInsideTheText", k1 + "\r\nmail me@example\r\nmore text@\r\n", 3, "an \"@\" inside a text"},
        FormatCase{"SecondAtOnTheLine", k1 + "\r\na@b@\r\n", 2, "a second \"@\""},
        FormatCase{"TooLong", k1 + "\r\n" + std::string(10001, 'x') + "@\r\n", 1, "10001 characters"},
        FormatCase{"DuplicateKey", k1 + "\r\na@\r\n\r\n" + k1 + "\r\nb@\r\n", 4, "first on line 1"},
        FormatCase{"BareLineFeed", k1 + "\r\na\nb@\r\n", 2, "LF alone"},
        FormatCase{"Utf8Text", k1 + "\r\nТекст@\r\n", 0, "UTF-8"}));

TEST(LibraryCheck, AWellFormedFileHasNoProblems) {
    std::set<FragmentKey> keys;
    const std::string bytes = "comment before the first key\r\n" + k1 + "\r\n" + cp("Текст\r\nв две строки") + "@ rest\r\n\r\n" +
                              k2 + "\r\n@\r\n" + std::string(kMaxKeyLineChars, ' ');
    EXPECT_TRUE(CheckKeyedFile("f", bytes, keys).empty());
    EXPECT_EQ(keys, (std::set<FragmentKey>{{.house = 1, .sign = 1}, {.house = 1, .sign = 2}}));
}

TEST(AskableKeys, FollowTheSectionsLookups) {
    const AskableKeyMap& keys = AskableKeys();
    // Sun with 9 partners, 5 aspects, less Mercury's and Venus's four impossible ones each.
    EXPECT_EQ(keys.at("Text_01").at("A_P1.doc").size(), 37u);
    EXPECT_EQ(keys.at("Text_01").at("A_P1.doc").count({.planet = 1, .angle = 60, .partner = 4}), 0u);
    EXPECT_EQ(keys.at("Text_01").at("A_P3.doc").count({.planet = 3, .angle = 60, .partner = 4}), 1u);
    EXPECT_EQ(keys.at("Text_01").at("A_P3.doc").count({.planet = 3, .angle = 90, .partner = 4}), 0u);
    EXPECT_EQ(keys.at("Text_01").at("A_P5.doc").size(), 25u);
    EXPECT_EQ(keys.at("Text_01").at("Ku_1F.html").size(), 12u);
    EXPECT_EQ(keys.at("Text_01").at("P7_z.doc").count({.sign = 4, .planet = 7}), 1u);
    // Money keys its planets in house 2 with house 1; love reads house-5 planets from P_D8.
    EXPECT_EQ(keys.at("Text_02").at("P_D2.doc").count({.house = 1, .planet = 3}), 1u);
    EXPECT_EQ(keys.at("Text_05").at("P_D8_F.doc").count({.house = 5, .planet = 3}), 1u);
    EXPECT_EQ(keys.at("Text_05").at("8_P10_z.doc").count({.house = 8, .sign = 12, .planet = 10}), 1u);
    EXPECT_EQ(keys.at("Text_05").at("8_A_P2.doc").size(), 40u);
    EXPECT_EQ(keys.at("Text_07").at("Al_7F.txt").count({.house = 7, .almutenHouse = 12}), 1u);
    EXPECT_EQ(keys.at("Text_12_1").count("P1_z.doc"), 0u);  // occultism has no sign files
    EXPECT_EQ(keys.at("Text_06_1").count("P1_z.doc"), 0u);
    EXPECT_EQ(keys.count("Text_03"), 0u);
    std::size_t total = 0;
    for (const auto& [folder, files] : keys)
        for (const auto& [name, set] : files) total += set.size();
    EXPECT_EQ(total, 4474u);  // 14 folders' sets of 11 impossible aspects are not asked
}

TEST(LibraryCheck, CountsPresentMissingAndUnusedKeys) {
    testing::ProgramFolder folder;
    folder.write("System/Text_02/Ku_2M.html",
                 testing::keyedFile({{{.house = 2, .sign = 1}, "a"}, {{.house = 2, .sign = 2}, "b"},
                                     {{.house = 3, .sign = 1}, "never asked"}}));
    folder.write("System/Text_02/notes.doc", testing::keyedFile({{{.house = 2}, "x"}}));
    folder.write("System/Text_02/A_P1.doc", keyLine({.planet = 1}) + "\r\nno end\r\n");
    const LibraryReport report = CheckLibrary(folder.path("System"));

    auto file = [&](const std::string& folderName, const std::string& name) {
        for (const FileCoverage& f : report.files)
            if (f.folder == folderName && f.name == name) return f;
        ADD_FAILURE() << folderName << "/" << name;
        return FileCoverage{};
    };
    const FileCoverage cusp = file("Text_02", "Ku_2M.html");
    EXPECT_TRUE(cusp.exists);
    EXPECT_EQ(cusp.askable, 12u);
    EXPECT_EQ(cusp.present, 2u);
    EXPECT_EQ(cusp.unused, 1u);
    const FileCoverage extra = file("Text_02", "notes.doc");
    EXPECT_EQ(extra.askable, 0u);
    EXPECT_EQ(extra.fragments, 1u);
    const FileCoverage missing = file("Text_10", "P_D10_F.doc");
    EXPECT_FALSE(missing.exists);
    EXPECT_EQ(missing.askable, 10u);
    EXPECT_TRUE(file("Text_00", "header_3.html").wholeCopy);

    // Errors: the fragment without "@", and the 27 missing pages.
    ASSERT_EQ(report.errors.size(), 28u);
    std::size_t missingPages = 0, noEnd = 0;
    for (const LibraryProblem& p : report.errors) {
        missingPages += p.message.find("missing") != std::string::npos;
        noEnd += p.message.find("no closing") != std::string::npos && p.file.filename() == "A_P1.doc" && p.line == 1;
    }
    EXPECT_EQ(missingPages, 27u);
    EXPECT_EQ(noEnd, 1u);
}

}  // namespace
}  // namespace korv
