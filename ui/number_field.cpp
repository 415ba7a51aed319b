#include "ui/number_field.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>

#include <utility>

namespace kalvora {

namespace {

bool isEditingShortcut(const QKeyEvent &event) {
    return event.matches(QKeySequence::Copy) || event.matches(QKeySequence::Cut) ||
           event.matches(QKeySequence::Undo) || event.matches(QKeySequence::Redo) ||
           event.matches(QKeySequence::SelectAll);
}

// Tab moves the focus and Delete removes text; neither types a character.
int characterCode(QChar character) {
    const int code = character.unicode();
    return code == '\t' || code == 127 ? 0 : code;
}

// The key that types a character a key rule can give. Qt's codes for these keys equal the
// characters' own codes, but that is Qt's choice, not a rule to lean on.
Qt::Key keyTyping(int code) {
    switch (code) {
    case 8:
        return Qt::Key_Backspace;
    case ',':
        return Qt::Key_Comma;
    case '.':
        return Qt::Key_Period;
    default:
        break;
    }
    if (code >= '0' && code <= '9')
        return static_cast<Qt::Key>(Qt::Key_0 + (code - '0'));
    return Qt::Key_unknown;
}

// Qt 6.4 names the entries of a field's standard menu only by their translated text; what
// tells them apart is the slot of the field that each one is wired to.
struct StandardEntry {
    const char *slot;
    QLatin1StringView name;
    bool pastes = false;
};

} // namespace

NumberField::NumberField(QWidget *parent) : QLineEdit(parent) {}

void NumberField::setKeyHandler(KeyHandler handler) { keyHandler_ = std::move(handler); }

int NumberField::typedKeyCode(const QKeyEvent &event) {
    const int key = event.key();
    // X11 sends Ctrl+V as "\x16", other platforms and QTest as "v": make them alike.
    if ((event.modifiers() & Qt::ControlModifier) && key >= Qt::Key_A && key <= Qt::Key_Z)
        return key - Qt::Key_A + 1;
    const QString text = event.text();
    return text.isEmpty() ? 0 : characterCode(text.at(0));
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

// A key event arrives accepted; the field keeps it whatever becomes of its characters.
void NumberField::keyPressEvent(QKeyEvent *event) {
    // A key typed while the button that entered the field is down makes a change of its own.
    entrySelection_.reset();
    const int code = typedKeyCode(*event);
    const QString text = event->text();
    if (code == 0 || isEditingShortcut(*event) || event->matches(QKeySequence::Paste)) {
        // A key that types no character, or an editing shortcut, whose control character the
        // rule sees (and discards) before the shortcut does its work.
        int discarded = code;
        if (code != 0 && keyHandler_)
            keyHandler_(discarded);
        if (event->matches(QKeySequence::Paste))
            pasteFiltered(); // Ctrl+V, or Shift+Insert, which types no character
        else
            QLineEdit::keyPressEvent(event);
    } else if (text.size() > 1 && !(event->modifiers() & Qt::ControlModifier)) {
        // Several characters in one event, as an input method or a remote session sends them:
        // each goes through the rule as if typed on its own.
        for (const QChar character : text) {
            if (const int each = characterCode(character); each != 0)
                typeCharacter(each, event);
        }
    } else {
        typeCharacter(code, event);
    }
}

// Types one character of `event` through the rule: the event itself when it carries just this
// character and the rule keeps it, otherwise a key press of what the rule made of it.
void NumberField::typeCharacter(int code, QKeyEvent *event) {
    int result = code;
    if (keyHandler_)
        keyHandler_(result);
    if (result == 0)
        return;
    if (result == code && event->text().size() <= 1) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    QKeyEvent typed(event->type(), keyTyping(result), event->modifiers(), QString(QChar(result)),
                    event->isAutoRepeat());
    QLineEdit::keyPressEvent(&typed);
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
    // The press that gave the focus places the caret after this; unless it drags a selection of
    // its own, its release gives back what entering selected.
    entrySelection_.reset();
    if (event->reason() == Qt::MouseFocusReason && hasSelectedText())
        entrySelection_ = Selection{selectionStart(), selectionLength()};
}

QMenu *NumberField::createContextMenu() {
    static const StandardEntry entries[] = {
        {SLOT(undo()), QLatin1StringView("edit-undo")},
        {SLOT(redo()), QLatin1StringView("edit-redo")},
        {SLOT(cut()), QLatin1StringView("edit-cut")},
        {SLOT(copy()), QLatin1StringView("edit-copy")},
        {SLOT(paste()), QLatin1StringView("edit-paste"), true},
        {SLOT(selectAll()), QLatin1StringView("select-all")},
    };
    QMenu *menu = createStandardContextMenu();
    for (QAction *action : menu->actions()) {
        for (const StandardEntry &entry : entries) {
            if (!disconnect(action, SIGNAL(triggered()), this, entry.slot))
                continue;
            action->setObjectName(entry.name);
            // The standard Paste would take the clipboard unfiltered.
            if (entry.pastes)
                connect(action, &QAction::triggered, this, [this] { pasteFiltered(); });
            else
                connect(action, SIGNAL(triggered()), this, entry.slot);
            break;
        }
    }
    return menu;
}

void NumberField::contextMenuEvent(QContextMenuEvent *event) {
    QMenu *menu = createContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

void NumberField::mouseReleaseEvent(QMouseEvent *event) {
    const std::optional<Selection> entered = std::exchange(entrySelection_, std::nullopt);
    if (event->button() == Qt::MiddleButton && QGuiApplication::clipboard()->supportsSelection()) {
        deselect();
        pasteFiltered(QClipboard::Selection);
        event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
    // A click that entered the field selects as entering it does; a drag keeps what it selected.
    if (entered && event->button() == Qt::LeftButton && !hasSelectedText())
        setSelection(entered->start, entered->length);
}

namespace {

// The action a drag source acts on is the one the target accepts, on entering and moving as well
// as on the drop: accepting a move tells another program's editor to delete its text. The field
// may take only part of a dropped text, so it only ever copies, and a drag that cannot be copied
// is refused rather than moved.
bool acceptAsCopy(QDropEvent *event, bool wanted) {
    if (!wanted || !(event->possibleActions() & Qt::CopyAction)) {
        event->ignore();
        return false;
    }
    event->setDropAction(Qt::CopyAction);
    event->accept();
    return true;
}

} // namespace

// QLineEdit takes a drag only into an editable field and only of plain text, and moves the
// caret under the pointer as the drag moves.
void NumberField::dragEnterEvent(QDragEnterEvent *event) {
    QLineEdit::dragEnterEvent(event);
    acceptAsCopy(event, event->isAccepted());
}

void NumberField::dragMoveEvent(QDragMoveEvent *event) {
    QLineEdit::dragMoveEvent(event);
    acceptAsCopy(event, event->isAccepted());
}

// QLineEdit would insert the dropped text as it is.
void NumberField::dropEvent(QDropEvent *event) {
    if (!acceptAsCopy(event, !isReadOnly()))
        return;
    insertFiltered(event->mimeData()->text());
    // The caret that showed where the text would land goes, as after any drag that leaves: only
    // the focused field shows a caret.
    QDragLeaveEvent left;
    QLineEdit::dragLeaveEvent(&left);
}

} // namespace kalvora
