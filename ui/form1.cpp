#include "ui/form1.h"

#include "core/estimate.h"
#include "core/key_rules.h"
#include "core/material_grades.h"
#include "core/shapes.h"
#include "ui/branding.h"
#include "ui/desktop.h"
#include "ui/form_setup.h"
#include "ui/input_warning.h"
#include "ui/ui_form1.h"
#include "ui/wheel_guard.h"

#include <QLineEdit>
#include <QPixmap>
#include <QUrl>

#include <optional>
#include <utility>

namespace kalvora {

namespace {

QString toQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

Form1::Form1(Desktop &desktop, QWidget *parent)
    : QWidget(parent), ui_(std::make_unique<Ui::Form1>()), desktop_(desktop) {
    ui_->setupUi(this);
    // The title names the version, so that a user can tell which one an upgrade left in place.
    setWindowTitle(QStringLiteral("Kalvora " KALVORA_VERSION));
    applyFormFonts(this);
    ui_->Image1->setPixmap(logoPixmap());

    ui_->Label8->setText(QString::fromUtf8(branding::kWebHost));
    ui_->Label8->setCursor(handPointer());
    ui_->Label16->setText(QString::fromUtf8(branding::kStreet));
    ui_->Label17->setText(QString::fromUtf8(branding::kPostcodeTownProvinceCountry));
    ui_->Label25->setText(QStringLiteral("ph.  ") + QString::fromUtf8(branding::kTelephone));
    ui_->Label26->setText(QStringLiteral("fax. ") + QString::fromUtf8(branding::kFax));

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
        rows[i].field->setAccessibleName(fieldName(caption) + QStringLiteral(" in millimetres"));
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
    if (result.gradeMissing) {
        const InputWarning warning = toInputWarning(gradeMissingWarning());
        desktop_.showWarning(this, warning.title, warning.prompt);
    }
    if (result.piecesReset)
        ui_->Text5->setText(QStringLiteral("1"));
    ui_->Label20->setVisible(result.allPiecesShown);
    ui_->Label23->setVisible(result.allPiecesShown);
    if (result.shapeMissing) {
        const InputWarning warning = toInputWarning(shapeMissingWarning());
        desktop_.showWarning(this, warning.title, warning.prompt);
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

// Each input the core can find fault with: the field to mend and the caption that names it.
std::optional<Form1::InputRow> Form1::inputRow(InputField field) const {
    const std::pair<InputField, InputRow> rows[] = {
        {InputField::Density, {ui_->Text1, ui_->Label2}},
        {InputField::Dimension1, {ui_->Text2, ui_->Label5}},
        {InputField::Dimension2, {ui_->Text3, ui_->Label9}},
        {InputField::Dimension3, {ui_->Text4, ui_->Label10}},
        {InputField::Pieces, {ui_->Text5, ui_->Label14}},
        {InputField::Price, {ui_->Text6, ui_->Label15}},
    };
    for (const auto &[input, row] : rows) {
        if (input == field)
            return row;
    }
    return std::nullopt;
}

// A figure that cannot be computed hides both panels, so that nothing on screen contradicts
// the inputs, and leaves the user in the field to mend.
void Form1::reportFaultyInput(const EstimateResult &result) {
    const std::optional<InputRow> faulty = inputRow(result.faultyField);
    // The core names a field for every fault it finds.
    Q_ASSERT(faulty.has_value());
    if (!faulty)
        return;
    const InputWarning warning =
        inputWarning(result.status, result.faultyField, faulty->caption->text(),
                     inputRow(InputField::Dimension1)->caption->text());
    hideResultPanels();
    desktop_.showWarning(this, warning.title, warning.prompt);
    faulty->field->setFocus(Qt::OtherFocusReason);
    faulty->field->selectAll();
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

void Form1::text2GotFocus() { ui_->Text2->selectAll(); }

void Form1::text3GotFocus() { ui_->Text3->selectAll(); }

void Form1::text4GotFocus() { ui_->Text4->selectAll(); }

void Form1::text5GotFocus() { ui_->Text5->selectAll(); }

void Form1::text6GotFocus() { ui_->Text6->selectAll(); }

void Form1::text2Edited() { hideResultPanels(); }

void Form1::text3Edited() { hideResultPanels(); }

void Form1::text4Edited() { hideResultPanels(); }

void Form1::text5Edited() { hideResultPanels(); }

void Form1::text6Edited() { ui_->Frame5->hide(); }

} // namespace kalvora
