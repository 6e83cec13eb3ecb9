#include <gtest/gtest.h>

#include <clocale>

#include "common/error.h"
#include "common/numbers.h"

namespace korv {
namespace {

TEST(Numbers, IntegersAcceptLeadingBlanksAndSignsOnly) {
    EXPECT_EQ(parseInt("042"), 42);
    EXPECT_EQ(parseInt("  7"), 7);
    EXPECT_EQ(parseInt("-999"), -999);
    EXPECT_EQ(parseInt("+5"), 5);
    for (const char* bad : {"", "   ", "7 ", "1.5", "x1", "-", "99999999999"}) EXPECT_THROW(parseInt(bad), Error) << bad;
}

TEST(Numbers, ConversionErrorsQuoteTheTextAndThePlace) {
    try {
        parseInt("abc", "System/set.dat, line 4");
        FAIL();
    } catch (const Error& e) {
        EXPECT_STREQ(e.what(), "System/set.dat, line 4: 'abc' is not a valid integer value");
    }
    try {
        parseFloat(" 3,0");
        FAIL();
    } catch (const Error& e) {
        EXPECT_STREQ(e.what(), "' 3,0' is not a valid floating point value");
    }
}

TEST(Numbers, FloatsUseThePointWhateverTheLocale) {
    std::setlocale(LC_NUMERIC, "ru_RU.UTF-8");  // may be absent; then the C locale stays
    EXPECT_DOUBLE_EQ(parseFloat("  3.0"), 3.0);
    EXPECT_DOUBLE_EQ(parseFloat("-10.5"), -10.5);
    for (const char* bad : {"nan", "-nan", "inf", "+-3", "--3", "1e999", " ", "3.0 "}) EXPECT_THROW(parseFloat(bad), Error) << bad;
    EXPECT_EQ(fixedText(-0.5125, 3), "-0.512");
    EXPECT_EQ(fixedText(2.0, 1), "2.0");
    std::setlocale(LC_NUMERIC, "C");
}

TEST(Numbers, ZeroPadding) {
    EXPECT_EQ(zeroPadded(5, 2), "05");
    EXPECT_EQ(zeroPadded(45, 4), "0045");
    EXPECT_EQ(zeroPadded(2000, 4), "2000");
    EXPECT_EQ(zeroPadded(-45, 4), "-045");
    EXPECT_EQ(zeroPadded(-999, 4), "-999");
}

}  // namespace
}  // namespace korv
