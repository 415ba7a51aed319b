#include "ui/number_field.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>

namespace kalvora {

namespace {

bool isEditingShortcut(const QKeyEvent &event) {
    return event.matches(QKeySequence::Copy) || event.matches(QKeySequence::Cut) ||
           event.matches(QKeySequence::Undo) || event.matches(QKeySequence::Redo) ||
           event.matches(QKeySequence::SelectAll);
}

} // namespace

NumberField::NumberField(QWidget *parent) : QLineEdit(parent) {}

void NumberField::setKeyHandler(KeyHandler handler) { keyHandler_ = std::move(handler); }

int NumberField::typedKeyCode(const QKeyEvent &event) {
    const int key = event.key();
    // X11 sends Ctrl+V as "\x16", other platforms and QTest as "v": make them alike.
    if ((event.modifiers() & Qt::ControlModifier) && key >= Qt::Key_A && key <= Qt::Key_Z)
        return key - Qt::Key_A + 1;
    const QString text = event.text();
    if (text.isEmpty())
        return 0;
    const int code = text.at(0).unicode();
    // Tab moves the focus and Delete removes text; neither types a character.
    if (code == '\t' || code == 127)
        return 0;
    return code;
}

QString NumberField::filtered(const QString &text) {
    QString accepted;
    for (const QChar character : text) {
        int code = character.unicode();
        if (keyHandler_)
            keyHandler_(code);
        if (code != 0 && code != 8)
            accepted += QChar(code);
    }
    return accepted;
}

void NumberField::insertFiltered(const QString &text) {
    if (isReadOnly())
        return;
    const QString accepted = filtered(text);
    if (!accepted.isEmpty())
        insert(accepted);
}

void NumberField::pasteFiltered(QClipboard::Mode mode) {
    insertFiltered(QGuiApplication::clipboard()->text(mode));
}

// A key event arrives accepted; the field keeps it whatever becomes of its character.
void NumberField::keyPressEvent(QKeyEvent *event) {
    const int code = typedKeyCode(*event);
    int result = code;
    if (code != 0 && keyHandler_)
        keyHandler_(result);
    if (event->matches(QKeySequence::Paste)) {
        // Ctrl+V, or Shift+Insert, which types no character.
        pasteFiltered();
    } else if (result == code || isEditingShortcut(*event)) {
        // A character the rule keeps, a key that types none, or an editing shortcut whose
        // character the rule discards.
        QLineEdit::keyPressEvent(event);
    } else if (result != 0) {
        QKeyEvent replaced(event->type(), result, event->modifiers(), QString(QChar(result)),
                           event->isAutoRepeat());
        QLineEdit::keyPressEvent(&replaced);
    }
}

void NumberField::inputMethodEvent(QInputMethodEvent *event) {
    // Composed text is entered as if its characters were typed one by one.
    insertFiltered(event->commitString());
}

void NumberField::focusInEvent(QFocusEvent *event) {
    // Qt selects the whole text of a field entered with Tab; here only the window decides
    // whether a field selects on entry, so the caret stays where the field had it.
    const int caret = cursorPosition();
    const bool selected = hasSelectedText();
    QLineEdit::focusInEvent(event);
    if (!selected)
        setCursorPosition(caret);
    // Coming back from a menu or another window is not entering the field.
    if (event->reason() != Qt::PopupFocusReason && event->reason() != Qt::ActiveWindowFocusReason)
        emit focusReceived();
}

QMenu *NumberField::createContextMenu() {
    QMenu *menu = createStandardContextMenu();
    // The standard entry pastes unfiltered. Qt names the entry only by its (translated) text,
    // followed by a tab and the shortcut.
    const QString pasteText = QLineEdit::tr("&Paste");
    for (QAction *action : menu->actions()) {
        if (action->text().section(QLatin1Char('\t'), 0, 0) != pasteText)
            continue;
        disconnect(action, &QAction::triggered, nullptr, nullptr);
        connect(action, &QAction::triggered, this, [this] { pasteFiltered(); });
    }
    return menu;
}

void NumberField::contextMenuEvent(QContextMenuEvent *event) {
    QMenu *menu = createContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

void NumberField::mouseReleaseEvent(QMouseEvent *event) {
    if (event->button() == Qt::MiddleButton && QGuiApplication::clipboard()->supportsSelection()) {
        deselect();
        pasteFiltered(QClipboard::Selection);
        event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

// QLineEdit takes a drag only into an editable field and only of plain text, and moves the
// caret under the pointer as the drag moves; but it would insert the dropped text as it is.
void NumberField::dropEvent(QDropEvent *event) {
    insertFiltered(event->mimeData()->text());
    // The source keeps its text: the field may have taken only part of it.
    event->setDropAction(Qt::CopyAction);
    event->accept();
}

} // namespace kalvora
