#include "core/material_grades.h"
#include "core/number_text.h"

#include "tests/table_rows.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace kalvora {
namespace {

TEST(AllGrades, ListsSixteenInListOrder) {
    const auto grades = allGrades();
    ASSERT_EQ(grades.size(), 16u);
    EXPECT_EQ(grades.front().name, "UNS S31803-F51-Duplex");
    EXPECT_EQ(grades[1].name, "UNS S32760-F55-Superduplex");
    EXPECT_EQ(grades[4].name, "UNS S32750-F53-Superduplex");
    EXPECT_EQ(grades[6].name, "Carbon steel");
    EXPECT_EQ(grades[7].name, "AISI 300 series");
    EXPECT_EQ(grades.back().name, "Other");
}

TEST(AllGrades, OnlyTheLastHasADensityOfTheUsersOwn) {
    std::set<std::string_view> names;
    const auto grades = allGrades();
    for (std::size_t i = 0; i < grades.size(); ++i) {
        names.insert(grades[i].name);
        EXPECT_EQ(grades[i].densityFixed, i + 1 != grades.size()) << grades[i].name;
        const auto density = parseSingle(grades[i].densityText);
        ASSERT_TRUE(density.has_value()) << grades[i].name;
        EXPECT_EQ(*density == 0.0f, !grades[i].densityFixed) << grades[i].name;
    }
    EXPECT_EQ(names.size(), grades.size()) << "names must be distinct";
}

struct GradeCase {
    const char *name;
    const char *text;
    const char *densityText; // nullptr: no grade has that name
    bool densityFixed;
    friend void PrintTo(const GradeCase &row, std::ostream *os) { *os << row.name; }
};

class GradeFromTextTest : public ::testing::TestWithParam<GradeCase> {};

TEST_P(GradeFromTextTest, MatchesTheWholeNameExactly) {
    const GradeCase &c = GetParam();
    const auto grade = gradeFromText(c.text);
    if (c.densityText == nullptr) {
        EXPECT_FALSE(grade.has_value());
        return;
    }
    ASSERT_TRUE(grade.has_value());
    EXPECT_EQ(grade->name, c.text);
    EXPECT_EQ(grade->densityText, c.densityText);
    EXPECT_EQ(grade->densityFixed, c.densityFixed);
}

INSTANTIATE_TEST_SUITE_P(
    Names, GradeFromTextTest,
    ::testing::Values(GradeCase{"CarbonSteel", "Carbon steel", "7,85", true},
                      GradeCase{"Tantalum", "Tantalum", "16,70", true},
                      GradeCase{"Other", "Other", "0,00", false},
                      GradeCase{"SingleBlankBeforeNineteen", "UNS S20910-XM 19", "7,88", true},
                      GradeCase{"Superduplex", "UNS S32750-F53-Superduplex", "7,81", true},
                      GradeCase{"LowerCase", "carbon steel", nullptr, false},
                      GradeCase{"TrailingBlank", "Carbon steel ", nullptr, false},
                      GradeCase{"LeadingBlank", " Carbon steel", nullptr, false},
                      GradeCase{"Empty", "", nullptr, false},
                      GradeCase{"Prompt", "choose grade", nullptr, false},
                      GradeCase{"TwoBlanksBeforeNineteen", "UNS S20910-XM  19", nullptr, false},
                      GradeCase{"NoBlankBeforeNineteen", "UNS S20910-XM19", nullptr, false}),
    test::RowName{});

} // namespace
} // namespace kalvora
