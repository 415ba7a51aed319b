// Long random sequences of real input events over the whole window, from fixed seeds. After every
// event: the window still stands, every figure on screen is what the inputs on screen give, every
// warning says something, and the focus is on a control the user can see and use. A failing
// sequence is shrunk to the shortest one that still fails and printed event by event.

#include "core/estimate.h"
#include "core/shapes.h"
#include "tests/window_fixture.h"
#include "ui/form1.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPointer>
#include <QRadioButton>
#include <QTest>

#include <array>
#include <cstdint>
#include <iostream>
#include <memory>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace kalvora::test {
namespace {

constexpr std::size_t kEventsPerSeed = 20000;
// Shrinking replays the sequence many times; this bounds it when a failure needs many events.
constexpr int kMaxReplays = 3000;

enum class Act {
    Key,         // a key typed into `target`, or into whatever has the focus when empty
    Click,       // a left click on `target`, or at `point` of the window when empty
    ArrowClick,  // a left click on the arrow of the combo box `target`, which opens its list
    ContextMenu, // the context menu of `target`
    ListEntry,   // a click on entry `entry` of the open list or menu
};

struct Event {
    Act act = Act::Key;
    QString target;
    Qt::Key key = Qt::Key_unknown;
    Qt::KeyboardModifiers modifiers;
    QString text;                     // what the key types
    std::optional<QString> clipboard; // put on the clipboard just before the key
    QPoint point;
    int entry = 0;
};

std::string quoted(const QString &text) {
    std::ostringstream out;
    out << '"';
    for (const QChar c : text) {
        const char16_t code = c.unicode();
        if (code == '"' || code == '\\')
            out << '\\' << static_cast<char>(code);
        else if (code >= 0x20 && code < 0x7f)
            out << static_cast<char>(code);
        else
            out << "\\u{" << std::hex << static_cast<unsigned>(code) << std::dec << '}';
    }
    out << '"';
    return out.str();
}

std::string describe(const Event &e) {
    const std::string target = e.target.toStdString();
    switch (e.act) {
    case Act::Key: {
        const std::string where = target.empty() ? "" : " into " + target;
        if (e.clipboard)
            return "Ctrl+V" + where + ", with " + quoted(*e.clipboard) + " on the clipboard";
        const bool printable = e.text.size() == 1 && e.text.at(0).isPrint() &&
                               !(e.modifiers & (Qt::ControlModifier | Qt::AltModifier));
        if (printable || e.key == Qt::Key_unknown)
            return "type " + quoted(e.text) + where;
        std::string key = QKeySequence(QKeyCombination(e.modifiers, e.key))
                              .toString(QKeySequence::PortableText)
                              .toStdString();
        if (!e.text.isEmpty())
            key += " (" + quoted(e.text) + ")";
        return "press " + key + where;
    }
    case Act::Click:
        if (target.empty())
            return "click at (" + std::to_string(e.point.x()) + ", " + std::to_string(e.point.y()) +
                   ")";
        return "click " + target;
    case Act::ArrowClick:
        return "click the arrow of " + target;
    case Act::ContextMenu:
        return "open the context menu of " + target;
    case Act::ListEntry:
        return "click entry " + std::to_string(e.entry) + " of the open list or menu";
    }
    return "?";
}

// Random events. They are drawn without looking at the window, so that a sequence replays alike
// on a fresh window; each event decides when it is applied what it means in the window's state.
class EventSource {
public:
    explicit EventSource(std::uint32_t seed) : rng_(seed) {}

    std::vector<Event> take(std::size_t count) {
        std::vector<Event> events;
        events.reserve(count + 8);
        while (events.size() < count)
            addBurst(events);
        events.resize(count);
        return events;
    }

private:
    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }
    bool chance(double p) { return std::bernoulli_distribution(p)(rng_); }
    template <class T, std::size_t N> const T &pick(const std::array<T, N> &items) {
        return items[static_cast<std::size_t>(below(static_cast<int>(N)))];
    }

    static constexpr std::array<const char *, 7> kFields{"Text1", "Text2", "Text3", "Text4",
                                                         "Text5", "Text6", "Combo1"};
    static constexpr std::array<const char *, 6> kNumberFields{"Text1", "Text2", "Text3",
                                                               "Text4", "Text5", "Text6"};

    void addBurst(std::vector<Event> &events) {
        // Weights: typing, keys to the focus, arrows on closed lists, CALCULATE, price options,
        // choosing from a list, clicking fields, clicking anywhere, context menus, the link.
        static std::discrete_distribution<int> kind({40, 6, 9, 15, 6, 10, 3, 2, 1, 0.2});
        switch (kind(rng_)) {
        case 0: {
            const QString field = QString::fromLatin1(pick(kFields));
            const int count = 1 + below(4);
            for (int i = 0; i < count; ++i)
                events.push_back(typed(field));
            break;
        }
        case 1:
            events.push_back(typed(QString()));
            break;
        case 2:
            events.push_back(closedListKey());
            break;
        case 3:
            events.push_back(click("Command1"));
            break;
        case 4:
            events.push_back(click(chance(0.5) ? "Option1" : "Option2"));
            break;
        case 5: {
            const bool grade = chance(0.4);
            Event open;
            // The grade box takes typing in its text part; only its arrow opens the list.
            open.act = grade ? Act::ArrowClick : Act::Click;
            open.target = QString::fromLatin1(grade ? "Combo1" : "Combo2");
            events.push_back(open);
            if (chance(0.85))
                events.push_back(listEntry());
            break;
        }
        case 6:
            events.push_back(click(pick(kFields)));
            break;
        case 7: {
            Event e;
            e.act = Act::Click;
            e.point = QPoint(below(442), below(488));
            events.push_back(e);
            break;
        }
        case 8: {
            Event e;
            e.act = Act::ContextMenu;
            e.target = QString::fromLatin1(pick(kNumberFields));
            events.push_back(e);
            if (chance(0.7))
                events.push_back(listEntry());
            break;
        }
        case 9:
            events.push_back(click("Label8"));
            break;
        }
    }

    static Event click(const char *target) {
        Event e;
        e.act = Act::Click;
        e.target = QString::fromLatin1(target);
        return e;
    }

    Event listEntry() {
        Event e;
        e.act = Act::ListEntry;
        e.entry = below(20);
        return e;
    }

    Event closedListKey() {
        static constexpr std::array<Qt::Key, 6> kKeys{
            Qt::Key_Up, Qt::Key_Down, Qt::Key_PageUp, Qt::Key_PageDown, Qt::Key_Home, Qt::Key_End};
        Event e;
        e.target = QString::fromLatin1(chance(0.4) ? "Combo1" : "Combo2");
        e.key = pick(kKeys);
        return e;
    }

    QChar character() {
        static constexpr std::array<char16_t, 12> kUnusual{
            u'€',
            u'é',
            u'\u0663' /* Arabic-Indic three */,
            u'\uff10' /* full-width zero */,
            u'\u00a0',
            u'\ufeff',
            u'\u00bd',
            u'\u2212',
            u'\u066b' /* Arabic decimal sign */,
            char16_t{0xd835} /* lone high surrogate */,
            u'\u200b',
            u'\uffff'};
        const int group = std::discrete_distribution<int>({50, 14, 10, 12, 4})(rng_);
        switch (group) {
        case 0:
            return QChar(u'0' + below(10));
        case 1:
            return QChar(chance(0.5) ? u'.' : u',');
        case 2: { // control characters, the delete character included
            const int code = below(33);
            return QChar(static_cast<char16_t>(code == 32 ? 127 : code));
        }
        case 3:
            return QChar(static_cast<char16_t>(0x20 + below(0x5f)));
        default:
            return QChar(pick(kUnusual));
        }
    }

    QString randomText() {
        QString text;
        const int length = chance(0.1) ? below(40) : below(10);
        for (int i = 0; i < length; ++i)
            text += character();
        return text;
    }

    // A key as the desktop delivers it: the key, its modifiers and the text it types.
    Event typed(const QString &target) {
        Event e;
        e.target = target;
        if (chance(0.6)) {
            const QChar c = character();
            const char16_t code = c.unicode();
            e.text = QString(c);
            if (code == 8) {
                e.key = Qt::Key_Backspace;
            } else if (code == 9) {
                e.key = Qt::Key_Tab;
            } else if (code == 13) {
                e.key = Qt::Key_Return;
            } else if (code == 27) {
                e.key = Qt::Key_Escape;
            } else if (code >= 1 && code <= 26) { // Ctrl with a letter, as X11 sends it
                e.key = static_cast<Qt::Key>(Qt::Key_A + code - 1);
                e.modifiers = Qt::ControlModifier;
            } else if (code >= 0x20 && code < 0x7f) {
                e.key = static_cast<Qt::Key>(QChar(code).toUpper().unicode());
            } else if (code == 127) {
                e.key = Qt::Key_Delete;
            }
            return e;
        }
        struct Editing {
            Qt::Key key;
            Qt::KeyboardModifiers modifiers;
        };
        static const std::array<Editing, 33> kEditing{{
            {Qt::Key_Backspace, {}},
            {Qt::Key_Backspace, {}},
            {Qt::Key_Delete, {}},
            {Qt::Key_Delete, {}},
            {Qt::Key_Left, {}},
            {Qt::Key_Right, {}},
            {Qt::Key_Home, {}},
            {Qt::Key_End, {}},
            {Qt::Key_Left, Qt::ShiftModifier},
            {Qt::Key_Right, Qt::ShiftModifier},
            {Qt::Key_Home, Qt::ShiftModifier},
            {Qt::Key_End, Qt::ShiftModifier},
            {Qt::Key_A, Qt::ControlModifier},
            {Qt::Key_C, Qt::ControlModifier},
            {Qt::Key_X, Qt::ControlModifier},
            {Qt::Key_X, Qt::ControlModifier},
            {Qt::Key_Z, Qt::ControlModifier},
            {Qt::Key_Z, Qt::ControlModifier},
            {Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier},
            {Qt::Key_Y, Qt::ControlModifier},
            {Qt::Key_Insert, Qt::ShiftModifier},
            {Qt::Key_Delete, Qt::ShiftModifier},
            {Qt::Key_Backspace, Qt::ControlModifier},
            {Qt::Key_Delete, Qt::ControlModifier},
            {Qt::Key_K, Qt::ControlModifier},
            {Qt::Key_Tab, {}},
            {Qt::Key_Backtab, Qt::ShiftModifier},
            {Qt::Key_Return, {}},
            {Qt::Key_Enter, Qt::KeypadModifier},
            {Qt::Key_Escape, {}},
            {Qt::Key_Space, {}},
            {Qt::Key_Up, {}},
            {Qt::Key_Down, {}},
        }};
        if (chance(0.25)) { // paste random text
            e.key = Qt::Key_V;
            e.modifiers = Qt::ControlModifier;
            e.text = QStringLiteral("v");
            e.clipboard = randomText();
            return e;
        }
        if (chance(0.03)) { // keys that open a list
            e.key = chance(0.5) ? Qt::Key_F4 : Qt::Key_Down;
            e.modifiers = e.key == Qt::Key_Down ? Qt::AltModifier : Qt::NoModifier;
            return e;
        }
        const Editing &editing = pick(kEditing);
        e.key = editing.key;
        e.modifiers = editing.modifiers;
        const char ascii = QTest::keyToAscii(editing.key);
        if (ascii != 0)
            e.text = QString(QChar::fromLatin1(ascii));
        return e;
    }

    std::mt19937 rng_;
};

struct Failure {
    std::size_t index; // of the event after which the check failed
    char check;        // which check: a, b, c or d
    std::string message;
};

// How much of the window a run reached, so that a run that no longer reaches it fails.
struct Coverage {
    std::size_t figuresCompared = 0; // events after which shown figures were compared
    std::size_t pricesCompared = 0;  // ... with the price panel among them
    std::size_t listChoices = 0;     // entries chosen from an open list
    std::size_t menuChoices = 0;     // entries chosen from a context menu
    std::size_t keysTyped = 0;       // keys that reached the window
    std::size_t skipped = 0;         // events that had no meaning in the window's state
    std::size_t warnings = 0;
};

// One fresh window, driven by a list of events.
class Session {
public:
    Session() {
        QGuiApplication::clipboard()->setText(QString());
        window_ = new Form1(desktop_);
        owned_.reset(window_.data());
        controls_ = findControls();
        window_->load();
        settle();
    }

    ~Session() {
        while (QWidget *popup = QApplication::activePopupWidget())
            popup->close();
        if (!window_)
            (void)owned_.release(); // something else deleted it; check (a) has said so
        owned_.reset();
        settle();
    }

    Session(const Session &) = delete;
    Session &operator=(const Session &) = delete;

    // Replays the events, checking after each one; stops at the first failure. Each event's note
    // says what it did in the window, for the printed reproduction.
    std::optional<Failure> run(const std::vector<Event> &events, std::vector<std::string> *notes) {
        for (std::size_t i = 0; i < events.size(); ++i) {
            const std::string note = apply(events[i]);
            if (note.starts_with("skipped"))
                ++coverage_.skipped;
            if (notes)
                notes->push_back(note);
            settle();
            if (auto failure = check()) {
                failure->index = i;
                return failure;
            }
        }
        return std::nullopt;
    }

    Coverage coverage() const {
        Coverage c = coverage_;
        c.warnings = desktop_.warnings.size();
        return c;
    }

private:
    static void settle() {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    QWidget *control(const QString &name) const { return window_->findChild<QWidget *>(name); }

    // The control's name, or for a part of one (the list of a combo box), the control's.
    std::string name(QWidget *widget) const {
        if (QApplication::activePopupWidget() == widget)
            return "the open list or menu";
        for (QWidget *w = widget; w; w = w->parentWidget())
            if (!w->objectName().isEmpty() && !w->objectName().startsWith(QLatin1String("qt_")))
                return w->objectName().toStdString();
        return widget->metaObject()->className();
    }

    bool usable(QWidget *widget) const {
        return widget && widget->isVisibleTo(window_) && widget->isEnabled();
    }

    // A left click where the pointer is: an open popup takes every click, as on a desktop, and
    // closes when the click is outside it.
    void clickAt(QPoint windowPoint, Qt::MouseButton button = Qt::LeftButton) {
        const QPoint global = window_->mapToGlobal(windowPoint);
        if (QWidget *popup = QApplication::activePopupWidget()) {
            QTest::mouseClick(popup, button, {}, popup->mapFromGlobal(global));
            return;
        }
        QWidget *under = window_->childAt(windowPoint);
        if (!under)
            under = window_;
        QTest::mouseClick(under, button, {}, under->mapFromGlobal(global));
    }

    QPoint centreOf(QWidget *widget) const {
        return widget->mapTo(window_.data(), widget->rect().center());
    }

    std::string apply(const Event &e) {
        switch (e.act) {
        case Act::Key:
            return applyKey(e);
        case Act::Click: {
            if (e.target.isEmpty()) {
                clickAt(e.point);
                return {};
            }
            QWidget *widget = control(e.target);
            if (!widget || !widget->isVisibleTo(window_))
                return "skipped: hidden";
            clickAt(centreOf(widget));
            return {};
        }
        case Act::ArrowClick: {
            QWidget *combo = control(e.target);
            clickAt(combo->mapTo(window_.data(), QPoint(combo->width() - 6, combo->height() / 2)));
            return {};
        }
        case Act::ContextMenu: {
            QWidget *field = control(e.target);
            if (!usable(field) || QApplication::activePopupWidget())
                return "skipped";
            const QPoint local = field->rect().center();
            QContextMenuEvent event(QContextMenuEvent::Mouse, local, field->mapToGlobal(local));
            QApplication::sendEvent(field, &event);
            return {};
        }
        case Act::ListEntry:
            return applyListEntry(e.entry);
        }
        return {};
    }

    std::string applyKey(const Event &e) {
        QWidget *receiver = nullptr; // nullptr: the popup or the focus widget, as QTest routes
        if (!QApplication::activePopupWidget() && !e.target.isEmpty()) {
            QWidget *widget = control(e.target);
            if (!usable(widget))
                return "skipped: hidden or disabled";
            if (e.target == QLatin1String("Combo2")) {
                receiver = widget; // keys on the closed list
            } else if (!widget->hasFocus()) {
                clickAt(centreOf(widget));
                settle();
                if (!widget->hasFocus())
                    return "skipped: the click gave no focus";
            }
        }
        if (!receiver && !QApplication::activePopupWidget() && !QApplication::focusWidget())
            receiver = window_;
        if (e.clipboard)
            QGuiApplication::clipboard()->setText(*e.clipboard);
        QWidget *to = receiver ? receiver : QApplication::activePopupWidget();
        if (!to)
            to = QApplication::focusWidget();
        const std::string note = e.target.isEmpty() && to ? "to " + name(to) : std::string();
        QTest::sendKeyEvent(QTest::Click, receiver, e.key, e.text, e.modifiers);
        ++coverage_.keysTyped;
        return note;
    }

    std::string applyListEntry(int entry) {
        QWidget *popup = QApplication::activePopupWidget();
        if (!popup)
            return "skipped: nothing open";
        if (auto *menu = qobject_cast<QMenu *>(popup)) {
            QList<QAction *> actions;
            for (QAction *action : menu->actions())
                if (action->isVisible() && !action->isSeparator())
                    actions += action;
            if (actions.isEmpty())
                return "skipped: empty menu";
            QAction *action = actions[entry % actions.size()];
            const std::string name = action->text().remove(QLatin1Char('&')).toStdString();
            QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
            coverage_.menuChoices += menu->isVisible() ? 0 : 1;
            return "menu entry \"" + name + "\"";
        }
        auto *list = popup->findChild<QAbstractItemView *>();
        if (!list || list->model()->rowCount() == 0)
            return "skipped: no list";
        const QModelIndex index = list->model()->index(entry % list->model()->rowCount(), 0);
        list->scrollTo(index);
        // The pointer travels to the entry first: a list ignores a release that comes before the
        // pointer has moved, so that the click which opened it chooses nothing.
        QWidget *viewport = list->viewport();
        const QPoint point = list->visualRect(index).center();
        QMouseEvent move(QEvent::MouseMove, point, viewport->mapToGlobal(point), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(viewport, &move);
        QTest::mouseClick(viewport, Qt::LeftButton, {}, point);
        coverage_.listChoices += popup->isVisible() ? 0 : 1;
        return "list entry \"" + index.data().toString().toStdString() + "\"";
    }

    // The controls that the checks read, found once per window.
    struct Controls {
        QComboBox *shapeList;
        std::array<QLineEdit *, 6> fields; // Text1 to Text6
        QRadioButton *perKilogram;
        QWidget *weightPanel;
        QWidget *pricePanel;
        std::array<QLabel *, 6> results; // Label19 to Label24
    };

    Controls findControls() const {
        Controls c{};
        c.shapeList = window_->findChild<QComboBox *>(QStringLiteral("Combo2"));
        for (std::size_t i = 0; i < c.fields.size(); ++i)
            c.fields[i] = window_->findChild<QLineEdit *>(QStringLiteral("Text%1").arg(i + 1));
        c.perKilogram = window_->findChild<QRadioButton *>(QStringLiteral("Option1"));
        c.weightPanel = control(QStringLiteral("Frame4"));
        c.pricePanel = control(QStringLiteral("Frame5"));
        for (std::size_t i = 0; i < c.results.size(); ++i)
            c.results[i] = window_->findChild<QLabel *>(QStringLiteral("Label%1").arg(i + 19));
        return c;
    }

    static std::string describeInputs(const EstimateInput &input) {
        return "density " + quoted(QString::fromStdString(input.densityText)) + ", pieces " +
               quoted(QString::fromStdString(input.piecesText)) + ", dimensions " +
               quoted(QString::fromStdString(input.dimension1Text)) + " / " +
               quoted(QString::fromStdString(input.dimension2Text)) + " / " +
               quoted(QString::fromStdString(input.dimension3Text)) + ", price " +
               quoted(QString::fromStdString(input.priceText)) +
               (input.priceBasis == PriceBasis::PerKilogram ? " per kg" : " per metre");
    }

    std::optional<Failure> check() {
        // (a) the window still stands
        if (!window_ || !window_->isVisible())
            return Failure{0, 'a', "the window is gone"};

        // (b) every figure on screen belongs to the inputs on screen
        const Controls &c = controls_;
        const bool weightShown = c.weightPanel->isVisibleTo(window_);
        const bool priceShown = c.pricePanel->isVisibleTo(window_);
        const auto shape = weightShown || priceShown
                               ? shapeFromText(c.shapeList->currentText().toStdString())
                               : std::nullopt;
        if (shape) {
            // Read exactly as CALCULATE reads them.
            EstimateInput input;
            input.shape = shape;
            input.densityText = c.fields[0]->text().toStdString();
            input.dimension1Text = c.fields[1]->text().toStdString();
            input.dimension2Text = c.fields[2]->text().toStdString();
            input.dimension3Text = c.fields[3]->text().toStdString();
            input.piecesText = c.fields[4]->text().toStdString();
            input.priceText = c.fields[5]->text().toStdString();
            input.priceBasis =
                c.perKilogram->isChecked() ? PriceBasis::PerKilogram : PriceBasis::PerMetre;
            // The weights do not depend on the price, which may be anything while only the
            // price panel is hidden.
            EstimateInput weightInput = input;
            weightInput.priceText = "0";
            const EstimateResult weights = computeEstimate(weightInput);
            const EstimateResult prices = computeEstimate(input);
            if (weightShown && weights.status != EstimateStatus::Ok)
                return Failure{0, 'b',
                               "the weight panel is shown for inputs that give no weight (" +
                                   describeInputs(input) + ")"};
            if (priceShown && prices.status != EstimateStatus::Ok)
                return Failure{0, 'b',
                               "the price panel is shown for inputs that give no price (" +
                                   describeInputs(input) + ")"};
            const std::array<const std::string *, 6> lines{
                &weights.weightPieceLine, &weights.weightAllLine, &weights.weightMetreLine,
                &prices.costPieceLine,    &prices.costAllLine,    &prices.costMetreLine};
            ++coverage_.figuresCompared;
            coverage_.pricesCompared += priceShown ? 1 : 0;
            for (std::size_t i = 0; i < lines.size(); ++i) {
                if (!(i < 3 ? weightShown : priceShown) || !c.results[i]->isVisibleTo(window_))
                    continue;
                const std::string shown = c.results[i]->text().toStdString();
                if (shown != *lines[i])
                    return Failure{0, 'b',
                                   c.results[i]->objectName().toStdString() + " shows \"" + shown +
                                       "\" but the inputs on screen give \"" + *lines[i] + "\" (" +
                                       describeInputs(input) + ")"};
            }
        }

        // (c) every warning says something, and the two fixed ones pair up
        for (; warningsChecked_ < desktop_.warnings.size(); ++warningsChecked_) {
            const RecordingDesktop::Warning &warning = desktop_.warnings[warningsChecked_];
            const std::string both = quoted(warning.title) + " / " + quoted(warning.prompt);
            if (warning.title.trimmed().isEmpty() || warning.prompt.trimmed().isEmpty())
                return Failure{0, 'c', "a warning without title or prompt: " + both};
            if ((warning.title == QLatin1String("Grade not set")) !=
                    (warning.prompt == QLatin1String("Choose grade")) ||
                (warning.title == QLatin1String("Shape not set")) !=
                    (warning.prompt == QLatin1String("Choose shape")))
                return Failure{0, 'c', "a warning whose title and prompt do not pair: " + both};
        }

        // (d) the focus is where the user can see and use it
        if (QWidget *focus = QApplication::focusWidget()) {
            if (!focus->isVisible() || !focus->isEnabled())
                return Failure{0, 'd',
                               "the focus is on " + name(focus) + ", which is hidden or disabled"};
        }

        // (e) no way of entering text gets past a field's key rule: digits everywhere, the
        // decimal comma in all but the pieces field
        for (std::size_t i = 0; i < c.fields.size(); ++i) {
            const QString text = c.fields[i]->text();
            const bool pieces = i == 4;
            for (const QChar character : text) {
                if (!character.isDigit() && (pieces || character != QLatin1Char(',')))
                    return Failure{0, 'e',
                                   name(c.fields[i]) + " holds " + quoted(text) +
                                       ", which its key rule cannot let in"};
            }
        }
        return std::nullopt;
    }

    RecordingDesktop desktop_;
    Coverage coverage_;
    std::size_t warningsChecked_ = 0;
    QPointer<Form1> window_;
    Controls controls_{};
    std::unique_ptr<Form1> owned_;
};

std::optional<Failure> replay(const std::vector<Event> &events,
                              std::vector<std::string> *notes = nullptr) {
    Session session;
    return session.run(events, notes);
}

// Some events only matter together (Up then Down on a list): on a short list, tries dropping two
// at a time. Returns whether it dropped any.
bool removePair(std::vector<Event> &events, char check, int &replays) {
    if (events.size() > 40)
        return false;
    for (std::size_t first = 0; first < events.size(); ++first) {
        for (std::size_t second = first + 1; second < events.size(); ++second) {
            if (++replays > kMaxReplays)
                return false;
            std::vector<Event> candidate;
            for (std::size_t i = 0; i < events.size(); ++i)
                if (i != first && i != second)
                    candidate.push_back(events[i]);
            const auto failure = replay(candidate);
            if (failure && failure->check == check) {
                candidate.resize(failure->index + 1);
                events = std::move(candidate);
                return true;
            }
        }
    }
    return false;
}

// Delta debugging: drops ever smaller chunks of events as long as the same check still fails,
// cutting the list after the failing event each time.
std::vector<Event> shrink(std::vector<Event> events, char check) {
    int replays = 0;
    std::size_t chunk = std::max<std::size_t>(events.size() / 2, 1);
    while (replays < kMaxReplays) {
        bool removed = false;
        for (std::size_t start = 0; start < events.size() && replays < kMaxReplays;) {
            std::vector<Event> candidate(events.begin(), events.begin() + static_cast<long>(start));
            const std::size_t end = std::min(events.size(), start + chunk);
            candidate.insert(candidate.end(), events.begin() + static_cast<long>(end),
                             events.end());
            ++replays;
            const auto failure = replay(candidate);
            if (failure && failure->check == check) {
                candidate.resize(failure->index + 1);
                events = std::move(candidate);
                removed = true;
            } else {
                start += chunk;
            }
        }
        if (chunk == 1 && !removed && !removePair(events, check, replays))
            break;
        if (!removed || chunk > events.size() / 2)
            chunk = std::max<std::size_t>(std::min(chunk, events.size()) / 2, 1);
    }
    return events;
}

// The offscreen platform cannot grab the keyboard for a popup nor raise it, and says so each
// time a list or menu opens; thousands of those lines would bury a failure report.
class QuietPopups {
public:
    QuietPopups() { previous_ = qInstallMessageHandler(&QuietPopups::handle); }
    ~QuietPopups() { qInstallMessageHandler(previous_); }
    QuietPopups(const QuietPopups &) = delete;
    QuietPopups &operator=(const QuietPopups &) = delete;

private:
    static void handle(QtMsgType type, const QMessageLogContext &context, const QString &message) {
        if (message.startsWith(QLatin1String("This plugin does not support")))
            return;
        if (previous_)
            previous_(type, context, message);
    }
    static inline QtMessageHandler previous_ = nullptr;
};

class WindowMonkey : public ::testing::TestWithParam<std::uint32_t> {
protected:
    QuietPopups quiet_;
};

TEST_P(WindowMonkey, FiguresAlwaysMatchTheInputsOnScreen) {
    const std::uint32_t seed = GetParam();
    std::vector<Event> events = EventSource(seed).take(kEventsPerSeed);
    std::optional<Failure> failure;
    {
        Session session;
        failure = session.run(events, nullptr);
        const Coverage c = session.coverage();
        std::cout << "seed " << seed << ": figures compared after " << c.figuresCompared
                  << " events (" << c.pricesCompared << " with prices), " << c.listChoices
                  << " list choices, " << c.menuChoices << " menu choices, " << c.keysTyped
                  << " keys typed, " << c.skipped << " events skipped, " << c.warnings
                  << " warnings\n";
        if (!failure) {
            // A run that never gets results on screen, or never chooses, proves nothing.
            EXPECT_GT(c.figuresCompared, kEventsPerSeed / 20);
            EXPECT_GT(c.pricesCompared, kEventsPerSeed / 100);
            EXPECT_GT(c.listChoices, kEventsPerSeed / 50);
            EXPECT_GT(c.menuChoices, kEventsPerSeed / 1000);
            EXPECT_GT(c.warnings, kEventsPerSeed / 200);
        }
    }
    if (!failure)
        return;

    events.resize(failure->index + 1);
    const std::vector<Event> shortest = shrink(events, failure->check);
    std::vector<std::string> notes;
    const auto confirmed = replay(shortest, &notes);
    std::ostringstream report;
    report << "seed " << seed << ": check (" << failure->check << ") failed after event "
           << failure->index + 1 << ": " << failure->message << "\n";
    if (confirmed) {
        report << "shortest sequence found, " << shortest.size() << " events on a fresh window:\n";
        for (std::size_t i = 0; i < shortest.size(); ++i) {
            report << "  " << i + 1 << ". " << describe(shortest[i]);
            if (!notes[i].empty())
                report << "  [" << notes[i] << "]";
            report << "\n";
        }
        report << "then: " << confirmed->message << "\n";
    } else {
        report << "the failure did not replay on a fresh window\n";
    }
    ADD_FAILURE() << report.str();
}

INSTANTIATE_TEST_SUITE_P(Seeds, WindowMonkey, ::testing::Values(1u, 2u, 3u, 4u, 5u),
                         [](const ::testing::TestParamInfo<std::uint32_t> &seed) {
                             return "seed" + std::to_string(seed.param);
                         });

} // namespace
} // namespace kalvora::test
