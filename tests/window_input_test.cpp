#include "tests/window_fixture.h"

#include "ui/number_field.h"

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QRadioButton>
#include <QTest>
#include <QWheelEvent>

namespace kalvora::test {
namespace {

// Leaves a field holding `before` with the caret at its "|", or the text between "[" and "]"
// selected; with neither, the caret at the end and nothing selected.
void prepare(QLineEdit *field, const char *before) {
    QString text = QString::fromLatin1(before);
    const auto caret = static_cast<int>(text.indexOf(QLatin1Char('|')));
    const auto from = static_cast<int>(text.indexOf(QLatin1Char('[')));
    const auto to = static_cast<int>(text.indexOf(QLatin1Char(']')));
    text.remove(QLatin1Char('|')).remove(QLatin1Char('[')).remove(QLatin1Char(']'));
    field->setText(text);
    field->deselect();
    if (from >= 0)
        field->setSelection(from, to - from - 1);
    else
        field->setCursorPosition(caret < 0 ? static_cast<int>(text.size()) : caret);
}

struct KeyRuleCase {
    const char *name;
    const char *field;
    const char *before;
    Qt::Key key;
    const char *keyText; // as the desktop delivers it
    const char *after;
    friend void PrintTo(const KeyRuleCase &row, std::ostream *os) { *os << row.name; }
};

class KeyRule : public WindowTest, public ::testing::WithParamInterface<KeyRuleCase> {};

TEST_P(KeyRule, FiltersTheTypedCharacter) {
    const KeyRuleCase &c = GetParam();
    choose("Combo1", QStringLiteral("Other"));
    choose("Combo2", QStringLiteral("Plate"));
    auto *field = control<QLineEdit>(c.field);
    prepare(field, c.before);
    QKeyEvent press(QEvent::KeyPress, c.key, Qt::NoModifier, QString::fromLatin1(c.keyText));
    QApplication::sendEvent(field, &press);
    EXPECT_EQ(text(c.field), c.after);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, KeyRule,
    ::testing::Values(
        KeyRuleCase{"DimensionFullStopBecomesComma", "Text2", "1", Qt::Key_Period, ".", "1,"},
        KeyRuleCase{"PriceFullStopBecomesComma", "Text6", "2", Qt::Key_Period, ".", "2,"},
        KeyRuleCase{"DensityFullStopBecomesComma", "Text1", "7", Qt::Key_Period, ".", "7,"},
        KeyRuleCase{"DimensionTakesComma", "Text3", "", Qt::Key_Comma, ",", ","},
        KeyRuleCase{"DimensionTakesSecondComma", "Text4", "1,2", Qt::Key_Comma, ",", "1,2,"},
        KeyRuleCase{"DimensionTakesDigit", "Text2", "1", Qt::Key_9, "9", "19"},
        KeyRuleCase{"PiecesRefuseFullStop", "Text5", "1", Qt::Key_Period, ".", "1"},
        KeyRuleCase{"PiecesRefuseComma", "Text5", "1", Qt::Key_Comma, ",", "1"},
        KeyRuleCase{"PiecesTakeDigit", "Text5", "1", Qt::Key_0, "0", "10"},
        KeyRuleCase{"LetterRefused", "Text2", "1", Qt::Key_A, "a", "1"},
        KeyRuleCase{"BlankRefused", "Text6", "1", Qt::Key_Space, " ", "1"},
        KeyRuleCase{"MinusRefused", "Text3", "1", Qt::Key_Minus, "-", "1"},
        KeyRuleCase{"PlusRefused", "Text1", "1", Qt::Key_Plus, "+", "1"},
        KeyRuleCase{"BackspaceInPieces", "Text5", "12", Qt::Key_Backspace, "\b", "1"},
        KeyRuleCase{"BackspaceInDensity", "Text1", "12", Qt::Key_Backspace, "\b", "1"},
        KeyRuleCase{"DeleteInDimension", "Text2", "|12", Qt::Key_Delete, "\x7f", "2"},
        KeyRuleCase{"DeleteInDensity", "Text1", "1|2", Qt::Key_Delete, "\x7f", "1"},
        KeyRuleCase{"EscapeRefused", "Text6", "5", Qt::Key_Escape, "\x1b", "5"},
        KeyRuleCase{"EnterRefused", "Text2", "5", Qt::Key_Return, "\r", "5"},
        KeyRuleCase{"MaximumLengthOfDimensions", "Text2", "123456789", Qt::Key_1, "1", "123456789"},
        KeyRuleCase{"MaximumLengthOfDensity", "Text1", "12345", Qt::Key_1, "1", "12345"},
        // One event with several characters, as an input method or a remote session sends it.
        KeyRuleCase{"EachCharacterOfAKeyGoesThroughTheRule", "Text2", "", Qt::Key_1, "1.5x", "1,5"},
        KeyRuleCase{"EachCharacterOfAKeyInPieces", "Text5", "", Qt::Key_2, "2.5", "25"}),
    RowName{});

struct TypedCodeCase {
    const char *name;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    const char *text;
    int code;
    friend void PrintTo(const TypedCodeCase &row, std::ostream *os) { *os << row.name; }
};

class TypedKeyCode : public ::testing::TestWithParam<TypedCodeCase> {};

// The character code a key press stands for, alike on every desktop and from Qt Test.
TEST_P(TypedKeyCode, IsTheCharacterTheKeyTypes) {
    const TypedCodeCase &c = GetParam();
    const QKeyEvent press(QEvent::KeyPress, c.key, c.modifiers, QString::fromLatin1(c.text));
    EXPECT_EQ(NumberField::typedKeyCode(press), c.code);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, TypedKeyCode,
    ::testing::Values(TypedCodeCase{"Digit", Qt::Key_7, {}, "7", '7'},
                      TypedCodeCase{"Letter", Qt::Key_X, {}, "x", 'x'},
                      TypedCodeCase{"CtrlAOnX11", Qt::Key_A, Qt::ControlModifier, "\x01", 1},
                      TypedCodeCase{"CtrlAFromQtTest", Qt::Key_A, Qt::ControlModifier, "a", 1},
                      TypedCodeCase{"CtrlVFromQtTest", Qt::Key_V, Qt::ControlModifier, "v", 22},
                      TypedCodeCase{"CtrlZWithoutText", Qt::Key_Z, Qt::ControlModifier, "", 26},
                      TypedCodeCase{"Tab", Qt::Key_Tab, {}, "\t", 0},
                      TypedCodeCase{"DeleteOnX11", Qt::Key_Delete, {}, "\x7f", 0},
                      TypedCodeCase{"Arrow", Qt::Key_Left, {}, "", 0}),
    RowName{});

struct StaleResultCase {
    const char *name;
    const char *field;
    Qt::Key key;
    const char *keyText;
    bool weightsStay;
    bool pricesStay;
    Qt::KeyboardModifiers modifiers = {};
    bool caretAtTheEnd = false; // Delete is otherwise pressed before the text
    friend void PrintTo(const StaleResultCase &row, std::ostream *os) { *os << row.name; }
};

class StaleResults : public WindowTest, public ::testing::WithParamInterface<StaleResultCase> {};

// Whatever a key does to a field, the figures that depend on that field leave the screen.
TEST_P(StaleResults, KeyHidesThePanelsOfItsField) {
    const StaleResultCase &c = GetParam();
    showEstimate();
    auto *field = control<QLineEdit>(c.field);
    field->setFocus();
    field->end(false);
    if (c.key == Qt::Key_Delete && !c.caretAtTheEnd)
        field->home(false);
    QKeyEvent press(QEvent::KeyPress, c.key, c.modifiers, QString::fromLatin1(c.keyText));
    QApplication::sendEvent(field, &press);
    EXPECT_EQ(shown("Frame4"), c.weightsStay);
    EXPECT_EQ(shown("Frame5"), c.pricesStay);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, StaleResults,
    ::testing::Values(
        StaleResultCase{"DigitInDimension", "Text2", Qt::Key_5, "5", false, false},
        StaleResultCase{"RefusedLetterInDimension", "Text3", Qt::Key_X, "x", false, false},
        StaleResultCase{"RefusedLetterInRow1", "Text2", Qt::Key_X, "x", false, false},
        StaleResultCase{"RefusedLetterInRow3", "Text4", Qt::Key_X, "x", false, false},
        StaleResultCase{"RefusedCommaInPieces", "Text5", Qt::Key_Comma, ",", false, false},
        StaleResultCase{"DigitInPieces", "Text5", Qt::Key_5, "5", false, false},
        StaleResultCase{"DigitInPrice", "Text6", Qt::Key_5, "5", true, false},
        StaleResultCase{"RefusedLetterInPrice", "Text6", Qt::Key_X, "x", true, false},
        StaleResultCase{"KeyInReadOnlyDensity", "Text1", Qt::Key_5, "5", false, false},
        StaleResultCase{"DeleteInDimension", "Text2", Qt::Key_Delete, "\x7f", false, false},
        StaleResultCase{"DeleteInPrice", "Text6", Qt::Key_Delete, "\x7f", true, false},
        StaleResultCase{"DeleteInRow2", "Text3", Qt::Key_Delete, "\x7f", false, false},
        StaleResultCase{"DeleteInRow3", "Text4", Qt::Key_Delete, "\x7f", false, false},
        StaleResultCase{"DeleteInPieces", "Text5", Qt::Key_Delete, "\x7f", false, false},
        // Typed as code 3 on the classic desktop, even where the desktop gives it no text.
        StaleResultCase{"CopyKeyInDimension", "Text2", Qt::Key_C, "", false, false,
                        Qt::ControlModifier},
        StaleResultCase{"ArrowChangesNothing", "Text3", Qt::Key_Left, "", true, true},
        StaleResultCase{"TabChangesNothing", "Text6", Qt::Key_Tab, "\t", true, true},
        StaleResultCase{
            "DeleteAtTheEndChangesNothing", "Text4", Qt::Key_Delete, "\x7f", true, true, {}, true}),
    RowName{});

using InputField = WindowTest;

TEST_F(InputField, PriceOptionsHideOnlyThePrices) {
    showEstimate();
    click("Option2");
    EXPECT_TRUE(shown("Frame4"));
    EXPECT_FALSE(shown("Frame5"));
    click("Command1");
    click("Option1");
    EXPECT_TRUE(shown("Frame4"));
    EXPECT_FALSE(shown("Frame5"));
}

struct OptionEntryCase {
    const char *name;
    const char *shape;
    const char *from;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    const char *lands; // the option that gets the focus
    friend void PrintTo(const OptionEntryCase &row, std::ostream *os) { *os << row.name; }
};

class PriceOptionEntry : public WindowTest,
                         public ::testing::WithParamInterface<OptionEntryCase> {};

// From either side, the keyboard enters the price options at the selected one.
TEST_P(PriceOptionEntry, LandsOnTheSelectedOption) {
    const OptionEntryCase &c = GetParam();
    choose("Combo2", QString::fromLatin1(c.shape));
    control(c.from)->setFocus();
    QTest::keyClick(QApplication::focusWidget(), c.key, c.modifiers);
    EXPECT_EQ(focused(), c.lands);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, PriceOptionEntry,
    ::testing::Values(
        OptionEntryCase{"TabPerKilogram", "Round bar", "Text1", Qt::Key_Tab, {}, "Option1"},
        OptionEntryCase{"ShiftTabPerKilogram", "Round bar", "Combo1", Qt::Key_Backtab,
                        Qt::ShiftModifier, "Option1"},
        OptionEntryCase{"TabPerMetre", "Pipe thk.", "Text1", Qt::Key_Tab, {}, "Option2"},
        OptionEntryCase{"ShiftTabPerMetre", "Pipe dia.", "Combo1", Qt::Key_Backtab,
                        Qt::ShiftModifier, "Option2"}),
    RowName{});

// A list the user is not in passes the wheel on towards the window.
TEST_F(InputField, UnfocusedListPassesTheWheelOn) {
    struct WheelCounter : QObject {
        int turns = 0;
        bool eventFilter(QObject * /*watched*/, QEvent *event) override {
            turns += event->type() == QEvent::Wheel ? 1 : 0;
            return false;
        }
    } counter;
    window->installEventFilter(&counter);
    auto *shapes = control<QComboBox>("Combo2");
    const QPoint at = shapes->rect().center();
    QWheelEvent notch(at, shapes->mapToGlobal(at), {}, QPoint(0, -120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QSpontaneKeyEvent::setSpontaneous(&notch);
    QApplication::instance()->notify(shapes, &notch);
    window->removeEventFilter(&counter);
    EXPECT_EQ(counter.turns, 1);
}

TEST_F(InputField, ProgramWritesHideNothing) {
    showEstimate();
    type("Text5", QStringLiteral("0"));
    click("Command1"); // writes "1" into the pieces field
    EXPECT_TRUE(shown("Frame4"));
    EXPECT_TRUE(shown("Frame5"));
}

TEST_F(InputField, TabIntoAFieldSelectsItsText) {
    choose("Combo2", QStringLiteral("Plate"));
    control("Text2")->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    ASSERT_EQ(focused(), "Text3");
    EXPECT_EQ(control<QLineEdit>("Text3")->selectedText().toStdString(), "0,0");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_2);
    EXPECT_EQ(text("Text3"), "2");
}

struct EntryCase {
    const char *name;
    const char *from; // the control that has the focus before the key
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    friend void PrintTo(const EntryCase &row, std::ostream *os) { *os << row.name; }
};

class DensityEntry : public WindowTest, public ::testing::WithParamInterface<EntryCase> {};

// Entered by the keyboard too, the density field selects nothing: a digit goes in at the caret.
TEST_P(DensityEntry, SelectsNothing) {
    choose("Combo1", QStringLiteral("Other"));
    control(GetParam().from)->setFocus();
    QTest::keyClick(QApplication::focusWidget(), GetParam().key, GetParam().modifiers);
    ASSERT_EQ(focused(), "Text1");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_2);
    EXPECT_EQ(text("Text1"), "0,002");
}

INSTANTIATE_TEST_SUITE_P(Keys, DensityEntry,
                         ::testing::Values(EntryCase{"Tab", "Command1", Qt::Key_Tab, {}},
                                           EntryCase{"ShiftTab", "Option1", Qt::Key_Backtab,
                                                     Qt::ShiftModifier}),
                         RowName{});

struct MouseEntryCase {
    const char *name;
    const char *field;
    const char *text;
    int from; // the character boundaries where the button goes down and up
    int to;
    const char *selected;
    friend void PrintTo(const MouseEntryCase &row, std::ostream *os) { *os << row.name; }
};

class MouseEntry : public WindowTest, public ::testing::WithParamInterface<MouseEntryCase> {};

// A click into any field but the density selects its whole text, so that typing replaces it; a
// drag into it selects what it passes over. The event loop runs only once the button is up.
TEST_P(MouseEntry, ClickSelectsAllAndDragSelectsItsPart) {
    const MouseEntryCase &c = GetParam();
    choose("Combo2", QStringLiteral("Plate")); // all three dimension rows on screen
    auto *field = control<QLineEdit>(c.field);
    field->setText(QString::fromLatin1(c.text));
    const auto boundary = [field](int position) {
        field->setCursorPosition(position);
        const QRect caret = field->inputMethodQuery(Qt::ImCursorRectangle).toRect();
        return QPoint(caret.center().x(), field->height() / 2);
    };
    const QPoint from = boundary(c.from);
    const QPoint to = boundary(c.to);
    field->end(false);
    sendMouse(QEvent::MouseButtonPress, c.field, from);
    if (c.from != c.to) {
        sendMouse(QEvent::MouseMove, c.field, (from + to) / 2);
        sendMouse(QEvent::MouseMove, c.field, to);
    }
    sendMouse(QEvent::MouseButtonRelease, c.field, to);
    runBurst();
    ASSERT_EQ(focused(), c.field);
    EXPECT_EQ(field->selectedText().toStdString(), c.selected);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, MouseEntry,
    ::testing::Values(MouseEntryCase{"ClickInRow1", "Text2", "0,0", 1, 1, "0,0"},
                      MouseEntryCase{"ClickInRow2", "Text3", "0,0", 0, 0, "0,0"},
                      MouseEntryCase{"ClickInRow3", "Text4", "0,0", 3, 3, "0,0"},
                      MouseEntryCase{"ClickInPieces", "Text5", "12", 1, 1, "12"},
                      MouseEntryCase{"ClickInPrice", "Text6", "0,00", 2, 2, "0,00"},
                      MouseEntryCase{"DragToTheEnd", "Text6", "12345678", 4, 8, "5678"},
                      MouseEntryCase{"DragBackwards", "Text3", "123456789", 7, 2, "34567"}),
    RowName{});

struct BurstAfterTabCase {
    const char *name;
    const char *from;
    const char *into;
    friend void PrintTo(const BurstAfterTabCase &row, std::ostream *os) { *os << row.name; }
};

class KeysAfterTab : public WindowTest, public ::testing::WithParamInterface<BurstAfterTabCase> {};

// Keys sent in one burst with the Tab before them all land: entering selects the old text for
// the first key alone, whenever the event loop gets to run.
TEST_P(KeysAfterTab, AllLand) {
    choose("Combo2", QStringLiteral("Plate"));
    control(GetParam().from)->setFocus();
    queueKey(Qt::Key_Tab, "\t");
    queueKey(Qt::Key_2, "2");
    queueKey(Qt::Key_5, "5");
    queueKey(Qt::Key_0, "0");
    runBurst();
    ASSERT_EQ(focused(), GetParam().into);
    EXPECT_EQ(text(GetParam().into), "250");
    EXPECT_FALSE(control<QLineEdit>(GetParam().into)->hasSelectedText());
}

INSTANTIATE_TEST_SUITE_P(Fields, KeysAfterTab,
                         ::testing::Values(BurstAfterTabCase{"IntoADimension", "Text2", "Text3"},
                                           BurstAfterTabCase{"IntoThePieces", "Text4", "Text5"}),
                         RowName{});

TEST_F(InputField, ClickIntoAFieldSelectsItsText) {
    type("Text6", QStringLiteral("12,5"));
    auto *price = control<QLineEdit>("Text6");
    QTest::mouseClick(price, Qt::LeftButton, {}, QPoint(3, price->height() / 2));
    ASSERT_EQ(focused(), "Text6");
    EXPECT_EQ(price->selectedText().toStdString(), "12,5");
}

TEST_F(InputField, DensityFieldSelectsNothingOnEntry) {
    choose("Combo1", QStringLiteral("Other"));
    auto *density = control<QLineEdit>("Text1");
    QTest::mouseClick(density, Qt::LeftButton, {},
                      QPoint(density->width() - 2, density->height() / 2));
    QCoreApplication::processEvents();
    ASSERT_EQ(focused(), "Text1");
    EXPECT_FALSE(density->hasSelectedText());
    QTest::keyClick(density, Qt::Key_2);
    EXPECT_EQ(text("Text1"), "0,002");
}

// What a field told the source of a drag on entering, on moving and on the drop.
struct DragActions {
    Qt::DropAction entered = Qt::IgnoreAction;
    Qt::DropAction moved = Qt::IgnoreAction;
    Qt::DropAction dropped = Qt::IgnoreAction;
};

// Drops text at the end of a field as a drag from another program does, which offers to copy
// or to move it and proposes to move: the drop follows only when the field has accepted the drag
// on entering and on moving. On X11 the source acts on what the field accepts at each step.
DragActions dropText(QLineEdit *field, const QString &text,
                     Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QMimeData data;
    data.setText(text);
    const QPoint at(field->width() - 2, field->height() / 2);
    const Qt::DropActions offered = Qt::CopyAction | Qt::MoveAction;
    DragActions actions;
    QDragEnterEvent enter(at, offered, &data, Qt::LeftButton, modifiers);
    enter.setDropAction(Qt::MoveAction);
    QApplication::sendEvent(field, &enter);
    if (!enter.isAccepted())
        return actions;
    actions.entered = enter.dropAction();
    QDragMoveEvent move(at, offered, &data, Qt::LeftButton, modifiers);
    move.setDropAction(Qt::MoveAction);
    QApplication::sendEvent(field, &move);
    if (!move.isAccepted())
        return actions;
    actions.moved = move.dropAction();
    QDropEvent drop(QPointF(at), offered, &data, Qt::LeftButton, modifiers);
    drop.setDropAction(Qt::MoveAction);
    QApplication::sendEvent(field, &drop);
    if (drop.isAccepted())
        actions.dropped = drop.dropAction();
    return actions;
}

enum class Via { CtrlV, Drop, InputMethod };

struct PasteCase {
    const char *name;
    const char *field;
    const char *before;
    const char *clipboard; // or the dropped text
    const char *after;
    Via via;
    friend void PrintTo(const PasteCase &row, std::ostream *os) { *os << row.name; }
};

class Paste : public WindowTest, public ::testing::WithParamInterface<PasteCase> {};

// Pasted or dropped text goes through the field's key rule, as if typed character by character.
TEST_P(Paste, EntersOnlyWhatTypingWould) {
    const PasteCase &c = GetParam();
    showEstimate();
    auto *field = control<QLineEdit>(c.field);
    prepare(field, c.before);
    if (c.via == Via::Drop) {
        dropText(field, QString::fromUtf8(c.clipboard));
    } else if (c.via == Via::InputMethod) {
        QInputMethodEvent composed;
        composed.setCommitString(QString::fromUtf8(c.clipboard));
        QApplication::sendEvent(field, &composed);
    } else {
        QGuiApplication::clipboard()->setText(QString::fromUtf8(c.clipboard));
        QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
    }
    EXPECT_EQ(text(c.field), c.after);
    EXPECT_FALSE(shown("Frame5"));
}

INSTANTIATE_TEST_SUITE_P(
    Clipboard, Paste,
    ::testing::Values(
        PasteCase{"PriceWithCurrency", "Text6", "", "EUR 12.50", "12,50", Via::CtrlV},
        PasteCase{"DimensionWithUnit", "Text2", "", "1.5 mm", "1,5", Via::CtrlV},
        PasteCase{"PiecesKeepDigitsOnly", "Text5", "", "12.5 pcs", "125", Via::CtrlV},
        PasteCase{"WithinTheMaximumLength", "Text6", "1", "123456789", "11234567", Via::CtrlV},
        PasteCase{"ControlCharactersDropped", "Text3", "", "4\t2\n\b", "42", Via::CtrlV},
        PasteCase{"NothingUsable", "Text4", "7", "abc", "7", Via::CtrlV},
        PasteCase{"DroppedPrice", "Text6", "", "EUR 12.50", "12,50", Via::Drop},
        PasteCase{"DroppedPiecesAtTheEnd", "Text5", "1", "2.5 pcs", "125", Via::Drop},
        PasteCase{"DroppedWhereThePointerIs", "Text5", "|1", "2", "12", Via::Drop},
        PasteCase{"ComposedDimension", "Text2", "", "1.5x", "1,5", Via::InputMethod},
        PasteCase{"NothingUsableKeepsTheSelection", "Text4", "[7]", "abc", "7", Via::CtrlV},
        PasteCase{"FixedDensityTakesNothing", "Text1", "7,85", "1", "7,85", Via::CtrlV}),
    RowName{});

// The field may take only part of a dropped text, so the source is told to keep all of it, at
// every step of the drag, even when the user holds Shift to move it.
TEST_F(InputField, DroppedTextIsCopiedNotMoved) {
    for (const Qt::KeyboardModifiers modifiers : {Qt::NoModifier, Qt::ShiftModifier}) {
        const DragActions actions =
            dropText(control<QLineEdit>("Text5"), QStringLiteral("12 pcs"), modifiers);
        EXPECT_EQ(actions.entered, Qt::CopyAction);
        EXPECT_EQ(actions.moved, Qt::CopyAction);
        EXPECT_EQ(actions.dropped, Qt::CopyAction);
    }
}

// Only the focused control shows a caret: the one that showed where a drop would land goes with
// the drop, as it goes when a drag leaves.
TEST_F(InputField, DropIntoAFieldWithoutTheFocusLeavesNoCaret) {
    auto *price = control<QLineEdit>("Text6");
    // A field that has had the focus keeps its caret lit for the next time it is drawn.
    price->setFocus(Qt::TabFocusReason);
    control("Combo1")->setFocus(Qt::TabFocusReason);
    ASSERT_EQ(focused(), "Combo1");
    ASSERT_EQ(dropText(price, QStringLiteral("EUR 12.50")).dropped, Qt::CopyAction);
    const QImage afterDrop = price->grab().toImage();
    // The same field with a drag's caret at the end, where the dropped text ends.
    QMimeData data;
    data.setText(QStringLiteral("1"));
    QDragEnterEvent over(QPoint(price->width() - 2, price->height() / 2), Qt::CopyAction, &data,
                         Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(price, &over);
    ASSERT_TRUE(over.isAccepted());
    EXPECT_NE(price->grab().toImage(), afterDrop) << "a caret shows in a field without the focus";
}

// Without a key rule of its own, a field takes pasted text as it comes.
TEST(NumberFieldWithoutARule, TakesPastedTextAsItIs) {
    NumberField field;
    QGuiApplication::clipboard()->setText(QStringLiteral("a1.5"));
    field.pasteFiltered();
    EXPECT_EQ(field.text().toStdString(), "a1.5");
}

TEST_F(InputField, ContextMenuPasteGoesThroughTheKeyRule) {
    showEstimate();
    auto *pieces = control<NumberField>("Text5");
    prepare(pieces, "");
    QGuiApplication::clipboard()->setText(QStringLiteral("9i.5"));
    std::unique_ptr<QMenu> menu(pieces->createContextMenu());
    const QList<QAction *> pastes =
        menu->findChildren<QAction *>(QStringLiteral("edit-paste"), Qt::FindDirectChildrenOnly);
    ASSERT_EQ(pastes.size(), 1);
    pastes.front()->trigger();
    EXPECT_EQ(text("Text5"), "95");
    EXPECT_FALSE(shown("Frame4"));
}

// The right click that enters a field selects its text; the menu it opens offers that text.
TEST_F(InputField, FirstRightClickMenuMatchesTheSelection) {
    type("Text6", QStringLiteral("12,5"));
    auto *price = control<QLineEdit>("Text6");
    const QPoint at = price->rect().center();
    QTest::mousePress(price, Qt::RightButton, {}, at);
    QContextMenuEvent rightClick(QContextMenuEvent::Mouse, at, price->mapToGlobal(at));
    QApplication::sendEvent(price, &rightClick);
    auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    const auto *copy = menu->findChild<QAction *>(QStringLiteral("edit-copy"));
    const bool copyEnabled = copy != nullptr && copy->isEnabled();
    menu->close();
    QTest::mouseRelease(price, Qt::RightButton, {}, at);
    EXPECT_TRUE(copyEnabled);
}

TEST_F(InputField, RedoAndSelectAllWork) {
    auto *length = control<QLineEdit>("Text3");
    type("Text3", QStringLiteral("25"));
    QTest::keyClick(length, Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(length, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(text("Text3"), "25");
    QTest::keyClick(length, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(length->selectedText().toStdString(), "25");
}

// Every right-click makes a menu; closed, it goes, and no menus pile up in the field.
TEST_F(InputField, ClosedMenuIsGone) {
    auto *price = control<QLineEdit>("Text6");
    QContextMenuEvent menuKey(QContextMenuEvent::Keyboard, {}, price->mapToGlobal(QPoint()));
    QApplication::sendEvent(price, &menuKey);
    ASSERT_NE(QApplication::activePopupWidget(), nullptr);
    QApplication::activePopupWidget()->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(price->findChildren<QMenu *>().isEmpty());
}

TEST_F(InputField, ContextMenuCopyStillCopies) {
    showEstimate();
    auto *price = control<NumberField>("Text6");
    price->selectAll();
    QGuiApplication::clipboard()->setText(QStringLiteral("before"));
    std::unique_ptr<QMenu> menu(price->createContextMenu());
    auto *copy = menu->findChild<QAction *>(QStringLiteral("edit-copy"));
    ASSERT_NE(copy, nullptr);
    copy->trigger();
    EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(), "2,5");
}

// Dragging over a field's text selects it, and letting go keeps the selection.
TEST_F(InputField, DraggingSelectsText) {
    type("Text6", QStringLiteral("12,5"));
    auto *price = control<QLineEdit>("Text6");
    price->setFocus();
    QCoreApplication::processEvents();
    QTest::keyClick(price, Qt::Key_End);
    const int middle = price->height() / 2;
    QTest::mousePress(price, Qt::LeftButton, {}, QPoint(2, middle));
    QTest::mouseMove(price, QPoint(price->width() - 2, middle));
    QTest::mouseRelease(price, Qt::LeftButton, {}, QPoint(price->width() - 2, middle));
    EXPECT_EQ(price->selectedText().toStdString(), "12,5");
}

TEST_F(InputField, CopyCutAndUndoWork) {
    showEstimate();
    auto *price = control<QLineEdit>("Text6");
    price->selectAll();
    QTest::keyClick(price, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(), "2,5");
    EXPECT_EQ(text("Text6"), "2,5");

    auto *length = control<QLineEdit>("Text3");
    length->selectAll();
    QTest::keyClick(length, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(text("Text3"), "");
    EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(), "1000");
    EXPECT_FALSE(shown("Frame4"));
    QTest::keyClick(length, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(text("Text3"), "1000");
}

enum class Away { Menu, OtherWindow };

struct ReturnCase {
    const char *name;
    Away away;
    bool selected; // the whole text, as entering the field left it; else only the caret
    friend void PrintTo(const ReturnCase &row, std::ostream *os) { *os << row.name; }
};

class ReturnToAField : public WindowTest, public ::testing::WithParamInterface<ReturnCase> {};

// Coming back from the field's menu or from another window is not entering the field: the
// selection stays as the user left it.
TEST_P(ReturnToAField, LeavesTheSelectionAsItWas) {
    auto *price = control<QLineEdit>("Text6");
    QTest::mouseClick(price, Qt::LeftButton);
    QCoreApplication::processEvents();
    if (!GetParam().selected)
        QTest::keyClick(price, Qt::Key_End);
    const QString before = price->selectedText();
    ASSERT_EQ(before.isEmpty(), !GetParam().selected);
    if (GetParam().away == Away::Menu) {
        QContextMenuEvent menuKey(QContextMenuEvent::Keyboard, {}, price->mapToGlobal(QPoint()));
        QApplication::sendEvent(price, &menuKey);
        ASSERT_NE(QApplication::activePopupWidget(), nullptr);
        QApplication::activePopupWidget()->close();
    } else {
        QWidget other;
        other.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }
    ASSERT_EQ(focused(), "Text6");
    QCoreApplication::processEvents();
    EXPECT_EQ(price->selectedText(), before);
}

INSTANTIATE_TEST_SUITE_P(
    Ways, ReturnToAField,
    ::testing::Values(ReturnCase{"FromItsMenu", Away::Menu, false},
                      ReturnCase{"FromAnotherWindow", Away::OtherWindow, false},
                      ReturnCase{"FromItsMenuWithTheTextSelected", Away::Menu, true},
                      ReturnCase{"FromAnotherWindowWithTheTextSelected", Away::OtherWindow, true}),
    RowName{});

// Shift+Insert types no character, yet changes the text: the prices it affects must go.
TEST_F(InputField, PasteWithoutATypedKeyHidesThePrices) {
    showEstimate();
    auto *price = control<QLineEdit>("Text6");
    price->selectAll();
    QGuiApplication::clipboard()->setText(QStringLiteral("3.75"));
    QTest::keyClick(price, Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(text("Text6"), "3,75");
    EXPECT_TRUE(shown("Frame4"));
    EXPECT_FALSE(shown("Frame5"));
}

TEST_F(InputField, DensityChangedByTheGradeHidesTheResults) {
    showEstimate();
    control<QLineEdit>("Text1")->setText(QStringLiteral("7,81"));
    EXPECT_FALSE(shown("Frame4"));
    EXPECT_FALSE(shown("Frame5"));
}

struct WheelCase {
    const char *name;
    const char *list;
    bool focused;
    const char *after; // the list's text after one notch down
    friend void PrintTo(const WheelCase &row, std::ostream *os) { *os << row.name; }
};

class Wheel : public WindowTest, public ::testing::WithParamInterface<WheelCase> {};

// The wheel turns a list only while the list has the focus; elsewhere it chooses nothing.
TEST_P(Wheel, TurnsAListOnlyWhileItHasTheFocus) {
    const WheelCase &c = GetParam();
    choose("Combo1", QStringLiteral("Carbon steel"));
    choose("Combo2", QStringLiteral("Round bar"));
    control(c.focused ? c.list : "Text5")->setFocus();
    auto *list = control<QComboBox>(c.list);
    const QPoint at = list->rect().center();
    QWheelEvent notch(at, list->mapToGlobal(at), {}, QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    // Delivered as the desktop's own events are, so that Qt may move the focus or pass it on.
    QSpontaneKeyEvent::setSpontaneous(&notch);
    QApplication::instance()->notify(list, &notch);
    EXPECT_EQ(list->currentText().toStdString(), c.after);
}

INSTANTIATE_TEST_SUITE_P(
    Lists, Wheel,
    ::testing::Values(WheelCase{"GradeBoxWithoutFocus", "Combo1", false, "Carbon steel"},
                      WheelCase{"ShapeListWithoutFocus", "Combo2", false, "Round bar"},
                      WheelCase{"GradeBoxWithFocus", "Combo1", true, "AISI 300 series"},
                      WheelCase{"ShapeListWithFocus", "Combo2", true, "Flat bar"}),
    RowName{});

} // namespace
} // namespace kalvora::test
