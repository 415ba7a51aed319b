#pragma once

#include <QWidget>

#include <memory>
#include <optional>

class QLabel;

namespace Ui {
class Form1;
}

namespace kalvora {

class Desktop;
class NumberField;
struct EstimateInput;
struct EstimateResult;
enum class InputField;

// The calculator window. It owns all state in its controls; each handler reads the controls it
// needs, lets the core do the arithmetic and writes the outcome back into the controls.
class Form1 : public QWidget {
    Q_OBJECT
public:
    explicit Form1(Desktop &desktop, QWidget *parent = nullptr);
    ~Form1() override;

    // Fills the grade and shape lists, shows the window and puts the focus in the grade box.
    void load();

private:
    void connectHandlers();

    // The window's event handlers, one for each control and event.
    void label8Click();
    void combo1Click();
    void combo2Click();
    void command1Click();
    void option1Click();
    void option2Click();
    void text1Change();
    void text1KeyPress(int &keyCode);
    void text2KeyPress(int &keyCode);
    void text3KeyPress(int &keyCode);
    void text4KeyPress(int &keyCode);
    void text5KeyPress(int &keyCode);
    void text6KeyPress(int &keyCode);
    void text2GotFocus();
    void text3GotFocus();
    void text4GotFocus();
    void text5GotFocus();
    void text6GotFocus();
    // Edits of the user that change a field's text without a typed key (Delete, cut, paste,
    // undo, drop) make the same results stale as a typed key does.
    void text2Edited();
    void text3Edited();
    void text4Edited();
    void text5Edited();
    void text6Edited();

    void keepTabStopOnSelectedOption();
    void hideResultPanels();
    EstimateInput readInput() const;
    void reportFaultyInput(const EstimateResult &result);

    struct InputRow {
        NumberField *field;
        QLabel *caption;
    };
    std::optional<InputRow> inputRow(InputField field) const;

    std::unique_ptr<Ui::Form1> ui_;
    Desktop &desktop_;
};

} // namespace kalvora
