// The astrological font from the program folder and the text font substitute.
#include <gtest/gtest.h>

#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>
#include <QRawFont>

#include "chart/qt/fonts.h"
#include "temp_dir.h"

namespace korv {
namespace {

const std::filesystem::path kDataDir = std::filesystem::path(KORVINAUT_SOURCE_DIR) / "data";

TEST(AstroFont, InstallsFromTheProgramFolder) {
    EXPECT_EQ(InstallAstroFont(kDataDir).toStdString(), "");
    EXPECT_TRUE(QFontDatabase::families().contains(QStringLiteral("Astro v.3.0")));
    // Found now: a second call has nothing to do.
    EXPECT_EQ(InstallAstroFont(kDataDir).toStdString(), "");
}

TEST(AstroFont, FileCarriesTheFaceAndEveryGlyphCode) {
    const QRawFont font(QString::fromStdString((kDataDir / "Astro3.ttf").string()), 16);
    ASSERT_TRUE(font.isValid());
    EXPECT_EQ(font.familyName().toStdString(), "Astro v.3.0");
    for (char32_t code = 64; code <= 85; ++code) {
        EXPECT_TRUE(font.supportsCharacter(code)) << "code " << static_cast<int>(code);
        const QList<quint32> glyphs = font.glyphIndexesForString(QString(QChar(static_cast<char16_t>(code))));
        ASSERT_EQ(glyphs.size(), 1);
        EXPECT_NE(glyphs[0], 0u) << "code " << static_cast<int>(code) << " maps to the missing glyph";
    }
}

// Whatever an earlier test installed: the file step alone reports a missing file.
TEST(AstroFont, MissingFileGivesTheMessage) {
    TempDir empty;
    EXPECT_EQ(AddAstroFontFile(empty.path()).toStdString(), " Шрифт Astro3.ttf  не добавлен ");
}

TEST(TextFont, ArialCyrIsDrawnInLiberationSans) {
    InstallTextFontSubstitutes();
    InstallTextFontSubstitutes();  // twice: still one substitute
    // Qt keeps substitute names in lower case.
    EXPECT_EQ(QFont::substitutes(QStringLiteral("Arial Cyr")).join(',').toStdString(), "liberation sans");
    EXPECT_EQ(QFontInfo(QFont(QStringLiteral("Arial Cyr"))).family().toStdString(), "Liberation Sans");
}

}  // namespace
}  // namespace korv
