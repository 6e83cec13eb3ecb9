#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "common/error.h"
#include "common/text.h"
#include "tests/temp_dir.h"

namespace korv {
namespace {

TEST(Cp1251, EveryByteSurvivesTheRoundTrip) {
    for (int b = 0; b < 256; ++b) {
        const std::string byte(1, static_cast<char>(b));
        const std::string utf8 = cp1251ToUtf8(byte);
        EXPECT_EQ(utf8ToCp1251(utf8), byte) << "byte " << b;
        EXPECT_TRUE(isCp1251Representable(utf8)) << "byte " << b;
    }
}

TEST(Cp1251, KnownCharactersBothWays) {
    struct Case { unsigned char byte; const char* utf8; };
    const Case cases[] = {{0xC0, "А"}, {0xFF, "я"}, {0xA8, "Ё"}, {0xB8, "ё"}, {0xB0, "°"},
                          {0x92, "’"}, {0x97, "—"}, {0xAB, "«"}, {0xB9, "№"}, {0x88, "€"}, {'A', "A"}};
    for (const auto& c : cases) {
        EXPECT_EQ(cp1251ToUtf8(std::string(1, static_cast<char>(c.byte))), c.utf8);
        EXPECT_EQ(utf8ToCp1251(c.utf8), std::string(1, static_cast<char>(c.byte)));
    }
}

TEST(Cp1251, UnrepresentableAndMalformedInputBecomeQuestionMarks) {
    EXPECT_EQ(utf8ToCp1251("a\xE2\x88\x9E" "b"), "a?b");    // U+221E infinity
    EXPECT_EQ(utf8ToCp1251("x\xC3"), "x?");                // cut sequence
    EXPECT_EQ(utf8ToCp1251("\xFF"), "?");
    EXPECT_FALSE(isCp1251Representable("日本"));
}

TEST(Columns, CutIsOneBasedAndShortensAtTheEnd) {
    EXPECT_EQ(cutColumns("abcdef", 2, 4), "bcd");
    EXPECT_EQ(cutColumns("abcdef", 5, 10), "ef");
    EXPECT_EQ(cutColumns("abc", 4, 6), "");
    EXPECT_EQ(cutWidth("abcdef", 1, 3), "abc");
    EXPECT_EQ(padRight("ab", 4), "ab  ");
    EXPECT_EQ(padRight("abcdef", 4), "abcd");
    EXPECT_EQ(padLeft("7", 3), "  7");
    EXPECT_EQ(trimBlanks("  x y "), "x y");
    EXPECT_EQ(trimBlanks("   "), "");
}

TEST(Lines, ReadsCrLfAndLfAndKeepsOnlyTheFirstCharacters) {
    TempDir dir;
    const auto file = dir.path() / "lines.txt";
    { std::ofstream(file, std::ios::binary) << "first\r\nsecond\nthird line long\r\n\r\nlast"; }
    LineReader reader(file);
    std::string line;
    ASSERT_TRUE(reader.next(line));
    EXPECT_EQ(line, "first");
    ASSERT_TRUE(reader.next(line));
    EXPECT_EQ(line, "second");
    ASSERT_TRUE(reader.next(line, 5));
    EXPECT_EQ(line, "third");
    ASSERT_TRUE(reader.next(line));
    EXPECT_EQ(line, "");
    ASSERT_TRUE(reader.next(line));
    EXPECT_EQ(line, "last");
    EXPECT_EQ(reader.lineNumber(), 5);
    EXPECT_FALSE(reader.next(line));
}

TEST(Lines, WritesCrLfAndNamesAMissingFile) {
    TempDir dir;
    const auto file = dir.path() / "out.txt";
    writeLines(file, {"a", "", "b"});
    EXPECT_EQ(readFileBytes(file), "a\r\n\r\nb\r\n");
    {
        LineWriter append(file, LineWriter::Mode::Append);
        append.write("c");
        append.close();
    }
    EXPECT_EQ(readFileBytes(file), "a\r\n\r\nb\r\nc");
    try {
        readLines(dir.path() / "missing.dat");
        FAIL() << "no error";
    } catch (const Error& e) {
        EXPECT_NE(std::string(e.what()).find("File not found: "), std::string::npos);
        EXPECT_NE(std::string(e.what()).find("missing.dat"), std::string::npos);
    }
    EXPECT_THROW(LineWriter(dir.path() / "no" / "such" / "dir.txt"), Error);
}

}  // namespace
}  // namespace korv
