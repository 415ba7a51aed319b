#include "tests/window_fixture.h"

#include <QLineEdit>
#include <QTest>

namespace kalvora::test {
namespace {

using Calculate = WindowTest;

TEST_F(Calculate, FirstPressWithNothingChosenWarnsGradeThenShape) {
    click("Command1");
    ASSERT_EQ(desktop.warnings.size(), 2u);
    EXPECT_EQ(desktop.warnings[0].title.toStdString(), "Grade not set");
    EXPECT_EQ(desktop.warnings[0].prompt.toStdString(), "Choose grade");
    EXPECT_EQ(desktop.warnings[1].title.toStdString(), "Shape not set");
    EXPECT_EQ(desktop.warnings[1].prompt.toStdString(), "Choose shape");
    EXPECT_TRUE(shown("Frame4"));
    EXPECT_FALSE(shown("Frame5"));
    EXPECT_FALSE(shown("Label20"));
    EXPECT_FALSE(shown("Label23"));
    EXPECT_EQ(caption("Label19"), "peso 1 pezzo");
    EXPECT_EQ(caption("Label21"), "peso 1 metro");
    EXPECT_EQ(focused(), "Combo1");
}

TEST_F(Calculate, RoundBarPerKilogramShowsAllSixLines) {
    showEstimate();
    EXPECT_EQ(caption("Label19"), "1 pc: 61,66 Kg");
    EXPECT_EQ(caption("Label20"), "4 pcs: 246,64 Kg");
    EXPECT_EQ(caption("Label21"), "1 meter: 61,66 Kg");
    EXPECT_EQ(caption("Label22"), "1 pc: 154,15 €");
    EXPECT_EQ(caption("Label23"), "4 pcs: 616,6 €");
    EXPECT_EQ(caption("Label24"), "1 meter 154,15 €");
    for (const char *label : {"Label19", "Label20", "Label21", "Label22", "Label23", "Label24"})
        EXPECT_TRUE(shown(label)) << label;
    EXPECT_TRUE(desktop.warnings.empty());
    EXPECT_EQ(focused(), "Combo1");
}

TEST_F(Calculate, EnterOnTheFocusedButtonPressesIt) {
    showEstimate();
    type("Text5", QStringLiteral("2"));
    ASSERT_FALSE(shown("Frame4"));
    control("Command1")->setFocus();
    QTest::keyClick(control("Command1"), Qt::Key_Return);
    EXPECT_TRUE(shown("Frame4"));
    EXPECT_EQ(caption("Label20"), "2 pcs: 123,32 Kg");
}

TEST_F(Calculate, RoundBarPerMetreHidesTheMetreCost) {
    showEstimate();
    click("Option2");
    type("Text6", QStringLiteral("20,00"));
    click("Command1");
    EXPECT_EQ(caption("Label22"), "1 pc: 20 €");
    EXPECT_EQ(caption("Label23"), "4 pcs: 80 €");
    EXPECT_TRUE(shown("Label21"));
    EXPECT_FALSE(shown("Label24"));
}

TEST_F(Calculate, FlatBarAfterPlateShowsTheMetreWeightAgain) {
    choose("Combo1", QStringLiteral("Carbon steel"));
    choose("Combo2", QStringLiteral("Plate"));
    type("Text2", QStringLiteral("1000"));
    type("Text3", QStringLiteral("500"));
    type("Text4", QStringLiteral("10"));
    type("Text5", QStringLiteral("3"));
    type("Text6", QStringLiteral("1.20"));
    click("Command1");
    EXPECT_EQ(caption("Label19"), "1 pc: 39,25 Kg");
    EXPECT_EQ(caption("Label23"), "3 pcs: 141,3 €");
    EXPECT_FALSE(shown("Label21"));
    EXPECT_FALSE(shown("Label24"));

    choose("Combo2", QStringLiteral("Flat bar"));
    type("Text2", QStringLiteral("50"));
    type("Text3", QStringLiteral("6000"));
    type("Text4", QStringLiteral("10"));
    type("Text5", QStringLiteral("2"));
    type("Text6", QStringLiteral("2,5"));
    click("Command1");
    EXPECT_EQ(caption("Label19"), "1 pc: 23,55 Kg");
    EXPECT_EQ(caption("Label21"), "1 meter: 3,92 Kg");
    EXPECT_EQ(caption("Label24"), "1 meter 9,81 €");
    EXPECT_TRUE(shown("Label21"));
    EXPECT_TRUE(shown("Label24"));
}

TEST_F(Calculate, PiecesWorthZeroBecomeOne) {
    showEstimate();
    type("Text5", QStringLiteral("0"));
    click("Command1");
    EXPECT_EQ(text("Text5"), "1");
    EXPECT_FALSE(shown("Label20"));
    EXPECT_FALSE(shown("Label23"));
    EXPECT_EQ(caption("Label20"), "1 pcs: 61,66 Kg");
}

TEST_F(Calculate, ZeroPriceShowsOnlyTheWeights) {
    showEstimate();
    type("Text6", QStringLiteral("0,00"));
    click("Command1");
    EXPECT_TRUE(shown("Frame4"));
    EXPECT_FALSE(shown("Frame5"));
    EXPECT_EQ(caption("Label22"), "1 pc: 0 €");
}

TEST_F(Calculate, OtherGradeWithoutDensityWarnsAndWeighsNothing) {
    choose("Combo1", QStringLiteral("Other"));
    choose("Combo2", QStringLiteral("Disc"));
    type("Text2", QStringLiteral("300"));
    type("Text3", QStringLiteral("25"));
    click("Command1");
    ASSERT_EQ(desktop.warnings.size(), 1u);
    EXPECT_EQ(desktop.warnings[0].prompt.toStdString(), "Choose grade");
    EXPECT_EQ(caption("Label19"), "1 pc: 0 Kg");

    control<QLineEdit>("Text1")->selectAll();
    QTest::keyClicks(control("Text1"), QStringLiteral("7.85"));
    click("Command1");
    EXPECT_EQ(desktop.warnings.size(), 1u);
    EXPECT_EQ(caption("Label19"), "1 pc: 13,87 Kg");
}

struct FaultyInputCase {
    const char *name;
    const char *shape;
    const char *field;
    const char *text;
    const char *title;
    const char *prompt; // names the field as the window captions it
    friend void PrintTo(const FaultyInputCase &row, std::ostream *os) { *os << row.name; }
};

class FaultyInput : public WindowTest, public ::testing::WithParamInterface<FaultyInputCase> {};

// The calculator names the wrong field, shows no figure and leaves the user in that field.
TEST_P(FaultyInput, WarnsOnceNamingTheFieldAndShowsNoFigure) {
    const FaultyInputCase &c = GetParam();
    showEstimate();
    choose("Combo2", QString::fromLatin1(c.shape));
    type("Text2", QStringLiteral("100"));
    type("Text3", QStringLiteral("50"));
    type("Text4", QStringLiteral("1000"));
    auto *field = control<QLineEdit>(c.field);
    field->setText(QString::fromLatin1(c.text)); // however such a text got there
    click("Command1");
    ASSERT_EQ(desktop.warnings.size(), 1u);
    EXPECT_EQ(desktop.warnings[0].title.toStdString(), c.title);
    EXPECT_EQ(desktop.warnings[0].prompt.toStdString(), c.prompt);
    EXPECT_FALSE(shown("Frame4"));
    EXPECT_FALSE(shown("Frame5"));
    EXPECT_EQ(focused(), c.field);
    QCoreApplication::processEvents();
    EXPECT_EQ(field->selectedText(), field->text());
    EXPECT_EQ(text(c.field), c.text); // nothing the user typed is thrown away
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, FaultyInput,
    ::testing::Values(FaultyInputCase{"DensityLoneComma", "Plate", "Text1", ",", "Not a number",
                                      "Type a number in \"density\""},
                      FaultyInputCase{"EmptyDimension", "Plate", "Text2", "", "Not a number",
                                      "Type a number in \"Lenght\""},
                      FaultyInputCase{"LoneComma", "Plate", "Text3", ",", "Not a number",
                                      "Type a number in \"Widht\""},
                      FaultyInputCase{"TwoCommas", "Plate", "Text4", "1,2,3", "Not a number",
                                      "Type a number in \"Thickness\""},
                      FaultyInputCase{"EmptyPieces", "Disc", "Text5", "", "Not a number",
                                      "Type a whole number in \"pcs\""},
                      FaultyInputCase{"Letters", "Disc", "Text6", "abc", "Not a number",
                                      "Type a number in \"price\""},
                      FaultyInputCase{"FlatBarWithoutLength", "Flat bar", "Text3", "0,0",
                                      "Length not set", "\"Lenght\" must not be zero"},
                      FaultyInputCase{"RingHoleTooWide", "Ring", "Text3", "150",
                                      "Section not possible",
                                      "\"Int. diameter\" > \"Ext. diameter\""},
                      FaultyInputCase{"PipeWallTooThick", "Pipe thk.", "Text3", "60",
                                      "Section not possible",
                                      "2 \u00d7 \"Thickness\" > \"Ext. diameter\""}),
    RowName{});

TEST_F(Calculate, FigureBeyondTheFloatRangeNamesTheField) {
    showEstimate();
    choose("Combo1", QStringLiteral("Other"));
    type("Text1", QStringLiteral("99999"));
    choose("Combo2", QStringLiteral("Plate"));
    for (const char *field : {"Text2", "Text3", "Text4"})
        type(field, QStringLiteral("999999999"));
    type("Text5", QStringLiteral("99999999"));
    type("Text6", QStringLiteral("99999999"));
    click("Command1");
    ASSERT_EQ(desktop.warnings.size(), 1u);
    EXPECT_EQ(desktop.warnings[0].title.toStdString(), "Value too large");
    EXPECT_EQ(desktop.warnings[0].prompt.toStdString(), "Make \"pcs\" smaller");
    EXPECT_FALSE(shown("Frame4"));
    EXPECT_EQ(focused(), "Text5");
}

// Typing a price hides only the price panel; the weights still showing go when the price is
// refused.
TEST_F(Calculate, FaultyPriceHidesTheWeightsLeftShowing) {
    showEstimate();
    type("Text6", QStringLiteral(","));
    ASSERT_TRUE(shown("Frame4"));
    click("Command1");
    EXPECT_FALSE(shown("Frame4"));
}

TEST_F(Calculate, SeveralFaultyFieldsNameTheTopmost) {
    showEstimate();
    control<QLineEdit>("Text6")->setText(QStringLiteral(","));
    control<QLineEdit>("Text3")->setText(QStringLiteral(",,"));
    click("Command1");
    ASSERT_EQ(desktop.warnings.size(), 1u);
    EXPECT_EQ(desktop.warnings[0].prompt.toStdString(), "Type a number in \"Lenght\"");
    EXPECT_EQ(focused(), "Text3");
}

} // namespace
} // namespace kalvora::test
