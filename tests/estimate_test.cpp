#include "core/estimate.h"

#include "tests/table_rows.h"

#include <gtest/gtest.h>

#include <string>

namespace kalvora {
namespace {

constexpr auto kKg = PriceBasis::PerKilogram;
constexpr auto kM = PriceBasis::PerMetre;

EstimateInput input(std::optional<ShapeKind> shape, const char *d1, const char *d2, const char *d3,
                    const char *density, const char *pieces, const char *price, PriceBasis basis) {
    return EstimateInput{shape, density, pieces, d1, d2, d3, price, basis};
}

// The largest float, and a value that rounds to zero as a float but not as a double.
constexpr const char *kLargestFloat = "340282346638528859811704183484516925440";
const std::string kBelowFloatRange = "0," + std::string(45, '0') + "1";

struct ExampleCase {
    const char *name;
    EstimateInput input;
    // The six lines; an empty text where the figure does not exist.
    const char *weightPiece, *weightAll, *weightMetre, *costPiece, *costAll, *costMetre;
    bool allPiecesShown;
    bool pricePanelShown;
    friend void PrintTo(const ExampleCase &row, std::ostream *os) { *os << row.name; }
};

class WorkedExampleTest : public ::testing::TestWithParam<ExampleCase> {};

TEST_P(WorkedExampleTest, GivesEveryLine) {
    const ExampleCase &c = GetParam();
    const EstimateResult r = computeEstimate(c.input);
    ASSERT_EQ(r.status, EstimateStatus::Ok);
    EXPECT_FALSE(r.shapeMissing);
    EXPECT_EQ(r.weightPieceLine, c.weightPiece);
    EXPECT_EQ(r.weightAllLine, c.weightAll);
    EXPECT_EQ(r.weightMetreLine, c.weightMetre);
    EXPECT_EQ(r.costPieceLine, c.costPiece);
    EXPECT_EQ(r.costAllLine, c.costAll);
    EXPECT_EQ(r.costMetreLine, c.costMetre);
    EXPECT_EQ(r.metreWeightShown, std::string(c.weightMetre) != "");
    EXPECT_EQ(r.weightMetre.has_value(), r.metreWeightShown);
    EXPECT_EQ(r.metreCostShown, std::string(c.costMetre) != "");
    EXPECT_EQ(r.costMetre.has_value(), r.metreCostShown);
    EXPECT_EQ(r.allPiecesShown, c.allPiecesShown);
    EXPECT_EQ(r.pricePanelShown, c.pricePanelShown);
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, WorkedExampleTest,
    ::testing::Values(
        ExampleCase{"RoundBarOnePiecePerKilogram",
                    input(ShapeKind::RoundBar, "100", "1000", "0,0", "7,85", "1", "2,50", kKg),
                    "1 pc: 61,66 Kg", "1 pcs: 61,66 Kg", "1 meter: 61,66 Kg", "1 pc: 154,15 €",
                    "1 pcs: 154,15 €", "1 meter 154,15 €", false, true},
        ExampleCase{"RoundBarFourPieces",
                    input(ShapeKind::RoundBar, "100", "1000", "0,0", "7,85", "4", "2,50", kKg),
                    "1 pc: 61,66 Kg", "4 pcs: 246,64 Kg", "1 meter: 61,66 Kg", "1 pc: 154,15 €",
                    "4 pcs: 616,6 €", "1 meter 154,15 €", true, true},
        ExampleCase{"RoundBarPerMetre",
                    input(ShapeKind::RoundBar, "100", "1000", "0,0", "7,85", "4", "20,00", kM),
                    "1 pc: 61,66 Kg", "4 pcs: 246,64 Kg", "1 meter: 61,66 Kg", "1 pc: 20 €",
                    "4 pcs: 80 €", "", true, true},
        ExampleCase{"Plate", input(ShapeKind::Plate, "1000", "500", "10", "7,85", "3", "1,20", kKg),
                    "1 pc: 39,25 Kg", "3 pcs: 117,75 Kg", "", "1 pc: 47,1 €", "3 pcs: 141,3 €", "",
                    true, true},
        ExampleCase{"PlateIgnoresThePriceBasis",
                    input(ShapeKind::Plate, "1000", "500", "10", "7,85", "3", "1,20", kM),
                    "1 pc: 39,25 Kg", "3 pcs: 117,75 Kg", "", "1 pc: 47,1 €", "3 pcs: 141,3 €", "",
                    true, true},
        ExampleCase{"FlatBarHalfwayCostRoundsToEven",
                    input(ShapeKind::FlatBar, "50", "6000", "10", "7,85", "2", "2,5", kKg),
                    "1 pc: 23,55 Kg", "2 pcs: 47,1 Kg", "1 meter: 3,92 Kg", "1 pc: 58,88 €",
                    "2 pcs: 117,76 €", "1 meter 9,81 €", true, true},
        ExampleCase{
            "PipeByThickness",
            input(ShapeKind::PipeByThickness, "60,3", "3,91", "6000", "7,85", "1", "1,80", kKg),
            "1 pc: 32,63 Kg", "1 pcs: 32,63 Kg", "1 meter: 5,44 Kg", "1 pc: 58,73 €",
            "1 pcs: 58,73 €", "1 meter 9,79 €", false, true},
        ExampleCase{
            "PipeByDiameters",
            input(ShapeKind::PipeByDiameters, "60,3", "52,48", "6000", "7,85", "1", "1,80", kKg),
            "1 pc: 32,63 Kg", "1 pcs: 32,63 Kg", "1 meter: 5,44 Kg", "1 pc: 58,73 €",
            "1 pcs: 58,73 €", "1 meter 9,79 €", false, true},
        ExampleCase{"Disc", input(ShapeKind::Disc, "300", "25", "0,0", "7,85", "10", "3,00", kKg),
                    "1 pc: 13,87 Kg", "10 pcs: 138,7 Kg", "", "1 pc: 41,61 €", "10 pcs: 416,1 €",
                    "", true, true},
        ExampleCase{"Ring", input(ShapeKind::Ring, "200", "100", "20", "2,70", "1", "6,00", kKg),
                    "1 pc: 1,27 Kg", "1 pcs: 1,27 Kg", "", "1 pc: 7,62 €", "1 pcs: 7,62 €", "",
                    false, true},
        ExampleCase{"LargeFiguresInExponentForm",
                    input(ShapeKind::Plate, "3000", "1500", "100", "16,70", "100", "250", kKg),
                    "1 pc: 7515 Kg", "100 pcs: 751500 Kg", "", "1 pc: 1878750 €",
                    "100 pcs: 1,87875E+08 €", "", true, true},
        ExampleCase{"ZeroPriceHidesThePricePanel",
                    input(ShapeKind::RoundBar, "100", "1000", "0,0", "7,85", "1", "0,00", kKg),
                    "1 pc: 61,66 Kg", "1 pcs: 61,66 Kg", "1 meter: 61,66 Kg", "1 pc: 0 €",
                    "1 pcs: 0 €", "1 meter 0 €", false, false},
        ExampleCase{"ZeroDimensionsWeighNothing",
                    input(ShapeKind::Plate, "0", "0,0", "0,000", "7,85", "1", "1", kKg),
                    "1 pc: 0 Kg", "1 pcs: 0 Kg", "", "1 pc: 0 €", "1 pcs: 0 €", "", false, true},
        ExampleCase{"SolidPipeOfZeroBore",
                    input(ShapeKind::PipeByThickness, "100", "50", "1000", "7,85", "1", "0", kKg),
                    "1 pc: 61,66 Kg", "1 pcs: 61,66 Kg", "1 meter: 61,66 Kg", "1 pc: 0 €",
                    "1 pcs: 0 €", "1 meter 0 €", false, false},
        // Equal diameters, the zeros a freshly chosen shape shows included, leave no area but
        // are a possible section.
        ExampleCase{"PipeByDiametersAsFreshlyChosen",
                    input(ShapeKind::PipeByDiameters, "0,0", "0,0", "0,0", "7,85", "1", "0,00", kM),
                    "1 pc: 0 Kg", "1 pcs: 0 Kg", "1 meter: 0 Kg", "1 pc: 0 €", "1 pcs: 0 €", "",
                    false, false},
        ExampleCase{"RingOfEqualDiameters",
                    input(ShapeKind::Ring, "100", "100", "10", "7,85", "1", "1", kKg), "1 pc: 0 Kg",
                    "1 pcs: 0 Kg", "", "1 pc: 0 €", "1 pcs: 0 €", "", false, true},
        // 0,0785 Kg is rounded to 0,08 before it is spread over 0,1 m, and the cost of that
        // metre takes the quotient with all its double digits.
        ExampleCase{"FlatBarMetreFromTheRoundedPiece",
                    input(ShapeKind::FlatBar, "20", "100", "5", "7,85", "1", "1000000", kKg),
                    "1 pc: 0,08 Kg", "1 pcs: 0,08 Kg", "1 meter: 0,8 Kg", "1 pc: 80000 €",
                    "1 pcs: 80000 €", "1 meter 799999,98 €", false, true},
        ExampleCase{"FlatBarPerMetre",
                    input(ShapeKind::FlatBar, "50", "6000", "10", "7,85", "2", "2,5", kM),
                    "1 pc: 23,55 Kg", "2 pcs: 47,1 Kg", "1 meter: 3,92 Kg", "1 pc: 15 €",
                    "2 pcs: 30 €", "", true, true},
        ExampleCase{
            "PipeByDiametersPerMetre",
            input(ShapeKind::PipeByDiameters, "60,3", "52,48", "6000", "7,85", "1", "1,80", kM),
            "1 pc: 32,63 Kg", "1 pcs: 32,63 Kg", "1 meter: 5,44 Kg", "1 pc: 10,8 €",
            "1 pcs: 10,8 €", "", false, true},
        ExampleCase{"RoundBarOfZeroLength",
                    input(ShapeKind::RoundBar, "100", "0", "0,0", "7,85", "1", "2,50", kKg),
                    "1 pc: 0 Kg", "1 pcs: 0 Kg", "1 meter: 61,66 Kg", "1 pc: 0 €", "1 pcs: 0 €",
                    "1 meter 154,15 €", false, true},
        ExampleCase{"FractionOfAPiece",
                    input(ShapeKind::RoundBar, "100", "1000", "0,0", "7,85", "0,5", "2,50", kKg),
                    "1 pc: 61,66 Kg", "0,5 pcs: 30,83 Kg", "1 meter: 61,66 Kg", "1 pc: 154,15 €",
                    "0,5 pcs: 77,07 €", "1 meter 154,15 €", true, true},
        ExampleCase{"PiecesWorthZeroCountAsOne",
                    input(ShapeKind::Disc, "300", "25", "0,0", "7,85", "0", "3,00", kKg),
                    "1 pc: 13,87 Kg", "1 pcs: 13,87 Kg", "", "1 pc: 41,61 €", "1 pcs: 41,61 €", "",
                    false, true},
        ExampleCase{"LargestFloatCost",
                    input(ShapeKind::Plate, "100", "100", "100", "1", "1", kLargestFloat, kKg),
                    "1 pc: 1 Kg", "1 pcs: 1 Kg", "", "1 pc: 3,402823E+38 €",
                    "1 pcs: 3,402823E+38 €", "", false, true},
        ExampleCase{"PriceBelowFloatRangeShowsThePricePanel",
                    input(ShapeKind::Plate, "1000", "500", "10", "7,85", "3",
                          kBelowFloatRange.c_str(), kKg),
                    "1 pc: 39,25 Kg", "3 pcs: 117,75 Kg", "", "1 pc: 0 €", "3 pcs: 0 €", "", true,
                    true},
        // 0,5 x 1,25 = 0,625 exactly, half-way between 0,62 and 0,63.
        ExampleCase{"MetreCostHalfwayRoundsToEven",
                    input(ShapeKind::RoundBar, "200", "1000", "0,0", "0,0398", "1", "0,5", kKg),
                    "1 pc: 1,25 Kg", "1 pcs: 1,25 Kg", "1 meter: 1,25 Kg", "1 pc: 0,62 €",
                    "1 pcs: 0,62 €", "1 meter 0,62 €", false, true},
        // The weight is 11,71499991 as a double and 11,71500015 as a float.
        ExampleCase{"PieceWeightMadeAFloatBeforeRounding",
                    input(ShapeKind::Plate, "10", "3000", "50", "7,81", "1", "1", kKg),
                    "1 pc: 11,72 Kg", "1 pcs: 11,72 Kg", "", "1 pc: 11,72 €", "1 pcs: 11,72 €", "",
                    false, true},
        // The metre weighs 3196,54504 as a double and 3196,54492 as a float.
        ExampleCase{"MetreWeightMadeAFloatBeforeRounding",
                    input(ShapeKind::RoundBar, "720", "100", "0,0", "7,85", "1", "1", kKg),
                    "1 pc: 319,65 Kg", "1 pcs: 319,65 Kg", "1 meter: 3196,54 Kg", "1 pc: 319,65 €",
                    "1 pcs: 319,65 €", "1 meter 3196,54 €", false, true},
        // As a float the price would be 7000000,5.
        ExampleCase{
            "PriceKeepsDoublePrecision",
            input(ShapeKind::RoundBar, "200", "1000", "0,0", "0,0398", "1", "7000000,35", kKg),
            "1 pc: 1,25 Kg", "1 pcs: 1,25 Kg", "1 meter: 1,25 Kg", "1 pc: 8750000 €",
            "1 pcs: 8750000 €", "1 meter 8750000,44 €", false, true}),
    test::RowName{});

TEST(ComputeEstimate, RoundSectionsUseTheCircleConstantAsAFloat) {
    // 3.142 held as a double would give 5230,5 Kg here.
    const auto r =
        computeEstimate(input(ShapeKind::RoundBar, "376", "6000", "", "7,85", "1", "0", kKg));
    EXPECT_EQ(r.weightPieceLine, "1 pc: 5230,49 Kg");
}

TEST(ComputeEstimate, PiecesWorthZeroBecomeOne) {
    for (const char *pieces : {"0", "0000", "0,0"}) {
        const auto r =
            computeEstimate(input(ShapeKind::Disc, "300", "25", "", "7,85", pieces, "3", kKg));
        ASSERT_EQ(r.status, EstimateStatus::Ok) << pieces;
        EXPECT_TRUE(r.piecesReset) << pieces;
        EXPECT_EQ(r.pieces, 1.0f) << pieces;
        EXPECT_FALSE(r.allPiecesShown) << pieces;
        EXPECT_EQ(r.weightAllLine, "1 pcs: 13,87 Kg") << pieces;
    }
}

TEST(ComputeEstimate, ZeroDensityIsAMissingGradeWithZeroWeights) {
    const auto r =
        computeEstimate(input(ShapeKind::RoundBar, "100", "1000", "", "0,0", "2", "2,5", kKg));
    ASSERT_EQ(r.status, EstimateStatus::Ok);
    EXPECT_TRUE(r.gradeMissing);
    EXPECT_EQ(r.weightPieceLine, "1 pc: 0 Kg");
    EXPECT_EQ(r.weightAllLine, "2 pcs: 0 Kg");
    EXPECT_EQ(r.weightMetreLine, "1 meter: 0 Kg");
    EXPECT_EQ(r.costPieceLine, "1 pc: 0 €");
}

TEST(ComputeEstimate, DensityBelowFloatRangeIsNotAMissingGrade) {
    const auto r = computeEstimate(
        input(ShapeKind::Plate, "1", "1", "1", kBelowFloatRange.c_str(), "1", "1", kKg));
    EXPECT_FALSE(r.gradeMissing);
}

TEST(ComputeEstimate, MissingShapeStillReportsTheFlagsButNoFigures) {
    // Before a shape is chosen the dimension rows are hidden; their texts are not read.
    const auto r = computeEstimate(input(std::nullopt, "", "x", "", "0,0", "0", "0,00", kKg));
    ASSERT_EQ(r.status, EstimateStatus::Ok);
    EXPECT_TRUE(r.shapeMissing);
    EXPECT_TRUE(r.gradeMissing);
    EXPECT_TRUE(r.piecesReset);
    EXPECT_FALSE(r.pricePanelShown);
    EXPECT_FALSE(r.allPiecesShown);
    EXPECT_EQ(r.weightPieceLine, "");
    EXPECT_EQ(r.costPieceLine, "");
    EXPECT_FALSE(r.metreWeightShown);
}

TEST(ComputeEstimate, UnusedThirdDimensionIsNotRead) {
    const auto r =
        computeEstimate(input(ShapeKind::RoundBar, "100", "1000", ",,", "7,85", "1", "1", kKg));
    EXPECT_EQ(r.status, EstimateStatus::Ok);
}

struct FaultCase {
    const char *name;
    EstimateInput input;
    EstimateStatus status;
    InputField field;
    friend void PrintTo(const FaultCase &row, std::ostream *os) { *os << row.name; }
};

class FaultyInputTest : public ::testing::TestWithParam<FaultCase> {};

TEST_P(FaultyInputTest, NamesTheFirstFaultyFieldAndShowsNoFigure) {
    const FaultCase &c = GetParam();
    const EstimateResult r = computeEstimate(c.input);
    EXPECT_EQ(r.status, c.status);
    EXPECT_EQ(r.faultyField, c.field);
    EXPECT_EQ(r.weightPieceLine, "");
    EXPECT_EQ(r.costPieceLine, "");
    EXPECT_FALSE(r.metreWeightShown);
}

const std::string kFortyDigits(40, '9');
const std::string kFourHundredDigits(400, '9');
const std::string kTenToTheThirty = "1" + std::string(30, '0');

INSTANTIATE_TEST_SUITE_P(
    Inputs, FaultyInputTest,
    ::testing::Values(
        FaultCase{"EmptyDensity", input(ShapeKind::Plate, "1", "1", "1", "", "1", "1", kKg),
                  EstimateStatus::NotANumber, InputField::Density},
        FaultCase{"LoneCommaDimension1",
                  input(ShapeKind::Plate, ",", "1", "1", "7,85", "1", "1", kKg),
                  EstimateStatus::NotANumber, InputField::Dimension1},
        FaultCase{"TwoCommasDimension2",
                  input(ShapeKind::Plate, "1", "1,2,", "1", "7,85", "1", "1", kKg),
                  EstimateStatus::NotANumber, InputField::Dimension2},
        FaultCase{"LettersDimension3",
                  input(ShapeKind::Ring, "9", "1", "abc", "7,85", "1", "1", kKg),
                  EstimateStatus::NotANumber, InputField::Dimension3},
        FaultCase{"EmptyPieces", input(ShapeKind::Disc, "1", "1", "", "7,85", "", "1", kKg),
                  EstimateStatus::NotANumber, InputField::Pieces},
        FaultCase{"EmptyPrice", input(ShapeKind::Disc, "1", "1", "", "7,85", "1", "", kKg),
                  EstimateStatus::NotANumber, InputField::Price},
        FaultCase{"TopmostOfSeveral", input(ShapeKind::Plate, "1", ",", "1", "7,85", "x", "", kKg),
                  EstimateStatus::NotANumber, InputField::Dimension2},
        FaultCase{"DensityBeforeDimensions",
                  input(ShapeKind::Plate, ",", "1", "1", ",", "1", "1", kKg),
                  EstimateStatus::NotANumber, InputField::Density},
        FaultCase{"FlatBarOfZeroLength",
                  input(ShapeKind::FlatBar, "50", "0,0", "10", "7,85", "1", "1", kKg),
                  EstimateStatus::ZeroLength, InputField::Dimension2},
        FaultCase{"PipeBoreWiderThanPipe",
                  input(ShapeKind::PipeByDiameters, "50", "60", "1000", "7,85", "1", "1", kKg),
                  EstimateStatus::InternalDiameterTooLarge, InputField::Dimension2},
        FaultCase{"RingHoleWiderThanRing",
                  input(ShapeKind::Ring, "100", "100,5", "10", "7,85", "1", "1", kKg),
                  EstimateStatus::InternalDiameterTooLarge, InputField::Dimension2},
        FaultCase{"PipeWallThickerThanHalf",
                  input(ShapeKind::PipeByThickness, "60,3", "30,2", "1000", "7,85", "1", "1", kKg),
                  EstimateStatus::WallTooThick, InputField::Dimension2},
        FaultCase{"GeometryBeforeLowerFields",
                  input(ShapeKind::Ring, "10", "20", ",", "7,85", "1", "1", kKg),
                  EstimateStatus::InternalDiameterTooLarge, InputField::Dimension2},
        FaultCase{"DimensionBeyondFloatRange",
                  input(ShapeKind::Plate, kFortyDigits.c_str(), "1", "1", "7,85", "1", "1", kKg),
                  EstimateStatus::TooLarge, InputField::Dimension1},
        FaultCase{
            "PriceBeyondDoubleRange",
            input(ShapeKind::Plate, "1", "1", "1", "7,85", "1", kFourHundredDigits.c_str(), kKg),
            EstimateStatus::TooLarge, InputField::Price},
        FaultCase{"AllPiecesCostBeyondFloatRange",
                  input(ShapeKind::Plate, "999999999", "999999999", "999999999", "99999",
                        "99999999", "99999999", kKg),
                  EstimateStatus::TooLarge, InputField::Pieces},
        FaultCase{"PieceCostBeyondFloatRange",
                  input(ShapeKind::Plate, "999999999", "999999999", "999999999", "99999", "1",
                        kFortyDigits.c_str(), kKg),
                  EstimateStatus::TooLarge, InputField::Price},
        FaultCase{"MetreCostBeyondDoubleRange",
                  input(ShapeKind::RoundBar, "999999999", "1", "", "99999", "1",
                        ("1" + std::string(300, '0')).c_str(), kKg),
                  EstimateStatus::TooLarge, InputField::Price},
        FaultCase{"DensityBeyondFloatRange",
                  input(ShapeKind::Plate, "1", "1", "1", kFortyDigits.c_str(), "1", "1", kKg),
                  EstimateStatus::TooLarge, InputField::Density},
        FaultCase{"PieceWeightBeyondFloatRange",
                  input(ShapeKind::Plate, kTenToTheThirty.c_str(), kTenToTheThirty.c_str(),
                        kTenToTheThirty.c_str(), "7,85", "1", "1", kKg),
                  EstimateStatus::TooLarge, InputField::Dimension1},
        // A bar one micrometre long weighs a millionth of its metre.
        FaultCase{"MetreWeightBeyondFloatRange",
                  input(ShapeKind::RoundBar, ("1" + std::string(21, '0')).c_str(), "0,001", "",
                        "7,85", "1", "1", kKg),
                  EstimateStatus::TooLarge, InputField::Dimension1},
        FaultCase{"AllPiecesWeightBeyondFloatRange",
                  input(ShapeKind::Plate, ("1" + std::string(14, '0')).c_str(),
                        ("1" + std::string(14, '0')).c_str(), ("1" + std::string(16, '0')).c_str(),
                        "1", "10", "0", kKg),
                  EstimateStatus::TooLarge, InputField::Pieces},
        // A bar of no length costs nothing, but its metre still has a price.
        FaultCase{"MetreCostAloneBeyondDoubleRange",
                  input(ShapeKind::RoundBar, "100", "0", "", "7,85", "1",
                        ("1" + std::string(308, '0')).c_str(), kKg),
                  EstimateStatus::TooLarge, InputField::Price},
        FaultCase{"PriceBeyondDoubleRangeWithoutShape",
                  input(std::nullopt, "", "", "", "7,85", "1", kFourHundredDigits.c_str(), kKg),
                  EstimateStatus::TooLarge, InputField::Price}),
    test::RowName{});

} // namespace
} // namespace kalvora
