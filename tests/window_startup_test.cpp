#include "tests/window_fixture.h"
#include "ui/branding.h"

#include <QComboBox>
#include <QCursor>
#include <QImage>
#include <QLineEdit>
#include <QTest>
#include <QWindow>

namespace kalvora::test {
namespace {

std::vector<std::string> entries(QComboBox *combo) {
    std::vector<std::string> texts;
    for (int i = 0; i < combo->count(); ++i)
        texts.push_back(combo->itemText(i).toStdString());
    return texts;
}

using StartUp = WindowTest;

TEST_F(StartUp, FillsTheListsInCatalogueOrderAndChoosesNothing) {
    auto *grades = control<QComboBox>("Combo1");
    auto *shapes = control<QComboBox>("Combo2");
    EXPECT_EQ(
        entries(grades),
        (std::vector<std::string>{
            "UNS S31803-F51-Duplex", "UNS S32760-F55-Superduplex", "UNS S31254-F44-254 SMO",
            "UNS N08904-904L", "UNS S32750-F53-Superduplex", "UNS S20910-XM 19", "Carbon steel",
            "AISI 300 series", "Aluminium", "Nickel 200/201", "Nickel alloy C276/C22",
            "Nickel alloy 600/625", "Nickel alloy 825", "Tantalum", "Titanium", "Other"}));
    EXPECT_EQ(entries(shapes),
              (std::vector<std::string>{"Plate", "Round bar", "Flat bar", "Pipe thk.", "Pipe dia.",
                                        "Disc", "Ring"}));
    EXPECT_EQ(grades->currentIndex(), -1);
    EXPECT_EQ(grades->currentText().toStdString(), "choose grade");
    EXPECT_EQ(shapes->currentIndex(), -1);
    EXPECT_EQ(shapes->currentText().toStdString(), "");
    // No selection handler has run: the density and the rows are as the form lays them out.
    EXPECT_EQ(text("Text1"), "0,0");
    EXPECT_FALSE(shown("Text2"));
    EXPECT_FALSE(shown("Frame4"));
    EXPECT_FALSE(shown("Frame5"));
}

// Building the window gives Qt nothing to complain about, such as a font size of zero.
TEST_F(StartUp, BuildsWithoutAQtWarning) {
    static std::vector<std::string> complaints;
    complaints.clear();
    const QtMessageHandler previous =
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &text) {
            if (type != QtDebugMsg && type != QtInfoMsg)
                complaints.push_back(text.toStdString());
        });
    { const Form1 another(desktop); }
    qInstallMessageHandler(previous);
    EXPECT_EQ(complaints, std::vector<std::string>{});
}

TEST_F(StartUp, PutsTheFocusInTheGradeBox) {
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(focused(), "Combo1");
}

TEST_F(StartUp, TypedGradeNameWithEnterChoosesNothing) {
    auto *grades = control<QComboBox>("Combo1");
    grades->lineEdit()->selectAll();
    QTest::keyClicks(grades, QStringLiteral("Other"));
    QTest::keyClick(grades, Qt::Key_Return);
    QTest::keyClick(grades, Qt::Key_Enter);
    EXPECT_EQ(grades->count(), 16);
    EXPECT_EQ(grades->currentIndex(), -1);
    EXPECT_EQ(grades->currentText().toStdString(), "Other");
    EXPECT_EQ(text("Text1"), "0,0");
    EXPECT_TRUE(control<QLineEdit>("Text1")->isReadOnly() == false);
}

TEST_F(StartUp, TypedTextInTheGradeBoxStaysAsTyped) {
    auto *grades = control<QComboBox>("Combo1");
    grades->lineEdit()->selectAll();
    QTest::keyClicks(grades, QStringLiteral("Carb"));
    EXPECT_EQ(grades->currentText().toStdString(), "Carb");
}

TEST_F(StartUp, TypedGradeNameLeftByTheFocusChoosesNothing) {
    auto *grades = control<QComboBox>("Combo1");
    grades->lineEdit()->selectAll();
    QTest::keyClicks(grades, QStringLiteral("Other"));
    QTest::mouseClick(control("Text6"), Qt::LeftButton);
    ASSERT_EQ(focused(), "Text6");
    EXPECT_EQ(grades->currentIndex(), -1);
    EXPECT_EQ(text("Text1"), "0,0");
    EXPECT_FALSE(control<QLineEdit>("Text1")->isReadOnly());
}

TEST_F(StartUp, HandPointerOverTheLinkOnly) {
    const QCursor hand = control("Label8")->cursor();
    EXPECT_EQ(hand.shape(), Qt::BitmapCursor);
    EXPECT_EQ(hand.hotSpot(), QPoint(12, 1)); // the fingertip
    // The 32-pixel hand as drawn, not the 64-pixel one scaled down.
    EXPECT_EQ(hand.pixmap().toImage().convertToFormat(QImage::Format_ARGB32),
              QImage(QStringLiteral(":/kalvora/hand-pointer.png"))
                  .convertToFormat(QImage::Format_ARGB32));
    // Elsewhere each control keeps the pointer of its kind (the text fields their I-beam).
    for (QWidget *other : window->findChildren<QWidget *>()) {
        if (other->objectName() != QLatin1String("Label8")) {
            EXPECT_NE(other->cursor().shape(), Qt::BitmapCursor) << qPrintable(other->objectName());
        }
    }
    EXPECT_FALSE(window->testAttribute(Qt::WA_SetCursor));
}

struct MakersDetailCase {
    const char *name;
    const char *label;
    std::string caption;
    friend void PrintTo(const MakersDetailCase &row, std::ostream *os) { *os << row.name; }
};

class MakersDetail : public WindowTest, public ::testing::WithParamInterface<MakersDetailCase> {};

TEST_P(MakersDetail, StandsInItsLabel) { EXPECT_EQ(caption(GetParam().label), GetParam().caption); }

INSTANTIATE_TEST_SUITE_P(
    Labels, MakersDetail,
    ::testing::Values(MakersDetailCase{"WebHost", "Label8", branding::kWebHost},
                      MakersDetailCase{"Street", "Label16", branding::kStreet},
                      MakersDetailCase{"Town", "Label17", branding::kPostcodeTownProvinceCountry},
                      MakersDetailCase{"Telephone", "Label25",
                                       std::string("ph.  ") + branding::kTelephone},
                      MakersDetailCase{"Fax", "Label26", std::string("fax. ") + branding::kFax}),
    RowName{});

TEST_F(StartUp, LinkOpensTheMakersSiteOncePerClickAndChangesNothing) {
    showEstimate();
    const std::string before = caption("Label19") + caption("Label22");
    click("Label8");
    ASSERT_EQ(desktop.openedPages.size(), 1u);
    EXPECT_EQ(desktop.openedPages[0].toString().toStdString(),
              "http://www.valtorre-metalli.example");
    click("Label8");
    EXPECT_EQ(desktop.openedPages.size(), 2u);
    EXPECT_TRUE(shown("Frame4"));
    EXPECT_TRUE(shown("Frame5"));
    EXPECT_EQ(caption("Label19") + caption("Label22"), before);
    EXPECT_EQ(focused(), "Combo1");
    EXPECT_TRUE(desktop.warnings.empty());
}

enum class Press { Click, ReleasedOffIt, DoubleClick, TwoClicks };

struct LinkPressCase {
    const char *name;
    Qt::MouseButton button;
    Press press;
    std::size_t opened; // pages opened
    friend void PrintTo(const LinkPressCase &row, std::ostream *os) { *os << row.name; }
};

class LinkPress : public WindowTest, public ::testing::WithParamInterface<LinkPressCase> {};

// Only a left click on the link opens the site, once per click; a press that leaves the link
// opens nothing. Presses go to the window as the window system sends them, so that Qt itself
// tells a double-click from two clicks.
TEST_P(LinkPress, OpensTheSiteOncePerLeftClick) {
    const LinkPressCase &c = GetParam();
    QWidget *link = control("Label8");
    QWindow *handle = link->window()->windowHandle();
    const QPoint inside = link->mapTo(link->window(), link->rect().center());
    switch (c.press) {
    case Press::Click:
        QTest::mouseClick(handle, c.button, {}, inside);
        break;
    case Press::ReleasedOffIt:
        QTest::mousePress(handle, c.button, {}, inside);
        QTest::mouseRelease(handle, c.button, {}, link->mapTo(link->window(), QPoint(5, -5)));
        break;
    case Press::DoubleClick:
        QTest::mouseDClick(handle, c.button, {}, inside);
        break;
    case Press::TwoClicks:
        QTest::mouseClick(handle, c.button, {}, inside);
        QTest::mouseClick(handle, c.button, {}, inside);
        break;
    }
    EXPECT_EQ(desktop.openedPages.size(), c.opened);
}

INSTANTIATE_TEST_SUITE_P(
    Buttons, LinkPress,
    ::testing::Values(LinkPressCase{"LeftClick", Qt::LeftButton, Press::Click, 1},
                      LinkPressCase{"RightClick", Qt::RightButton, Press::Click, 0},
                      LinkPressCase{"LeftReleasedOffIt", Qt::LeftButton, Press::ReleasedOffIt, 0},
                      LinkPressCase{"LeftDoubleClick", Qt::LeftButton, Press::DoubleClick, 1},
                      LinkPressCase{"TwoLeftClicks", Qt::LeftButton, Press::TwoClicks, 2}),
    RowName{});

} // namespace
} // namespace kalvora::test
