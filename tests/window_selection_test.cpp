#include "tests/window_fixture.h"

#include "core/shapes.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

#include <utility>

namespace kalvora::test {
namespace {

struct GradeCase {
    const char *name;
    const char *grade;
    const char *density;
    bool fixed;
    friend void PrintTo(const GradeCase &row, std::ostream *os) { *os << row.name; }
};

// On a desktop whose buttons are drawn in another shade than the window and its frames, as
// some palettes have it, the density still has to read as part of its frame.
class OddButtonShade : public WindowTest {
protected:
    void SetUp() override {
        QPalette odd = saved_;
        odd.setColor(QPalette::Button, saved_.color(QPalette::Window).darker(125));
        QApplication::setPalette(odd);
        WindowTest::SetUp();
    }
    void TearDown() override {
        window.reset();
        QApplication::setPalette(saved_);
    }

    // The density field's painted background, and the frame's just beside it.
    std::pair<QColor, QColor> densityAndFrame() {
        const QWidget *density = control("Text1");
        const int middle = density->height() / 2;
        return {painted("Text1", QPoint(density->width() - 3, middle)),
                painted("Text1", QPoint(-4, middle))};
    }

private:
    const QPalette saved_ = QApplication::palette();
};

class GradeChoice : public OddButtonShade, public ::testing::WithParamInterface<GradeCase> {};

TEST_P(GradeChoice, WritesTheDensityAndTheFieldsLook) {
    showEstimate();
    choose("Combo1", QString::fromLatin1(GetParam().grade));
    auto *density = control<QLineEdit>("Text1");
    EXPECT_EQ(text("Text1"), GetParam().density);
    EXPECT_EQ(density->isReadOnly(), GetParam().fixed);
    EXPECT_EQ(density->hasFrame(), !GetParam().fixed);
    // A fixed density is drawn on the frame's own fill, "Other" on the input background.
    const auto [field, frame] = densityAndFrame();
    EXPECT_EQ(field,
              GetParam().fixed ? frame : QApplication::palette(density).color(QPalette::Base));
    EXPECT_FALSE(shown("Frame4"));
    EXPECT_FALSE(shown("Frame5"));
}

INSTANTIATE_TEST_SUITE_P(Grades, GradeChoice,
                         ::testing::Values(GradeCase{"CarbonSteel", "Carbon steel", "7,85", true},
                                           GradeCase{"Tantalum", "Tantalum", "16,70", true},
                                           GradeCase{"Other", "Other", "0,00", false}),
                         RowName{});

using Selection = WindowTest;

TEST_F(Selection, ChoosingAgainResetsWhatTheUserTyped) {
    choose("Combo1", QStringLiteral("Other"));
    type("Text1", QStringLiteral("4,4"));
    choose("Combo1", QStringLiteral("Aluminium"));
    EXPECT_EQ(text("Text1"), "2,70");
    EXPECT_TRUE(control<QLineEdit>("Text1")->isReadOnly());
    choose("Combo1", QStringLiteral("Other"));
    type("Text1", QStringLiteral("4,4"));
    EXPECT_EQ(text("Text1"), "4,4");
    chooseInOpenList("Combo1", QStringLiteral("Other"));
    EXPECT_EQ(text("Text1"), "0,00");
}

TEST_F(Selection, SameDensityStillHidesTheResults) {
    showEstimate();
    choose("Combo1", QStringLiteral("UNS S31803-F51-Duplex"));
    click("Command1");
    ASSERT_TRUE(shown("Frame4") && shown("Frame5"));
    // Straight from the open list: the arrow keys would choose every grade on the way.
    chooseInOpenList("Combo1", QStringLiteral("UNS S32750-F53-Superduplex"));
    ASSERT_EQ(text("Text1"), "7,81"); // the same density as before
    EXPECT_FALSE(shown("Frame4"));
    EXPECT_FALSE(shown("Frame5"));
}

using DensityLook = OddButtonShade;

TEST_F(DensityLook, BeforeAnyChoiceItStandsOnTheFramesFill) {
    const auto [field, frame] = densityAndFrame();
    EXPECT_EQ(field, frame);
}

TEST_F(Selection, ArrowKeysOnTheClosedBoxChooseToo) {
    auto *grades = control<QComboBox>("Combo1");
    QTest::keyClick(grades, Qt::Key_Down);
    EXPECT_EQ(grades->currentText().toStdString(), "UNS S31803-F51-Duplex");
    EXPECT_EQ(text("Text1"), "7,81");
    choose("Combo1", QStringLiteral("Other"));
    QTest::keyClick(grades, Qt::Key_Up);
    EXPECT_EQ(text("Text1"), "4,51");
    auto *shapes = control<QComboBox>("Combo2");
    QTest::keyClick(shapes, Qt::Key_Down);
    EXPECT_EQ(shapes->currentText().toStdString(), "Plate");
    EXPECT_TRUE(shown("Text4"));
}

class ShapeChoice : public WindowTest, public ::testing::WithParamInterface<ShapeKind> {};

TEST_P(ShapeChoice, AppliesTheShapesLayout) {
    const ShapeLayout &layout = shapeLayout(GetParam());
    showEstimate();
    type("Text2", QStringLiteral("12"));
    click("Option1");
    click("Command1"); // the results of these inputs on screen
    ASSERT_TRUE(shown("Frame4") && shown("Frame5"));
    choose("Combo2", QString::fromUtf8(shapeDisplayName(GetParam()).data()));
    const char *rows[3][3] = {{"Label5", "Text2", "Label11"},
                              {"Label9", "Text3", "Label12"},
                              {"Label10", "Text4", "Label13"}};
    for (std::size_t row = 0; row < 3; ++row) {
        SCOPED_TRACE(row + 1);
        EXPECT_EQ(caption(rows[row][0]), layout.rows[row].caption);
        for (const char *name : rows[row])
            EXPECT_EQ(shown(name), layout.rows[row].visible) << name;
        EXPECT_EQ(text(rows[row][1]), "0,0");
        EXPECT_EQ(caption(rows[row][2]), "mm");
    }
    auto *perKilogram = control<QRadioButton>("Option1");
    auto *perMetre = control<QRadioButton>("Option2");
    EXPECT_TRUE(perKilogram->isEnabled());
    EXPECT_EQ(perMetre->isEnabled(), layout.perMetreEnabled);
    EXPECT_EQ(perKilogram->isChecked(), layout.selectedBasis == PriceBasis::PerKilogram);
    EXPECT_EQ(perMetre->isChecked(), layout.selectedBasis == PriceBasis::PerMetre);
    EXPECT_FALSE(shown("Frame4"));
    EXPECT_FALSE(shown("Frame5"));
    // Pieces and price survive a pick.
    EXPECT_EQ(text("Text5"), "4");
    EXPECT_EQ(text("Text6"), "2,5");
}

INSTANTIATE_TEST_SUITE_P(Shapes, ShapeChoice,
                         ::testing::ValuesIn(allShapes().begin(), allShapes().end()),
                         [](const ::testing::TestParamInfo<ShapeKind> &row) {
                             std::string name(shapeDisplayName(row.param));
                             std::erase_if(name, [](char c) {
                                 return !std::isalnum(static_cast<unsigned char>(c));
                             });
                             return name;
                         });

TEST_F(Selection, PipeSelectsPricePerMetreAndBarsPerKilogram) {
    choose("Combo2", QStringLiteral("Round bar"));
    click("Option2");
    ASSERT_TRUE(control<QRadioButton>("Option2")->isChecked());
    choose("Combo2", QStringLiteral("Flat bar"));
    EXPECT_TRUE(control<QRadioButton>("Option1")->isChecked());
    click("Option1");
    choose("Combo2", QStringLiteral("Pipe dia."));
    EXPECT_TRUE(control<QRadioButton>("Option2")->isChecked());
    choose("Combo2", QStringLiteral("Disc"));
    EXPECT_TRUE(control<QRadioButton>("Option1")->isChecked());
    EXPECT_FALSE(control<QRadioButton>("Option2")->isEnabled());
    EXPECT_FALSE(control<QRadioButton>("Option2")->isChecked());
}

// "Disc" captions its second row "Thickness" with no colon to drop: a warning names it whole.
TEST_F(Selection, DiscThicknessIsNamedWhole) {
    showEstimate();
    choose("Combo2", QStringLiteral("Disc"));
    type("Text2", QStringLiteral("300"));
    type("Text3", QStringLiteral(","));
    click("Command1");
    ASSERT_EQ(desktop.warnings.size(), 1u);
    EXPECT_TRUE(desktop.warnings[0].prompt.contains(QStringLiteral("\"Thickness\"")))
        << desktop.warnings[0].prompt.toStdString();
}

TEST_F(Selection, PickingTheSameShapeAgainResetsTheDimensions) {
    choose("Combo2", QStringLiteral("Plate"));
    type("Text2", QStringLiteral("5"));
    type("Text4", QStringLiteral("7"));
    chooseInOpenList("Combo2", QStringLiteral("Plate"));
    EXPECT_EQ(text("Text2"), "0,0");
    EXPECT_EQ(text("Text4"), "0,0");
}

} // namespace
} // namespace kalvora::test
