// The window as it opens: every control where the layout tables put it, in twips, with its kind,
// container, caption, font, length limit and visibility, and the few properties that only show
// when controls overlap or take the focus.

#include "tests/window_fixture.h"
#include "ui/caption_frame.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QFontInfo>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTest>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <ostream>
#include <string>
#include <string_view>

namespace kalvora::test {
namespace {

enum class Kind {
    Label,
    LinkLabel,
    TextField,
    Frame, // a group box with a caption
    BorderlessFrame,
    CommandButton,
    OptionButton,
    DropDownCombo, // the text can be typed
    DropDownList,  // the text shows the chosen entry only
    Picture,
};

enum class Align { Left, Right, Centre };

struct Caption {
    enum class Match { Exact, Prefix, MakersDetail } match;
    const char *text;
};
constexpr Caption is(const char *text) { return {Caption::Match::Exact, text}; }
constexpr Caption startsWith(const char *text) { return {Caption::Match::Prefix, text}; }
// Address, telephone and web host are the maker's; the program writes them at start.
constexpr Caption makersDetail() { return {Caption::Match::MakersDetail, ""}; }

struct Font {
    const char *family = nullptr; // nullptr: the control shows no text
    double points = 0;
    bool bold = false;
    bool underline = false;
};
constexpr bool kBold = true;
constexpr bool kUnderline = true;

constexpr bool kShown = true;
constexpr bool kHidden = false;

struct ControlRow {
    const char *name;
    Kind kind;
    const char *container;
    int left, top, width, height; // twips
    Caption caption;
    Font font;
    Align align;   // labels only
    int maxLength; // text fields only
    bool visible;
};

void PrintTo(const ControlRow &row, std::ostream *os) { *os << row.name; }

constexpr const char *kMs = "Microsoft Sans Serif";
constexpr Align L = Align::Left;
constexpr Align R = Align::Right;
constexpr Align C = Align::Centre;

// clang-format off
constexpr std::array kControls{
    // The window's own controls.
    ControlRow{"Combo1", Kind::DropDownCombo, "Form1", 1200, 2040, 2895, 345, is("choose grade"), {"Arial", 9}, L, 0, kShown},
    ControlRow{"Text1", Kind::TextField, "Form1", 1320, 2520, 615, 255, is("0,0"), {"Arial", 9}, L, 5, kShown},
    ControlRow{"Command1", Kind::CommandButton, "Form1", 4320, 2160, 1935, 375, is("CALCULATE"), {"Arial", 9.75, kBold}, L, 0, kShown},
    ControlRow{"Frame1", Kind::Frame, "Form1", 120, 1800, 4020, 1095, is("grade"), {"Arial", 8.25}, L, 0, kShown},
    ControlRow{"Frame2", Kind::Frame, "Form1", 120, 2920, 4020, 1815, is("shape"), {"Arial", 8.25}, L, 0, kShown},
    ControlRow{"Frame3", Kind::Frame, "Form1", 120, 4750, 4020, 1095, is("price"), {"Arial", 8.25}, L, 0, kShown},
    ControlRow{"Frame4", Kind::Frame, "Form1", 4200, 2920, 2295, 1455, is("estimated weight"), {"Arial", 8.25}, L, 0, kHidden},
    ControlRow{"Frame5", Kind::Frame, "Form1", 4200, 4390, 2295, 1455, is("estimated price"), {"Arial", 8.25}, L, 0, kHidden},
    // No font of its own: it takes the window's.
    ControlRow{"Frame6", Kind::BorderlessFrame, "Form1", 120, 5880, 6330, 1095, is(""), {kMs, 8.25}, L, 0, kShown},
    ControlRow{"Label8", Kind::LinkLabel, "Form1", 120, 6960, 6255, 375, makersDetail(), {"Arial", 12.75, kBold, kUnderline}, C, 0, kShown},
    ControlRow{"Image1", Kind::Picture, "Form1", 280, 120, 6015, 1095, makersDetail(), {}, L, 0, kShown},
    ControlRow{"Label16", Kind::Label, "Form1", 360, 1320, 2220, 255, makersDetail(), {kMs, 8.25}, L, 0, kShown},
    ControlRow{"Label17", Kind::Label, "Form1", 2520, 1320, 1815, 255, makersDetail(), {kMs, 8.25}, L, 0, kShown},
    ControlRow{"Label25", Kind::Label, "Form1", 4440, 1320, 2055, 255, startsWith("ph.  "), {kMs, 8.25}, L, 0, kShown},
    ControlRow{"Label26", Kind::Label, "Form1", 4440, 1560, 1815, 255, startsWith("fax. "), {kMs, 8.25}, L, 0, kShown},
    // "grade"
    ControlRow{"Label1", Kind::Label, "Frame1", 120, 270, 855, 255, is("grade:"), {"Arial", 9}, R, 0, kShown},
    ControlRow{"Label2", Kind::Label, "Frame1", 240, 720, 735, 255, is("density:"), {"Arial", 9}, R, 0, kShown},
    ControlRow{"Label3", Kind::Label, "Frame1", 1800, 720, 855, 255, is("Kg/dm"), {"Arial", 8.25}, L, 0, kShown},
    ControlRow{"Label18", Kind::Label, "Frame1", 2280, 720, 255, 135, is("3"), {"Arial", 5.25}, L, 0, kShown},
    // "shape"
    ControlRow{"Label4", Kind::Label, "Frame2", 120, 270, 930, 375, is("shape:"), {"Arial", 9}, R, 0, kShown},
    ControlRow{"Combo2", Kind::DropDownList, "Frame2", 1080, 240, 1935, 345, is(""), {"Arial", 9}, L, 0, kShown},
    ControlRow{"Label5", Kind::Label, "Frame2", 120, 720, 1455, 255, is("Label5"), {"Arial", 9}, R, 0, kHidden},
    ControlRow{"Text2", Kind::TextField, "Frame2", 1680, 720, 1455, 285, is("0,0"), {"Arial", 9.75}, L, 9, kHidden},
    ControlRow{"Label11", Kind::Label, "Frame2", 3240, 720, 615, 255, is("mm"), {"Arial", 8.25}, L, 0, kHidden},
    ControlRow{"Label9", Kind::Label, "Frame2", 120, 1080, 1455, 255, is("Label9"), {"Arial", 9}, R, 0, kHidden},
    ControlRow{"Text3", Kind::TextField, "Frame2", 1680, 1080, 1455, 285, is("0,0"), {"Arial", 9.75}, L, 9, kHidden},
    ControlRow{"Label12", Kind::Label, "Frame2", 3240, 1080, 615, 255, is("mm"), {"Arial", 8.25}, L, 0, kHidden},
    ControlRow{"Label10", Kind::Label, "Frame2", 120, 1440, 1455, 255, is("Label10"), {"Arial", 9}, R, 0, kHidden},
    ControlRow{"Text4", Kind::TextField, "Frame2", 1680, 1440, 1455, 285, is("0,0"), {"Arial", 9.75}, L, 9, kHidden},
    ControlRow{"Label13", Kind::Label, "Frame2", 3240, 1440, 615, 255, is("mm"), {"Arial", 8.25}, L, 0, kHidden},
    // "price"
    ControlRow{"Label14", Kind::Label, "Frame3", 120, 360, 1215, 255, is("pcs:"), {"Arial", 9}, R, 0, kShown},
    ControlRow{"Text5", Kind::TextField, "Frame3", 1440, 360, 975, 285, is("1"), {"Arial", 9.75}, L, 8, kShown},
    ControlRow{"Label15", Kind::Label, "Frame3", 480, 720, 855, 255, is("price:"), {"Arial", 9}, R, 0, kShown},
    ControlRow{"Text6", Kind::TextField, "Frame3", 1440, 720, 975, 285, is("0,00"), {"Arial", 9.75}, L, 8, kShown},
    ControlRow{"Option1", Kind::OptionButton, "Frame3", 2400, 750, 855, 255, is("\u20ac/Kg"), {"Arial", 8.25}, L, 0, kShown},
    ControlRow{"Option2", Kind::OptionButton, "Frame3", 3120, 750, 615, 255, is("\u20ac/m"), {"Arial", 8.25}, L, 0, kShown},
    // "estimated weight"
    ControlRow{"Label19", Kind::Label, "Frame4", 120, 360, 2055, 255, is("peso 1 pezzo"), {"Arial", 9}, L, 0, kShown},
    ControlRow{"Label20", Kind::Label, "Frame4", 120, 720, 2055, 255, is("peso n pezzi"), {"Arial", 9}, L, 0, kShown},
    ControlRow{"Label21", Kind::Label, "Frame4", 120, 1080, 2055, 255, is("peso 1 metro"), {"Arial", 9}, L, 0, kShown},
    // "estimated price"
    ControlRow{"Label22", Kind::Label, "Frame5", 120, 360, 2055, 255, is("costo 1 pezzo"), {"Arial", 9}, L, 0, kShown},
    ControlRow{"Label23", Kind::Label, "Frame5", 120, 720, 2055, 255, is("costo n pezzi"), {"Arial", 9}, L, 0, kShown},
    ControlRow{"Label24", Kind::Label, "Frame5", 120, 1080, 2055, 255, is("costo 1 metro"), {"Arial", 9}, L, 0, kShown},
    // the product panel
    ControlRow{"Label6", Kind::Label, "Frame6", 0, 120, 6255, 255, is(" ROUND BARS - PLATES - SQUARE BILLETS FOR FORGING"), {"Arial", 9.75, kBold}, C, 0, kShown},
    ControlRow{"Label28", Kind::Label, "Frame6", 0, 360, 6255, 255, is("BLANK ROUND FOR FORGING"), {"Arial", 9.75, kBold}, C, 0, kShown},
    ControlRow{"Label7", Kind::Label, "Frame6", 0, 600, 6255, 255, is("ON REQUEST: WELDED TUBES AND WELDED ELBOWS"), {"Arial", 9.75, kBold}, C, 0, kShown},
    ControlRow{"Label27", Kind::Label, "Frame6", 0, 840, 6255, 255, is("EUROPEAN ORIGIN MATERIAL ONLY"), {"Arial", 9.75, kBold}, C, 0, kShown},
};
// clang-format on
static_assert(kControls.size() == 46);

int pixels(int twips) { return static_cast<int>(std::lround(twips / 15.0)); }

QRect pixelRect(const ControlRow &row) {
    return {pixels(row.left), pixels(row.top), pixels(row.width), pixels(row.height)};
}

std::string_view classOf(const QWidget *widget) { return widget->metaObject()->className(); }

void expectKind(const ControlRow &row, QWidget *widget) {
    const auto className = classOf(widget);
    switch (row.kind) {
    case Kind::Label:
        EXPECT_EQ(className, "QLabel");
        break;
    case Kind::LinkLabel:
        EXPECT_EQ(className, "kalvora::LinkLabel");
        break;
    case Kind::Picture:
        EXPECT_EQ(className, "QLabel");
        break;
    case Kind::TextField:
        EXPECT_EQ(className, "kalvora::NumberField");
        break;
    case Kind::Frame:
        EXPECT_EQ(className, "kalvora::CaptionFrame");
        break;
    case Kind::BorderlessFrame:
        EXPECT_EQ(className, "QFrame");
        break;
    case Kind::CommandButton:
        EXPECT_EQ(className, "QPushButton");
        break;
    case Kind::OptionButton:
        EXPECT_EQ(className, "QRadioButton");
        break;
    case Kind::DropDownCombo:
    case Kind::DropDownList:
        ASSERT_EQ(className, "QComboBox");
        EXPECT_EQ(static_cast<QComboBox *>(widget)->isEditable(), row.kind == Kind::DropDownCombo);
        break;
    }
}

// The family the form gives a control, its own or the one it takes from its container.
QString formFamily(const QWidget *widget) {
    for (; widget != nullptr; widget = widget->parentWidget()) {
        if (const QVariant family = widget->property("fontFamily"); family.isValid())
            return family.toString();
    }
    return {};
}

QString captionOf(const ControlRow &row, QWidget *widget) {
    switch (row.kind) {
    case Kind::Label:
    case Kind::LinkLabel:
    case Kind::Picture:
        return static_cast<QLabel *>(widget)->text();
    case Kind::TextField:
        return static_cast<QLineEdit *>(widget)->text();
    case Kind::Frame:
        return static_cast<QGroupBox *>(widget)->title();
    case Kind::BorderlessFrame:
        return {};
    case Kind::CommandButton:
    case Kind::OptionButton:
        return static_cast<QAbstractButton *>(widget)->text();
    case Kind::DropDownCombo:
    case Kind::DropDownList:
        return static_cast<QComboBox *>(widget)->currentText();
    }
    return {};
}

Qt::Alignment horizontal(Align align) {
    switch (align) {
    case Align::Left:
        return Qt::AlignLeft;
    case Align::Right:
        return Qt::AlignRight;
    case Align::Centre:
        return Qt::AlignHCenter;
    }
    return {};
}

class ControlLayout : public WindowTest, public ::testing::WithParamInterface<ControlRow> {};

TEST_P(ControlLayout, StandsAsTheWindowOpens) {
    const ControlRow &row = GetParam();
    QWidget *widget = control(row.name);
    ASSERT_NE(widget, nullptr);

    expectKind(row, widget);
    ASSERT_NE(widget->parentWidget(), nullptr);
    EXPECT_EQ(widget->parentWidget()->objectName().toStdString(), row.container);
    EXPECT_EQ(widget->geometry(), pixelRect(row));
    EXPECT_EQ(!widget->isHidden(), row.visible);

    const QString caption = captionOf(row, widget);
    const QString expected = QString::fromUtf8(row.caption.text);
    switch (row.caption.match) {
    case Caption::Match::Exact:
        EXPECT_EQ(caption, expected);
        break;
    case Caption::Match::Prefix:
        EXPECT_TRUE(caption.startsWith(expected)) << caption.toStdString();
        EXPECT_GT(caption.size(), expected.size()) << "the maker's number is missing";
        break;
    case Caption::Match::MakersDetail:
        break;
    }

    if (row.font.family != nullptr) {
        const QFont font = widget->font();
        EXPECT_EQ(formFamily(widget).toStdString(), row.font.family);
#ifndef Q_OS_WIN // under Wine, which has neither Windows face, the tests substitute them
        // Drawn in the face it asks for: asking for one the system lacks would cost a search
        // through every installed font.
        EXPECT_EQ(QFontInfo(font).family().toStdString(), font.family().toStdString());
#endif
        EXPECT_TRUE(font.family() == QLatin1String(row.font.family) ||
                    font.family() == QLatin1String("Liberation Sans"))
            << font.family().toStdString();
        EXPECT_DOUBLE_EQ(font.pointSizeF(), row.font.points);
        EXPECT_EQ(font.bold(), row.font.bold);
        EXPECT_EQ(font.underline(), row.font.underline);
    }

    switch (row.kind) {
    case Kind::TextField:
        EXPECT_EQ(static_cast<QLineEdit *>(widget)->maxLength(), row.maxLength);
        break;
    case Kind::Label:
    case Kind::LinkLabel: {
        auto *label = static_cast<QLabel *>(widget);
        EXPECT_EQ(label->alignment() & Qt::AlignHorizontal_Mask, horizontal(row.align));
        EXPECT_EQ(label->textFormat(), Qt::PlainText);
        EXPECT_FALSE(label->wordWrap());
        EXPECT_EQ(label->focusPolicy(), Qt::NoFocus);
        break;
    }
    case Kind::Picture: {
        auto *picture = static_cast<QLabel *>(widget);
        EXPECT_TRUE(picture->hasScaledContents());
        // Decoded at the size it is drawn: a larger picture costs the start its decoding.
        EXPECT_EQ(picture->pixmap().size(), picture->size());
        break;
    }
    case Kind::Frame:
    case Kind::BorderlessFrame:
        EXPECT_EQ(widget->focusPolicy(), Qt::NoFocus);
        break;
    case Kind::DropDownCombo:
    case Kind::DropDownList:
        EXPECT_EQ(static_cast<QComboBox *>(widget)->currentIndex(), -1) << "nothing is chosen";
        break;
    default:
        break;
    }
}

INSTANTIATE_TEST_SUITE_P(Form1, ControlLayout, ::testing::ValuesIn(kControls),
                         [](const auto &row) { return std::string(row.param.name); });

using WindowLayout = WindowTest;

TEST_F(WindowLayout, HasAFixedClientAreaAndItsTitle) {
    const QSize client(pixels(6630), pixels(7320));
    EXPECT_EQ(window->size(), client);
    EXPECT_EQ(window->minimumSize(), client);
    EXPECT_EQ(window->maximumSize(), client);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Kalvora 2.2"));
}

TEST_F(WindowLayout, HoldsExactlyTheControlsOfTheTable) {
    static const QRegularExpression controlName(
        QStringLiteral("^(Combo|Text|Command|Option|Frame|Label|Image)[0-9]+$"));
    const auto named = window->findChildren<QWidget *>(controlName);
    EXPECT_EQ(named.size(), qsizetype(kControls.size()));
    int direct = 0;
    for (const QWidget *widget : named)
        direct += widget->parentWidget() == window.get() ? 1 : 0;
    EXPECT_EQ(direct, 15);
}

int stackIndex(const QWidget *widget) {
    return static_cast<int>(widget->parentWidget()->children().indexOf(widget));
}

TEST_F(WindowLayout, OverlappingControlsLieInStackingOrder) {
    // Topmost first; Qt draws a later child above an earlier one.
    constexpr std::array topFirst{"Combo1", "Command1", "Frame5",  "Frame4",  "Frame3",
                                  "Frame2", "Text1",    "Frame1",  "Frame6",  "Label8",
                                  "Image1", "Label26",  "Label25", "Label17", "Label16"};
    for (std::size_t i = 1; i < topFirst.size(); ++i) {
        QWidget *upper = control(topFirst[i - 1]);
        QWidget *lower = control(topFirst[i]);
        ASSERT_TRUE(upper && lower);
        EXPECT_GT(stackIndex(upper), stackIndex(lower))
            << topFirst[i - 1] << " should lie above " << topFirst[i];
    }
    // The two overlaps that can be seen.
    EXPECT_TRUE(control("Combo1")->geometry().intersects(control("Frame1")->geometry()));
    EXPECT_TRUE(control("Text1")->geometry().intersects(control("Frame1")->geometry()));
    EXPECT_GT(stackIndex(control("Label18")), stackIndex(control("Label3")));
}

TEST_F(WindowLayout, FrameCaptionsAreBlueButTheirContentsAreNot) {
    const QColor captionBlue(0, 0, 192);
    const QColor ordinaryText = window->palette().color(QPalette::WindowText);
    ASSERT_NE(ordinaryText, captionBlue);
    for (const char *name : {"Frame1", "Frame2", "Frame3", "Frame4", "Frame5"}) {
        SCOPED_TRACE(name);
        auto *frame = control<CaptionFrame>(name);
        ASSERT_NE(frame, nullptr);
        frame->show();
        EXPECT_EQ(frame->captionColor(), captionBlue);
        for (const QLabel *label : frame->findChildren<QLabel *>())
            EXPECT_EQ(label->palette().color(QPalette::WindowText), ordinaryText)
                << label->objectName().toStdString();

        // The caption is really drawn in blue, in the strip above the frame's first row.
        const QImage image = frame->grab(QRect(0, 0, frame->width(), 14)).toImage();
        int bluePixels = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QColor pixel = image.pixelColor(x, y);
                if (pixel.blue() > 120 && pixel.red() < 90 && pixel.green() < 90)
                    ++bluePixels;
            }
        EXPECT_GT(bluePixels, 10);
    }
}

struct FrameRow {
    const char *name;
    const char *frame;
    int scale; // device pixels per logical pixel
    friend void PrintTo(const FrameRow &row, std::ostream *os) { *os << row.name; }
};

// The frame's own painting, without the controls it holds, at `scale` device pixels per pixel.
QImage paintedAlone(QWidget *frame, int scale) {
    QImage image(frame->size() * scale, QImage::Format_RGB32);
    image.setDevicePixelRatio(scale);
    image.fill(frame->palette().color(QPalette::Window));
    frame->render(&image, {}, {}, QWidget::DrawWindowBackground);
    return image;
}

// The caption is blue, the border a plain grey darker than the window; even the faintest
// blended edge of a letter leans to blue.
bool isCaptionInk(QRgb pixel) { return qBlue(pixel) - qRed(pixel) > 60; }
bool isShadowLine(QRgb pixel) {
    return qGray(pixel) < 224 && std::abs(qBlue(pixel) - qRed(pixel)) < 4;
}

// The border's shadow line in device pixels: the outermost rows that it fills for a good part
// (the caption interrupts the top one) and the outermost columns that it mostly fills.
QRect shadowOutline(const QImage &image) {
    int top = image.height(), bottom = -1, left = image.width(), right = -1;
    for (int y = 0; y < image.height(); ++y) {
        int line = 0;
        for (int x = 0; x < image.width(); ++x)
            line += isShadowLine(image.pixel(x, y));
        if (line > image.width() / 4) {
            top = std::min(top, y);
            bottom = y;
        }
    }
    for (int x = 0; x < image.width(); ++x) {
        int line = 0;
        for (int y = 0; y < image.height(); ++y)
            line += isShadowLine(image.pixel(x, y));
        if (line > image.height() / 2) {
            left = std::min(left, x);
            right = x;
        }
    }
    return {QPoint(left, top), QPoint(right, bottom)};
}

class FrameDrawing : public WindowTest, public ::testing::WithParamInterface<FrameRow> {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        choose("Combo2", QStringLiteral("Plate")); // all three dimension rows showing
        frame = control(GetParam().frame);
        frame->show();
        image = paintedAlone(frame, GetParam().scale);
        outline = shadowOutline(image);
        ASSERT_TRUE(outline.isValid()) << "no border drawn";
    }
    QWidget *frame = nullptr;
    QImage image;
    QRect outline;
};

TEST_P(FrameDrawing, CaptionStandsInTheTopEdgeOfTheBorder) {
    QRect ink;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (isCaptionInk(image.pixel(x, y)))
                ink |= QRect(x, y, 1, 1);
    ASSERT_TRUE(ink.isValid()) << "no caption drawn";
    const int scale = GetParam().scale;
    int lineUnderCaption = 0; // with two pixels' clearance either side
    for (int x = ink.left() - 2 * scale; x <= ink.right() + 2 * scale; ++x)
        lineUnderCaption += isShadowLine(image.pixel(x, outline.top()));
    EXPECT_TRUE(ink.top() < outline.top() && outline.top() < ink.bottom())
        << "the top edge at " << outline.top() << " misses the caption at " << ink.top() << ".."
        << ink.bottom();
    EXPECT_EQ(lineUnderCaption, 0) << "the border runs through the caption's text";
    EXPECT_TRUE(ink.left() > outline.left() + 2 * scale && ink.left() < 16 * scale)
        << "caption starts at " << ink.left();
}

// A highlight line runs one pixel below and to the right of the shadow line on every side.
TEST_P(FrameDrawing, BorderIsEtched) {
    const int scale = GetParam().scale;
    const QPoint middle = outline.center();
    const QPoint highlights[] = {{outline.right() - 4 * scale, outline.top() + scale},
                                 {outline.left() + scale, middle.y()},
                                 {outline.right() + scale, middle.y()},
                                 {middle.x(), outline.bottom() + scale}};
    const int background = qGray(frame->palette().color(QPalette::Window).rgb());
    for (const QPoint &at : highlights)
        EXPECT_TRUE(image.valid(at) && qGray(image.pixel(at)) > background)
            << "no highlight at " << at.x() << "," << at.y();
}

// The controls inside the frame, and those the window lays over it, clear both border lines.
TEST_P(FrameDrawing, ControlsStandInsideTheBorder) {
    const int scale = GetParam().scale;
    const QRect inside = outline.adjusted(2 * scale, 2 * scale, -scale, -scale);
    QList<QWidget *> controls = frame->findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
    for (QWidget *other : window->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
        if (other != frame && other->geometry().intersects(frame->geometry()))
            controls.append(other);
    for (const QWidget *control : controls) {
        const QRect area(control->mapTo(window.get(), QPoint()) - frame->pos(), control->size());
        const QRect device(area.topLeft() * scale, area.size() * scale);
        EXPECT_TRUE(inside.contains(device))
            << control->objectName().toStdString() << " at " << area.x() << "," << area.y() << " "
            << area.width() << "x" << area.height() << " crosses the border";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Frames, FrameDrawing,
    ::testing::Values(FrameRow{"GradeAt1x", "Frame1", 1}, FrameRow{"GradeAt2x", "Frame1", 2},
                      FrameRow{"ShapeAt1x", "Frame2", 1}, FrameRow{"ShapeAt2x", "Frame2", 2},
                      FrameRow{"PriceAt1x", "Frame3", 1}, FrameRow{"PriceAt2x", "Frame3", 2},
                      FrameRow{"WeightAt1x", "Frame4", 1}, FrameRow{"WeightAt2x", "Frame4", 2},
                      FrameRow{"CostAt1x", "Frame5", 1}, FrameRow{"CostAt2x", "Frame5", 2}),
    RowName{});

TEST_F(WindowLayout, TextColoursOfTheProductLinesAndTheLink) {
    const struct {
        const char *name;
        QColor colour;
    } rows[] = {
        {"Label6", QColor(255, 0, 0)}, {"Label28", QColor(255, 0, 0)},
        {"Label7", QColor(255, 0, 0)}, {"Label27", QColor(0, 192, 0)},
        {"Label8", QColor(0, 0, 255)},
    };
    for (const auto &row : rows) {
        QWidget *label = control(row.name);
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->palette().color(QPalette::WindowText), row.colour) << row.name;
    }
}

TEST_F(WindowLayout, InputsStartAsTheUserFindsThem) {
    EXPECT_EQ(control<QComboBox>("Combo1")->insertPolicy(), QComboBox::NoInsert);
    EXPECT_FALSE(control<QLineEdit>("Text1")->hasFrame());
    auto *perKilogram = control<QRadioButton>("Option1");
    auto *perMetre = control<QRadioButton>("Option2");
    EXPECT_TRUE(perKilogram->isChecked());
    EXPECT_FALSE(perMetre->isChecked());
    EXPECT_TRUE(perKilogram->isEnabled());
    EXPECT_TRUE(perMetre->isEnabled());

    const struct {
        const char *name;
        const char *accessibleName;
    } inputs[] = {
        {"Combo1", "Grade"},
        {"Combo2", "Shape"},
        {"Text1", "Density in kilograms per cubic decimetre"},
        {"Text5", "Number of pieces"},
        {"Text6", "Price"},
        {"Option1", "Price per kilogram"},
        {"Option2", "Price per metre"},
        {"Command1", "Calculate"},
    };
    for (const auto &input : inputs)
        EXPECT_EQ(control(input.name)->accessibleName().toStdString(), input.accessibleName);
}

std::string focusName() {
    const QWidget *focus = QApplication::focusWidget();
    if (focus == nullptr)
        return "(nothing)";
    // An editable combo box keeps the focus in its line edit.
    if (focus->parentWidget() != nullptr && focus->parentWidget()->focusProxy() == focus)
        focus = focus->parentWidget();
    return focus->objectName().toStdString();
}

TEST_F(WindowLayout, TabSkipsTheHiddenDimensionRows) {
    ASSERT_EQ(focusName(), "Combo1");
    for (const char *next : {"Combo2", "Text5", "Text6", "Command1", "Text1", "Option1"}) {
        QWidget *focus = QApplication::focusWidget();
        ASSERT_NE(focus, nullptr);
        QTest::keyClick(focus, Qt::Key_Tab);
        EXPECT_EQ(focusName(), next);
    }
}

// The dark pixels of a rectangle of Frame1, as it draws itself now.
QImage inkOf(QWidget *frame, const QRect &area) {
    return frame->grab(area).toImage().convertToFormat(QImage::Format_RGB32);
}
bool isInk(QRgb pixel) { return qGray(pixel) < 160; }

TEST_F(WindowLayout, SuperscriptThreeStandsClearOfKgPerDm) {
    auto *unit = control<QLabel>("Label3");
    auto *three = control<QLabel>("Label18");
    QWidget *frame = control("Frame1");
    ASSERT_TRUE(unit && three && frame);
    const QRect area = unit->geometry().united(three->geometry());

    three->hide();
    const QImage unitOnly = inkOf(frame, area);
    three->show();
    unit->hide();
    const QImage threeOnly = inkOf(frame, area);
    unit->show();
    const QImage both = inkOf(frame, area);

    int unitInk = 0, threeInk = 0, collisions = 0, lost = 0;
    for (int y = 0; y < area.height(); ++y)
        for (int x = 0; x < area.width(); ++x) {
            const bool u = isInk(unitOnly.pixel(x, y));
            const bool t = isInk(threeOnly.pixel(x, y));
            unitInk += u;
            threeInk += t;
            collisions += u && t;
            lost += (u || t) && !isInk(both.pixel(x, y));
        }
    EXPECT_GT(unitInk, 20) << "\"Kg/dm\" is not drawn";
    EXPECT_GT(threeInk, 3) << "the \"3\" is not drawn";
    EXPECT_EQ(collisions, 0) << "the \"3\" runs into \"Kg/dm\"";
    EXPECT_EQ(lost, 0) << "one label covers the other";
}

} // namespace
} // namespace kalvora::test
