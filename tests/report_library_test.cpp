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

TEST(LibraryLookup, AKeyLineThatDoesNotConvertNamesTheFileAndTheLine) {
    const std::string file = keyLine({.planet = 1}) + "\r\none@\r\n* 001 0x2 000 000 000 000 000\r\nbad@\r\n" +
                             keyLine({.planet = 3}) + "\r\nthree@\r\n";
    // Before the bad line the search ends without meeting it.
    EXPECT_EQ(lookup(file, {.planet = 1}), "one");
    try {
        lookup(file, {.planet = 3});
        FAIL() << "no error";
    } catch (const Error& e) {
        EXPECT_STREQ(e.what(), "Text_01/A_P1.doc, line 3: '0x2' is not a valid integer value");
    }
}

TEST(LibraryLookup, AStarLineInsideATextIsReadAsAKeyLine) {
    const std::string file = keyLine({.planet = 1}) + "\r\n*starred text@\r\n" + keyLine({.planet = 2}) + "\r\ntwo@";
    EXPECT_THROW(lookup(file, {.planet = 2}), Error);
}

TEST(LibraryLookup, ShortKeyLinesFail) {
    EXPECT_THROW(lookup("* 001 002\r\ntext@", {.house = 1, .sign = 2}), Error);
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
