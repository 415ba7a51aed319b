#include "core/shapes.h"

#include "tests/table_rows.h"

#include <gtest/gtest.h>

#include <string>

namespace kalvora {
namespace {

TEST(AllShapes, ListsSevenInListOrder) {
    const auto shapes = allShapes();
    ASSERT_EQ(shapes.size(), 7u);
    const char *names[] = {"Plate",     "Round bar", "Flat bar", "Pipe thk.",
                           "Pipe dia.", "Disc",      "Ring"};
    for (std::size_t i = 0; i < shapes.size(); ++i)
        EXPECT_EQ(shapeDisplayName(shapes[i]), names[i]);
}

struct LookupCase {
    const char *name;
    const char *text;
    std::optional<ShapeKind> expected;
    friend void PrintTo(const LookupCase &row, std::ostream *os) { *os << row.name; }
};

class ShapeFromTextTest : public ::testing::TestWithParam<LookupCase> {};

TEST_P(ShapeFromTextTest, MatchesTheWholeDisplayNameExactly) {
    EXPECT_EQ(shapeFromText(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Names, ShapeFromTextTest,
    ::testing::Values(LookupCase{"Plate", "Plate", ShapeKind::Plate},
                      LookupCase{"PipeDia", "Pipe dia.", ShapeKind::PipeByDiameters},
                      LookupCase{"PipeThk", "Pipe thk.", ShapeKind::PipeByThickness},
                      LookupCase{"Ring", "Ring", ShapeKind::Ring},
                      LookupCase{"Empty", "", std::nullopt},
                      LookupCase{"LowerCase", "round bar", std::nullopt},
                      LookupCase{"NoFullStop", "Pipe thk", std::nullopt},
                      LookupCase{"BlankBefore", " Disc", std::nullopt},
                      LookupCase{"BlankAfter", "Disc ", std::nullopt},
                      LookupCase{"TwoBlanks", "Round  bar", std::nullopt}),
    test::RowName{});

struct LayoutCase {
    const char *name;
    ShapeKind shape;
    const char *captions[3];
    bool row3Visible;
    bool perMetreEnabled;
    PriceBasis selectedBasis;
    friend void PrintTo(const LayoutCase &row, std::ostream *os) { *os << row.name; }
};

class ShapeLayoutTest : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(ShapeLayoutTest, CaptionsRowsAndPriceOptions) {
    const LayoutCase &c = GetParam();
    const ShapeLayout &layout = shapeLayout(c.shape);
    for (int row = 0; row < 3; ++row)
        EXPECT_EQ(layout.rows[static_cast<std::size_t>(row)].caption, c.captions[row])
            << "row " << row + 1;
    EXPECT_TRUE(layout.rows[0].visible);
    EXPECT_TRUE(layout.rows[1].visible);
    EXPECT_EQ(layout.rows[2].visible, c.row3Visible);
    EXPECT_EQ(layout.perMetreEnabled, c.perMetreEnabled);
    EXPECT_EQ(layout.selectedBasis, c.selectedBasis);
    EXPECT_EQ(hasWeightPerMetre(c.shape), c.perMetreEnabled);
    EXPECT_EQ(dimensionCount(c.shape), c.row3Visible ? 3 : 2);
}

constexpr auto kKg = PriceBasis::PerKilogram;
constexpr auto kM = PriceBasis::PerMetre;

INSTANTIATE_TEST_SUITE_P(
    Shapes, ShapeLayoutTest,
    ::testing::Values(
        LayoutCase{
            "Plate", ShapeKind::Plate, {"Lenght:", "Widht:", "Thickness:"}, true, false, kKg},
        LayoutCase{"RoundBar",
                   ShapeKind::RoundBar,
                   {"Diameter:", "Lenght:", "non usata"},
                   false,
                   true,
                   kKg},
        LayoutCase{
            "FlatBar", ShapeKind::FlatBar, {"Widht:", "Lenght:", "Thickness:"}, true, true, kKg},
        LayoutCase{"PipeThk",
                   ShapeKind::PipeByThickness,
                   {"Ext. diameter:", "Thickness:", "Lenght:"},
                   true,
                   true,
                   kM},
        LayoutCase{"PipeDia",
                   ShapeKind::PipeByDiameters,
                   {"Ext. diameter:", "Int. diameter:", "Lenght:"},
                   true,
                   true,
                   kM},
        LayoutCase{
            "Disc", ShapeKind::Disc, {"Diameter:", "Thickness", "non usata"}, false, false, kKg},
        LayoutCase{"Ring",
                   ShapeKind::Ring,
                   {"Ext. diameter:", "Int. diameter:", "Thickness:"},
                   true,
                   false,
                   kKg}),
    test::RowName{});

TEST(ShapeCatalogue, ResetTextIsZero) { EXPECT_EQ(kDimensionResetText, "0,0"); }

} // namespace
} // namespace kalvora
