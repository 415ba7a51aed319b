#include "core/number_text.h"

#include "tests/table_rows.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace kalvora {
namespace {

struct ParseCase {
    const char *name;
    const char *text;
    double expected; // exact for the float cases below
    friend void PrintTo(const ParseCase &row, std::ostream *os) { *os << row.name; }
};

class ParseSingleTest : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseSingleTest, GivesTheNearestFloat) {
    const auto value = parseSingle(GetParam().text);
    ASSERT_TRUE(value.has_value());
    EXPECT_EQ(*value, static_cast<float>(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ParseSingleTest,
    ::testing::Values(ParseCase{"Density", "7,85", 7.849999904632568359375},
                      ParseCase{"TwoDecimalsTrailingZero", "16,70", 16.7},
                      ParseCase{"ZeroOneDecimal", "0,0", 0.0},
                      ParseCase{"ZeroTwoDecimals", "0,00", 0.0},
                      ParseCase{"ZeroThreeDecimals", "0,000", 0.0}, ParseCase{"LoneZero", "0", 0.0},
                      ParseCase{"LeadingZeros", "003", 3.0}, ParseCase{"CommaFirst", ",5", 0.5},
                      ParseCase{"CommaLast", "5,", 5.0},
                      ParseCase{"NineDigits", "999999999", 1.0e9},
                      ParseCase{"TinyUnderflowsToZero",
                                "0,00000000000000000000000000000000000000000000000000001", 0.0},
                      // Just beside the midpoint of two floats: the nearest double is the
                      // midpoint itself, so a reading through double would round to even.
                      ParseCase{"JustAboveATie", "16777217,0000000001", 0x1.000002p+24},
                      ParseCase{"JustBelowATie", "16777218,9999999999", 0x1.000002p+24},
                      ParseCase{"DensityJustBelowATie", "7,8500001430511474609374999",
                                0x1.f66666p+2},
                      ParseCase{"TenthJustBelowATie", "0,1000000052154064178466796874999",
                                0x1.99999ap-4},
                      ParseCase{"LargestJustBelowOverflow",
                                "340282356779733661637539395458142568447,9", 0x1.fffffep+127}),
    test::RowName{});

TEST(ParseSingle, RoundsTheDecimalTextStraightToFloat) {
    // Just above the midpoint between 1 and the next float: the nearest double is the midpoint
    // itself, so going through double would round to even and give 1.
    const auto value = parseSingle("1,00000005960464477539062501");
    ASSERT_TRUE(value.has_value());
    EXPECT_EQ(*value, std::nextafter(1.0f, 2.0f));
}

TEST(ParseDouble, KeepsDoublePrecision) {
    EXPECT_EQ(parseDouble("7,85"), 7.85);
    EXPECT_EQ(parseDouble("123456,78"), 123456.78);
    EXPECT_EQ(parseDouble("0,00"), 0.0);
}

TEST(ParseNumberText, ValuesBeyondTheRangeAreInfinite) {
    const std::string huge = "1" + std::string(40, '0');
    EXPECT_EQ(parseSingle(huge), std::numeric_limits<float>::infinity());
    EXPECT_EQ(parseDouble(huge + std::string(300, '0')), std::numeric_limits<double>::infinity());
    EXPECT_EQ(parseDouble(huge), 1e40);
}

class NotANumberTextTest : public ::testing::TestWithParam<const char *> {};

TEST_P(NotANumberTextTest, HasNoValue) {
    EXPECT_FALSE(parseSingle(GetParam()).has_value());
    EXPECT_FALSE(parseDouble(GetParam()).has_value());
}

INSTANTIATE_TEST_SUITE_P(Texts, NotANumberTextTest,
                         ::testing::Values("", ",", ",,", "1,2,3", "1.5", "-1", "+1", " 1", "1 ",
                                           "1e5", "abc", "12a", "0x10", "inf", "nan",
                                           "\xE2\x82\xAC"));

struct FormatCase {
    const char *name;
    double value;
    bool single; // formatSingle when true, formatDouble otherwise
    const char *expected;
    friend void PrintTo(const FormatCase &row, std::ostream *os) { *os << row.name; }
};

class FormatTest : public ::testing::TestWithParam<FormatCase> {};

TEST_P(FormatTest, ShowsTheValueWithADecimalComma) {
    const FormatCase &c = GetParam();
    EXPECT_EQ(c.single ? formatSingle(static_cast<float>(c.value)) : formatDouble(c.value),
              c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Values, FormatTest,
    ::testing::Values(FormatCase{"WholeNumber", 785, true, "785"},
                      FormatCase{"Half", 0.5, true, "0,5"},
                      FormatCase{"TrailingZeroDropped", 47.10, true, "47,1"},
                      FormatCase{"StoredJustBelow", 61.65999984741211, true, "61,66"},
                      FormatCase{"Density", 16.7, true, "16,7"},
                      FormatCase{"SevenDigits", 1234567, true, "1234567"},
                      FormatCase{"EightDigitsInExponentForm", 12345678, true, "1,234568E+07"},
                      FormatCase{"LargeCost", 187875008, true, "1,87875E+08"},
                      FormatCase{"FloatKeepsSevenDigits", 123456.78, true, "123456,8"},
                      FormatCase{"DoubleKeepsItsDigits", 123456.78, false, "123456,78"},
                      FormatCase{"Negative", -12.5, true, "-12,5"},
                      FormatCase{"Zero", 0.0, true, "0"},
                      FormatCase{"NegativeZero", -0.0, true, "0"},
                      FormatCase{"NegativeZeroDouble", -0.0, false, "0"},
                      FormatCase{"HalfwayTiesToEven", 123456.25, true, "123456,2"},
                      FormatCase{"HalfwayTiesToEvenInExponentForm", 12345665, true, "1,234566E+07"},
                      FormatCase{"RoundsUpIntoTheNextDecade", 999999999999999.5, false, "1E+15"},
                      FormatCase{"SmallPlain", 0.0001, false, "0,0001"},
                      FormatCase{"SmallInExponentForm", 0.00001, false, "1E-05"},
                      FormatCase{"FifteenDigitsPlain", 123456789012345.0, false, "123456789012345"},
                      FormatCase{"SixteenDigitsInExponentForm", 1234567890123456.0, false,
                                 "1,23456789012346E+15"},
                      FormatCase{"LargeExponent", 1e300, false, "1E+300"},
                      FormatCase{"TwoDigitExponentNotPadded", 1e10, true, "1E+10"}),
    test::RowName{});

struct RoundCase {
    const char *name;
    double value;
    bool single;
    double expected;
    friend void PrintTo(const RoundCase &row, std::ostream *os) { *os << row.name; }
};

class RoundTwoDecimalsTest : public ::testing::TestWithParam<RoundCase> {};

TEST_P(RoundTwoDecimalsTest, RoundsTheStoredValueTiesToEven) {
    const RoundCase &c = GetParam();
    if (c.single) {
        EXPECT_EQ(roundTwoDecimals(static_cast<float>(c.value)), static_cast<float>(c.expected));
    } else {
        EXPECT_EQ(roundTwoDecimals(c.value), c.expected);
    }
}

INSTANTIATE_TEST_SUITE_P(Values, RoundTwoDecimalsTest,
                         ::testing::Values(RoundCase{"EighthDown", 0.125, true, 0.12},
                                           RoundCase{"ThreeEighthsUp", 0.375, true, 0.38},
                                           RoundCase{"HalfwayToEven", 58.875, true, 58.88},
                                           RoundCase{"StoredBelowHalf", 2.675, true, 2.67},
                                           RoundCase{"StoredAboveHalf", 0.135, true, 0.14},
                                           RoundCase{"NegativeEighth", -0.125, true, -0.12},
                                           RoundCase{"DoubleStoredBelowHalf", 1.005, false, 1.0},
                                           RoundCase{"DoubleHalfwayToEven", 0.125, false, 0.12},
                                           RoundCase{"Whole", 7515, true, 7515},
                                           // 187875000 hundredths are more than a float holds.
                                           RoundCase{"LargeWhole", 1878750, true, 1878750}),
                         test::RowName{});

TEST(RoundTwoDecimals, TinyNegativeShowsAsZero) {
    EXPECT_EQ(formatSingle(roundTwoDecimals(-0.001f)), "0");
    EXPECT_EQ(formatDouble(roundTwoDecimals(-0.001)), "0");
}

} // namespace
} // namespace kalvora
