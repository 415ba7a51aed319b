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
    const char *names[] = {"UNS S31803-F51-Duplex",
                           "UNS S32760-F55-Superduplex",
                           "UNS S31254-F44-254 SMO",
                           "UNS N08904-904L",
                           "UNS S32750-F53-Superduplex",
                           "UNS S20910-XM 19",
                           "Carbon steel",
                           "AISI 300 series",
                           "Aluminium",
                           "Nickel 200/201",
                           "Nickel alloy C276/C22",
                           "Nickel alloy 600/625",
                           "Nickel alloy 825",
                           "Tantalum",
                           "Titanium",
                           "Other"};
    for (std::size_t i = 0; i < grades.size(); ++i)
        EXPECT_EQ(grades[i].name, names[i]) << "position " << i + 1;
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
                      GradeCase{"Duplex", "UNS S31803-F51-Duplex", "7,81", true},
                      GradeCase{"SuperduplexF55", "UNS S32760-F55-Superduplex", "7,81", true},
                      GradeCase{"Smo254", "UNS S31254-F44-254 SMO", "8,00", true},
                      GradeCase{"Alloy904L", "UNS N08904-904L", "8,00", true},
                      GradeCase{"Aisi300", "AISI 300 series", "8,00", true},
                      GradeCase{"Aluminium", "Aluminium", "2,70", true},
                      GradeCase{"Nickel200", "Nickel 200/201", "8,89", true},
                      GradeCase{"NickelAlloyC276", "Nickel alloy C276/C22", "8,89", true},
                      GradeCase{"NickelAlloy600", "Nickel alloy 600/625", "8,44", true},
                      GradeCase{"NickelAlloy825", "Nickel alloy 825", "8,18", true},
                      GradeCase{"Titanium", "Titanium", "4,51", true},
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
