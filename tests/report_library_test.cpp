// The keyed lookup of the interpretation library.
#include <gtest/gtest.h>

#include "common/error.h"
#include "report/library.h"
#include "tests/report_test_support.h"

namespace korv {
namespace {

using testing::keyedFile;
using testing::keyLine;

std::optional<std::string> lookup(const std::string& bytes, const FragmentKey& key) {
    return LibraryFile::fromBytes(bytes, "Text_01/A_P1.doc").find(key);
}

TEST(LibraryLookup, FindsTheFirstOfTwoFragmentsWithTheSameKey) {
    const std::string file = keyedFile({{{.house = 1, .sign = 2}, "first"}, {{.house = 1, .sign = 2}, "second"}});
    EXPECT_EQ(lookup(file, {.house = 1, .sign = 2}), "first");
    EXPECT_EQ(lookup(file, {.house = 1, .sign = 3}), std::nullopt);
}

TEST(LibraryLookup, BlankPaddedFieldsMatchLikeZeroPadded) {
    const std::string file = "*   1   2   0   0   0   0   0\r\nblanks@\r\n";
    EXPECT_EQ(lookup(file, {.house = 1, .sign = 2}), "blanks");
}

TEST(LibraryLookup, TextKeepsItsLineBreaksAndMarkupAndStopsAtTheAt) {
    const std::string file = keyLine({.planet = 1}) + "\r\nline one\r\n<p>line two@ free rest\r\n";
    EXPECT_EQ(lookup(file, {.planet = 1}), "line one\r\n<p>line two");
}

TEST(LibraryLookup, EmptyTextIsAFragment) {
    EXPECT_EQ(lookup(keyLine({.planet = 1}) + "\r\n@\r\n", {.planet = 1}), "");
}

TEST(LibraryLookup, LinesBetweenFragmentsAndAfterTheAtAreIgnored) {
    const std::string file = "a heading line\r\n" + keyLine({.planet = 1}) + "\r\none@ " + keyLine({.planet = 2}) +
                             "\r\nnot a key\r\n" + keyLine({.planet = 2}) + "\r\ntwo@\r\n";
    EXPECT_EQ(lookup(file, {.planet = 2}), "two");
}

// Sound ends for texts the format rules out: no "@" and too long.
TEST(LibraryLookup, AFragmentWithoutItsAtEndsAtTheEndOfTheFile) {
    EXPECT_EQ(lookup(keyLine({.planet = 1}) + "\r\nno end\r\n", {.planet = 1}), "no end\r\n");
    EXPECT_EQ(lookup(keyLine({.planet = 1}), {.planet = 1}), "");
}

TEST(LibraryLookup, ALongFragmentIsCutAtTenThousandCharacters) {
    const std::string text(12000, 'x');
    const auto found = lookup(keyLine({.planet = 1}) + "\r\n" + text + "@\r\n", {.planet = 1});
    ASSERT_TRUE(found);
    EXPECT_EQ(found->size(), kMaxFragmentChars);
    EXPECT_EQ(lookup(keyLine({.planet = 1}) + "\r\n" + std::string(10000, 'y') + "@", {.planet = 1})->size(), 10000u);
}

TEST(LibraryLookup, OnlyTheFirst255CharactersOfAKeyLineCount) {
    const std::string longKey = keyLine({.planet = 1}) + std::string(300, ' ') + "x";
    EXPECT_EQ(lookup(longKey + "\r\ntext@", {.planet = 1}), "text");
}

// A damaged key line stops no lookup: it is passed over and listed among the file's
// problems, which name the real fault; the report is written with the other fragments.
TEST(LibraryLookup, ADamagedKeyLineIsPassedOverAndListed) {
    const std::string file = keyLine({.planet = 1}) + "\r\none@\r\n* 001 0x2 000 000 000 000 000\r\nbad@\r\n" +
                             "* 000 000 002 000 000 000\r\nsix@\r\n*starred text@\r\n" + keyLine({.planet = 3}) +
                             "\r\nthree@\r\n";
    const LibraryFile lib = LibraryFile::fromBytes(file, "Text_01/A_P1.doc");
    EXPECT_EQ(lib.find({.planet = 1}), "one");
    EXPECT_EQ(lib.find({.planet = 3}), "three");
    EXPECT_EQ(lib.problems(), (std::vector<std::string>{
                                  "Text_01/A_P1.doc, line 3: number 2 of the key line ('0x2') is not a whole number",
                                  "Text_01/A_P1.doc, line 5: the key line has 6 numbers, 7 expected",
                                  "Text_01/A_P1.doc, line 7: the line begins with \"*\" but is no key line (a text "
                                  "line must not begin with \"*\")"}));
}

// A lost "@" ends the fragment before the next key line, instead of printing the key
// lines that follow into the report.
TEST(LibraryLookup, AFragmentWithoutItsAtEndsBeforeTheNextKeyLine) {
    const std::string file = keyLine({.planet = 1}) + "\r\nno end\r\n" + keyLine({.planet = 2}) + "\r\ntwo@\r\n";
    const LibraryFile lib = LibraryFile::fromBytes(file, "Text_01/A_P1.doc");
    EXPECT_EQ(lib.find({.planet = 1}), "no end\r\n");
    EXPECT_EQ(lib.find({.planet = 2}), "two");
    ASSERT_EQ(lib.problems().size(), 1u);
    EXPECT_NE(lib.problems()[0].find("line 1: the fragment (0, 0, 1, 0, 0, 0, 0) has no closing \"@\""), std::string::npos);
}

TEST(FragmentLibrary, AMissingFileGivesNothing) {
    testing::ProgramFolder folder;
    FragmentLibrary library;
    EXPECT_EQ(library.find(folder.path("System/Text_02/Ku_2M.html"), {.house = 2, .sign = 1}), std::nullopt);
    EXPECT_EQ(library.file(folder.path("System/Text_02/Ku_2M.html")), nullptr);
}

TEST(FragmentLibrary, PathsLongerThanEightyCharactersWork) {
    testing::ProgramFolder folder;
    const std::string deep = "System/" + std::string(60, 'd') + "/" + std::string(60, 'e') + "/Text_01/Ku_1M.html";
    folder.write(deep, keyedFile({{{.house = 1, .sign = 5}, "Лев"}}));
    FragmentLibrary library;
    ASSERT_GT(folder.path(deep).string().size(), 80u);
    EXPECT_EQ(library.find(folder.path(deep), {.house = 1, .sign = 5}), cp("Лев"));
}

}  // namespace
}  // namespace korv
