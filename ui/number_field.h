#pragma once

#include <QClipboard>
#include <QLineEdit>

#include <functional>
#include <optional>

class QMenu;

namespace kalvora {

// A line edit whose typed characters pass through a key handler before the field sees them,
// and whose pasted or dropped text passes through the same handler character by character, as
// if it were typed. The handler may replace a character code or discard it by setting it to 0.
class NumberField : public QLineEdit {
    Q_OBJECT
public:
    using KeyHandler = std::function<void(int &keyCode)>;

    explicit NumberField(QWidget *parent = nullptr);

    void setKeyHandler(KeyHandler handler);
    // Pastes the clipboard (or the X11 selection) through the key handler.
    void pasteFiltered(QClipboard::Mode mode = QClipboard::Clipboard);
    // The usual editing menu, whose Paste goes through the key handler. Its entries are named
    // after what they do: "edit-undo", "edit-redo", "edit-cut", "edit-copy", "edit-paste" and
    // "select-all".
    QMenu *createContextMenu();

    // The character code a key press types, or 0 when it types none: Tab moves the focus and
    // Delete, arrows and modifiers carry no character. Ctrl+letter gives 1 to 26 everywhere.
    static int typedKeyCode(const QKeyEvent &event);

signals:
    void focusReceived();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    struct Selection {
        int start;
        int length;
    };

    void typeCharacter(int code, QKeyEvent *event);
    QString filtered(const QString &text);
    void insertFiltered(const QString &text);

    KeyHandler keyHandler_;
    // What entering the field selected, while the mouse press that gave it the focus is down.
    std::optional<Selection> entrySelection_;
};

} // namespace kalvora
