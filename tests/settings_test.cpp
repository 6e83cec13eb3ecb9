#include <gtest/gtest.h>

#include <fstream>

#include "common/settings.h"
#include "common/error.h"
#include "common/text.h"
#include "tests/temp_dir.h"

namespace korv {
namespace {

void write(const std::filesystem::path& file, const std::string& bytes) {
    std::ofstream(file, std::ios::binary) << bytes;
}

TEST(Settings, ReadsTheNineLines) {
    TempDir dir;
    const auto file = dir.path() / "set.dat";
    write(file, "3\r\n-1\r\nanything\r\n1\r\n2\r\n 1 \r\n" + cp("Текст <b>владельца</b>") +
                    "\r\nexample.org\r\nlogo.gif\r\n");
    const Settings s = ReadSettings(file);
    EXPECT_EQ(s.line1, 3);
    EXPECT_EQ(s.line2, -1);
    EXPECT_EQ(s.line3, "anything");
    EXPECT_EQ(s.EpilogShowPicture, 1);
    EXPECT_EQ(s.EpilogShowNotice, 2);  // only 1 turns an element on; the value is kept as read
    EXPECT_EQ(s.EpilogShowSite, 1);
    EXPECT_EQ(s.EpilogNotice, cp("Текст <b>владельца</b>"));
    EXPECT_EQ(s.EpilogSite, "example.org");
    EXPECT_EQ(s.EpilogPicture, "logo.gif");
}

TEST(Settings, AMalformedIntegerNamesFileLineAndText) {
    TempDir dir;
    const auto file = dir.path() / "set.dat";
    write(file, "0\r\n0\r\n\r\n1\r\nyes\r\n0\r\n\r\n\r\n\r\n");
    try {
        ReadSettings(file);
        FAIL();
    } catch (const Error& e) {
        const std::string m = e.what();
        EXPECT_NE(m.find("set.dat, line 5: 'yes' is not a valid integer value"), std::string::npos) << m;
    }
}

TEST(Settings, MissingFileAndShortFile) {
    TempDir dir;
    EXPECT_THROW(ReadSettings(dir.path() / "set.dat"), Error);
    write(dir.path() / "short.dat", "0\r\n0\r\n");
    EXPECT_THROW(ReadSettings(dir.path() / "short.dat"), Error);
}

TEST(Settings, TheShippedFileReads) {
    const Settings s = ReadSettings(std::filesystem::path(KORVINAUT_SOURCE_DIR) / "data/System/set.dat");
    EXPECT_EQ(s.EpilogShowNotice, 1);
    EXPECT_EQ(s.EpilogShowPicture, 0);
    EXPECT_EQ(s.EpilogShowSite, 0);
}

}  // namespace
}  // namespace korv
