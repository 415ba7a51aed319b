#include "ui/form1.h"

#include "core/estimate.h"
#include "core/material_grades.h"
#include "core/shapes.h"
#include "ui/branding.h"
#include "ui/desktop.h"
#include "ui/key_rules.h"
#include "ui/ui_form1.h"
#include "ui/wheel_guard.h"

#include <QApplication>
#include <QLineEdit>
#include <QPixmap>
#include <QTimer>
#include <QUrl>

namespace kalvora {

namespace {

QString toQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Designer forms store whole point sizes only; the form keeps the exact size of each font in
// the dynamic property "fontPointSize".
void applyFontPointSizes(QWidget *form) {
    QList<QWidget *> widgets{form};
    widgets += form->findChildren<QWidget *>();
    for (QWidget *widget : widgets) {
        const QVariant size = widget->property("fontPointSize");
        if (!size.isValid())
            continue;
        QFont font = widget->font();
        font.setPointSizeF(size.toDouble());
        widget->setFont(font);
    }
}

QCursor handPointer() {
    // Drawn from the 64-pixel hand on dense screens so that it stays sharp. The hot spot is
    // the fingertip, at (12, 1) of the 32-pixel hand, and is given in the pixmap's own pixels.
    const qreal scale = qApp->devicePixelRatio();
    const int size = qRound(32 * scale);
    const QPixmap hand(scale > 1 ? QStringLiteral(":/kalvora/hand-pointer-64.png")
                                 : QStringLiteral(":/kalvora/hand-pointer.png"));
    // Scaling to the size the hand already has leaves it untouched.
    return QCursor(hand.scaled(size, size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation),
                   qRound(12 * scale), qRound(1 * scale));
}

// On the button face the density field paints no background of its own: the frame's fill
// shows through, so the value never stands out as a patch of another shade, whatever the
// style draws a frame with. For "Other" it is an input field on the window background.
void setDensityBackground(QLineEdit *field, bool buttonFace) {
    QPalette palette = field->palette();
    palette.setColor(QPalette::Base, buttonFace
                                         ? QColor(Qt::transparent)
                                         : QApplication::palette(field).color(QPalette::Base));
    field->setPalette(palette);
}

// A fixed density reads as a flat value on the button face; "Other" makes it an ordinary
// input field on the window background.
void setDensityFieldLook(QLineEdit *field, bool fixed) {
    setDensityBackground(field, fixed);
    field->setFrame(!fixed);
    field->setReadOnly(fixed);
}

// At once, for a key typed right after Tab; and again once a mouse press that gave the focus
// has placed the caret, which it does after this runs.
void selectOnEntry(QLineEdit *field) {
    field->selectAll();
    QTimer::singleShot(0, field, &QLineEdit::selectAll);
}

QString withoutColon(QString caption) {
    if (caption.endsWith(QLatin1Char(':')))
        caption.chop(1);
    return caption;
}

// Qt tells screen readers that a caption labels a control only when the two share a parent; the
// grade box and the density field stand in the window, over the frame that holds their captions.
// A hidden copy of such a caption beside its control carries the relation.
void labelAcrossFrames(QWidget *form) {
    for (const QLabel *caption : form->findChildren<QLabel *>()) {
        QWidget *control = caption->buddy();
        if (control == nullptr || control->parentWidget() == caption->parentWidget())
            continue;
        auto *standIn = new QLabel(caption->text(), control->parentWidget());
        standIn->hide();
        standIn->setBuddy(control);
    }
}

} // namespace

Form1::Form1(Desktop &desktop, QWidget *parent)
    : QWidget(parent), ui_(std::make_unique<Ui::Form1>()), desktop_(desktop) {
    ui_->setupUi(this);
    applyFontPointSizes(this);

    ui_->Label8->setText(QString::fromUtf8(branding::kWebHost));
    ui_->Label8->setCursor(handPointer());
    ui_->Label16->setText(QString::fromUtf8(branding::kStreet));
    ui_->Label17->setText(QString::fromUtf8(branding::kPostcodeTownProvinceCountry));
    ui_->Label25->setText(QStringLiteral("ph.  ") + QString::fromUtf8(branding::kTelephone));
    ui_->Label26->setText(QStringLiteral("fax. ") + QString::fromUtf8(branding::kFax));

    // Before any grade is chosen the density field looks fixed, yet takes typing.
    setDensityBackground(ui_->Text1, true);

    // Typed text in the grade box chooses nothing (the form keeps it out of the list too): only
    // an entry of its list does. Without a completer the text stays as typed, and Enter does not
    // choose the entry it matches.
    ui_->Combo1->setCompleter(nullptr);
    // Screen readers announce the text entry of the box, which has no caption of its own.
    ui_->Combo1->lineEdit()->setAccessibleName(QStringLiteral("Grade"));
    labelAcrossFrames(this);
    // Leaving the box after typing a grade's name would choose it as well.
    disconnect(ui_->Combo1->lineEdit(), &QLineEdit::editingFinished, ui_->Combo1, nullptr);

    connectHandlers();
    keepTabStopOnSelectedOption();
}

Form1::~Form1() {
    // Closing the window moves the focus while the controls go away; no signal of theirs may
    // reach a handler of a window that is no longer whole.
    for (QObject *control : findChildren<QObject *>())
        control->disconnect(this);
    for (NumberField *field : findChildren<NumberField *>())
        field->setKeyHandler({});
}

void Form1::connectHandlers() {
    connect(ui_->Label8, &LinkLabel::clicked, this, &Form1::label8Click);
    connect(ui_->Combo1, &QComboBox::activated, this, &Form1::combo1Click);
    connect(ui_->Combo2, &QComboBox::activated, this, &Form1::combo2Click);
    connect(ui_->Command1, &QPushButton::clicked, this, &Form1::command1Click);
    connect(ui_->Option1, &QRadioButton::clicked, this, &Form1::option1Click);
    connect(ui_->Option2, &QRadioButton::clicked, this, &Form1::option2Click);
    connect(ui_->Option1, &QRadioButton::toggled, this, &Form1::keepTabStopOnSelectedOption);
    connect(ui_->Text1, &QLineEdit::textChanged, this, &Form1::text1Change);

    ui_->Text1->setKeyHandler([this](int &keyCode) { text1KeyPress(keyCode); });
    ui_->Text2->setKeyHandler([this](int &keyCode) { text2KeyPress(keyCode); });
    ui_->Text3->setKeyHandler([this](int &keyCode) { text3KeyPress(keyCode); });
    ui_->Text4->setKeyHandler([this](int &keyCode) { text4KeyPress(keyCode); });
    ui_->Text5->setKeyHandler([this](int &keyCode) { text5KeyPress(keyCode); });
    ui_->Text6->setKeyHandler([this](int &keyCode) { text6KeyPress(keyCode); });

    connect(ui_->Text2, &NumberField::focusReceived, this, &Form1::text2GotFocus);
    connect(ui_->Text3, &NumberField::focusReceived, this, &Form1::text3GotFocus);
    connect(ui_->Text4, &NumberField::focusReceived, this, &Form1::text4GotFocus);
    connect(ui_->Text5, &NumberField::focusReceived, this, &Form1::text5GotFocus);
    connect(ui_->Text6, &NumberField::focusReceived, this, &Form1::text6GotFocus);

    connect(ui_->Text2, &QLineEdit::textEdited, this, &Form1::text2Edited);
    connect(ui_->Text3, &QLineEdit::textEdited, this, &Form1::text3Edited);
    connect(ui_->Text4, &QLineEdit::textEdited, this, &Form1::text4Edited);
    connect(ui_->Text5, &QLineEdit::textEdited, this, &Form1::text5Edited);
    connect(ui_->Text6, &QLineEdit::textEdited, this, &Form1::text6Edited);

    auto *wheelGuard = new WheelGuard(this);
    wheelGuard->guard(ui_->Combo1);
    wheelGuard->guard(ui_->Combo2);
}

void Form1::load() {
    // Appending to an empty list would choose its first entry; the lists start with none.
    const QString gradePrompt = ui_->Combo1->currentText();
    for (const MaterialGrade &grade : allGrades())
        ui_->Combo1->addItem(toQString(grade.name));
    ui_->Combo1->setCurrentIndex(-1);
    ui_->Combo1->setEditText(gradePrompt);
    for (const ShapeKind shape : allShapes())
        ui_->Combo2->addItem(toQString(shapeDisplayName(shape)));
    ui_->Combo2->setCurrentIndex(-1);

    show();
    ui_->Combo1->setFocus();
}

// Both panels: the weights, then the prices that follow from them.
void Form1::hideResultPanels() {
    ui_->Frame4->hide();
    ui_->Frame5->hide();
}

void Form1::label8Click() {
    desktop_.openWebPage(QUrl(QStringLiteral("http://") + QString::fromUtf8(branding::kWebHost)));
}

void Form1::combo1Click() {
    hideResultPanels();
    const auto grade = gradeFromText(ui_->Combo1->currentText().toStdString());
    if (!grade)
        return;
    ui_->Text1->setText(toQString(grade->densityText));
    setDensityFieldLook(ui_->Text1, grade->densityFixed);
}

void Form1::combo2Click() {
    hideResultPanels();
    const auto shape = shapeFromText(ui_->Combo2->currentText().toStdString());
    if (!shape)
        return;
    const ShapeLayout &layout = shapeLayout(*shape);
    const struct {
        QLabel *caption;
        NumberField *field;
        QLabel *unit;
    } rows[] = {{ui_->Label5, ui_->Text2, ui_->Label11},
                {ui_->Label9, ui_->Text3, ui_->Label12},
                {ui_->Label10, ui_->Text4, ui_->Label13}};
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        const RowLayout &row = layout.rows[i];
        const QString caption = toQString(row.caption);
        rows[i].caption->setVisible(row.visible);
        rows[i].field->setVisible(row.visible);
        rows[i].field->setText(toQString(kDimensionResetText));
        rows[i].unit->setVisible(row.visible);
        rows[i].caption->setText(caption);
        rows[i].field->setAccessibleName(withoutColon(caption) + QStringLiteral(" in millimetres"));
    }
    ui_->Option1->setEnabled(true);
    ui_->Option1->setChecked(layout.selectedBasis == PriceBasis::PerKilogram);
    ui_->Option2->setEnabled(layout.perMetreEnabled);
    ui_->Option2->setChecked(layout.selectedBasis == PriceBasis::PerMetre);
}

EstimateInput Form1::readInput() const {
    EstimateInput input;
    input.shape = shapeFromText(ui_->Combo2->currentText().toStdString());
    input.densityText = ui_->Text1->text().toStdString();
    input.piecesText = ui_->Text5->text().toStdString();
    input.dimension1Text = ui_->Text2->text().toStdString();
    input.dimension2Text = ui_->Text3->text().toStdString();
    input.dimension3Text = ui_->Text4->text().toStdString();
    input.priceText = ui_->Text6->text().toStdString();
    input.priceBasis = ui_->Option1->isChecked() ? PriceBasis::PerKilogram : PriceBasis::PerMetre;
    return input;
}

void Form1::command1Click() {
    const EstimateResult result = computeEstimate(readInput());
    if (result.status != EstimateStatus::Ok) {
        reportFaultyInput(result);
        return;
    }
    ui_->Frame4->show();
    ui_->Frame5->setVisible(result.pricePanelShown);
    if (result.gradeMissing)
        desktop_.showWarning(this, QStringLiteral("Grade not set"), QStringLiteral("Choose grade"));
    if (result.piecesReset)
        ui_->Text5->setText(QStringLiteral("1"));
    ui_->Label20->setVisible(result.allPiecesShown);
    ui_->Label23->setVisible(result.allPiecesShown);
    if (result.shapeMissing) {
        desktop_.showWarning(this, QStringLiteral("Shape not set"), QStringLiteral("Choose shape"));
        ui_->Combo1->setFocus();
        return;
    }
    ui_->Label19->setText(toQString(result.weightPieceLine));
    ui_->Label20->setText(toQString(result.weightAllLine));
    ui_->Label22->setText(toQString(result.costPieceLine));
    ui_->Label23->setText(toQString(result.costAllLine));
    if (!result.metreWeightShown) {
        ui_->Label21->hide();
        ui_->Label24->hide();
    } else {
        ui_->Label21->show();
        ui_->Label21->setText(toQString(result.weightMetreLine));
        // The core prices a metre only per kilogram, that is with Option2 cleared.
        if (!result.metreCostShown) {
            ui_->Label24->hide();
        } else {
            ui_->Label24->show();
            ui_->Label24->setText(toQString(result.costMetreLine));
        }
    }
    ui_->Combo1->setFocus();
}

NumberField *Form1::fieldOf(InputField field) const {
    switch (field) {
    case InputField::Density:
        return ui_->Text1;
    case InputField::Dimension1:
        return ui_->Text2;
    case InputField::Dimension2:
        return ui_->Text3;
    case InputField::Dimension3:
        return ui_->Text4;
    case InputField::Pieces:
        return ui_->Text5;
    case InputField::Price:
    case InputField::None:
        break;
    }
    return ui_->Text6;
}

QString Form1::captionOf(InputField field) const {
    switch (field) {
    case InputField::Density:
        return withoutColon(ui_->Label2->text());
    case InputField::Dimension1:
        return withoutColon(ui_->Label5->text());
    case InputField::Dimension2:
        return withoutColon(ui_->Label9->text());
    case InputField::Dimension3:
        return withoutColon(ui_->Label10->text());
    case InputField::Pieces:
        return withoutColon(ui_->Label14->text());
    case InputField::Price:
    case InputField::None:
        break;
    }
    return withoutColon(ui_->Label15->text());
}

// A figure that cannot be computed hides both panels, so that nothing on screen contradicts
// the inputs, and leaves the user in the field to mend. Each prompt fits one line of the message
// box, which wraps beyond half the screen's width: a 1024-pixel screen at 2x leaves 183 pixels.
void Form1::reportFaultyInput(const EstimateResult &result) {
    hideResultPanels();
    const auto quoted = [this](InputField field) {
        return QLatin1Char('"') + captionOf(field) + QLatin1Char('"');
    };
    const QString name = quoted(result.faultyField);
    QString title;
    QString prompt;
    switch (result.status) {
    case EstimateStatus::NotANumber:
        title = QStringLiteral("Not a number");
        prompt = result.faultyField == InputField::Pieces
                     ? QStringLiteral("Type a whole number in %1").arg(name)
                     : QStringLiteral("Type a number in %1").arg(name);
        break;
    case EstimateStatus::TooLarge:
        title = QStringLiteral("Value too large");
        prompt = QStringLiteral("Make %1 smaller").arg(name);
        break;
    case EstimateStatus::ZeroLength:
        title = QStringLiteral("Length not set");
        prompt = QStringLiteral("%1 must not be zero").arg(name);
        break;
    case EstimateStatus::InternalDiameterTooLarge:
        title = QStringLiteral("Section not possible");
        prompt = QStringLiteral("%1 > %2").arg(name, quoted(InputField::Dimension1));
        break;
    case EstimateStatus::WallTooThick:
        title = QStringLiteral("Section not possible");
        prompt = QStringLiteral("2 \u00d7 %1 > %2").arg(name, quoted(InputField::Dimension1));
        break;
    case EstimateStatus::Ok:
        return;
    }
    desktop_.showWarning(this, title, prompt);
    NumberField *field = fieldOf(result.faultyField);
    field->setFocus(Qt::OtherFocusReason);
    field->selectAll();
}

// Tab and Shift+Tab enter the price options at the selected one, as on the classic desktop:
// Qt makes the option that last had the focus the group's tab stop, and until then both.
void Form1::keepTabStopOnSelectedOption() {
    for (QRadioButton *option : {ui_->Option1, ui_->Option2})
        option->setFocusPolicy(option->isChecked() ? Qt::StrongFocus : Qt::ClickFocus);
}

void Form1::option1Click() { ui_->Frame5->hide(); }

void Form1::option2Click() { ui_->Frame5->hide(); }

void Form1::text1Change() {
    ui_->Frame5->hide();
    ui_->Frame4->hide();
}

void Form1::text1KeyPress(int &keyCode) {
    hideResultPanels();
    keyCode = decimalFieldKey(keyCode);
}

void Form1::text2KeyPress(int &keyCode) {
    hideResultPanels();
    keyCode = decimalFieldKey(keyCode);
}

void Form1::text3KeyPress(int &keyCode) {
    hideResultPanels();
    keyCode = decimalFieldKey(keyCode);
}

void Form1::text4KeyPress(int &keyCode) {
    hideResultPanels();
    keyCode = decimalFieldKey(keyCode);
}

void Form1::text5KeyPress(int &keyCode) {
    hideResultPanels();
    keyCode = piecesFieldKey(keyCode);
}

void Form1::text6KeyPress(int &keyCode) {
    ui_->Frame5->hide();
    keyCode = decimalFieldKey(keyCode);
}

void Form1::text2GotFocus() { selectOnEntry(ui_->Text2); }

void Form1::text3GotFocus() { selectOnEntry(ui_->Text3); }

void Form1::text4GotFocus() { selectOnEntry(ui_->Text4); }

void Form1::text5GotFocus() { selectOnEntry(ui_->Text5); }

void Form1::text6GotFocus() { selectOnEntry(ui_->Text6); }

void Form1::text2Edited() { hideResultPanels(); }

void Form1::text3Edited() { hideResultPanels(); }

void Form1::text4Edited() { hideResultPanels(); }

void Form1::text5Edited() { hideResultPanels(); }

void Form1::text6Edited() { ui_->Frame5->hide(); }

} // namespace kalvora
