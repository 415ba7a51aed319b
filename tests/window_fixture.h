#pragma once

#include "tests/table_rows.h"
#include "ui/desktop.h"
#include "ui/form1.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QColor>
#include <QComboBox>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QString>
#include <QTest>
#include <QUrl>
#include <QWidget>
#include <QWindow>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace kalvora::test {

// Stands in for the desktop: records warnings and opened addresses instead of showing them.
class RecordingDesktop final : public Desktop {
public:
    struct Warning {
        QString title;
        QString prompt;
    };
    void showWarning(QWidget *, const QString &title, const QString &prompt) override {
        warnings.push_back({title, prompt});
    }
    void openWebPage(const QUrl &url) override { openedPages.push_back(url); }

    std::vector<Warning> warnings;
    std::vector<QUrl> openedPages;
};

// A freshly loaded window, as the program shows it at start.
class WindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        window = std::make_unique<Form1>(desktop);
        window->load();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }

    template <class T = QWidget> T *control(const char *name) const {
        T *found = window->findChild<T *>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << "no control named " << name;
        return found;
    }

    // Chooses an entry as a user does with the arrow keys on the closed box; each step chooses
    // the entry it lands on. From the entry itself, it steps away and back to choose it again.
    void choose(const char *comboName, const QString &entry) {
        auto *combo = control<QComboBox>(comboName);
        const int index = combo->findText(entry, Qt::MatchExactly);
        ASSERT_GE(index, 0) << qPrintable(entry);
        if (combo->currentIndex() == index)
            QTest::keyClick(combo, index > 0 ? Qt::Key_Up : Qt::Key_Down);
        while (combo->currentIndex() < index)
            QTest::keyClick(combo, Qt::Key_Down);
        while (combo->currentIndex() > index)
            QTest::keyClick(combo, Qt::Key_Up);
        ASSERT_EQ(combo->currentText(), entry);
    }

    // Chooses an entry in the open list, with Enter: the way to choose the current one again.
    void chooseInOpenList(const char *comboName, const QString &entry) {
        auto *combo = control<QComboBox>(comboName);
        const int index = combo->findText(entry, Qt::MatchExactly);
        ASSERT_GE(index, 0) << qPrintable(entry);
        combo->showPopup();
        QAbstractItemView *list = combo->view();
        QTest::keyClick(list, Qt::Key_Home);
        for (int i = 0; i < index; ++i)
            QTest::keyClick(list, Qt::Key_Down);
        QTest::keyClick(list, Qt::Key_Return);
        ASSERT_FALSE(list->isVisible());
    }

    void click(const char *name) { QTest::mouseClick(control(name), Qt::LeftButton); }

    // Types into a field after selecting its text, so the typed text replaces it.
    void type(const char *fieldName, const QString &text) {
        auto *field = control<QLineEdit>(fieldName);
        field->selectAll();
        QTest::keyClicks(field, text);
    }

    // The colour the window shows at `point` of a control (which may lie outside it), as drawn.
    QColor painted(const char *name, QPoint point) {
        const QPoint at = control(name)->mapTo(window.get(), point);
        return window->grab(QRect(at, QSize(1, 1))).toImage().pixelColor(0, 0);
    }

    // User input as the desktop delivers a burst of it: each event is queued for the window
    // before the event loop runs again, and goes to whatever has the focus, or lies under the
    // pointer, when its turn comes. runBurst() then lets the loop do all that follows.
    void queueKey(Qt::Key key, const char *keyText) {
        for (const QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease})
            queue(new QKeyEvent(type, key, Qt::NoModifier, QString::fromLatin1(keyText)));
    }
    // A left-button press, move or release over `at` in a control, handed to the window as the
    // desktop hands over its own, and handled before this returns. (Posted mouse events of Qt
    // 6.4 share one pointer position, so they cannot be queued.)
    void sendMouse(QEvent::Type type, const char *name, QPoint at) {
        QWindow *handle = window->windowHandle();
        const QPoint local = control(name)->mapTo(window.get(), at);
        if (type == QEvent::MouseButtonPress)
            QTest::mousePress(handle, Qt::LeftButton, {}, local);
        else if (type == QEvent::MouseMove)
            QTest::mouseMove(handle, local);
        else
            QTest::mouseRelease(handle, Qt::LeftButton, {}, local);
    }
    void queue(QEvent *event) {
        QSpontaneKeyEvent::setSpontaneous(event);
        QCoreApplication::postEvent(window->windowHandle(), event);
    }
    // What the burst posts in turn is handled on the loop's next round.
    static void runBurst() {
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
    }

    std::string text(const char *name) { return control<QLineEdit>(name)->text().toStdString(); }
    std::string caption(const char *name) { return control<QLabel>(name)->text().toStdString(); }
    bool shown(const char *name) { return control(name)->isVisibleTo(window.get()); }
    std::string focused() const {
        QWidget *focus = QApplication::focusWidget();
        return focus ? focus->objectName().toStdString() : std::string("(none)");
    }

    // A complete estimate with both result panels on screen.
    void showEstimate() {
        choose("Combo1", QStringLiteral("Carbon steel"));
        choose("Combo2", QStringLiteral("Round bar"));
        type("Text2", QStringLiteral("100"));
        type("Text3", QStringLiteral("1000"));
        type("Text5", QStringLiteral("4"));
        type("Text6", QStringLiteral("2,5"));
        click("Command1");
        ASSERT_TRUE(shown("Frame4"));
        ASSERT_TRUE(shown("Frame5"));
    }

    RecordingDesktop desktop;
    std::unique_ptr<Form1> window;
};

} // namespace kalvora::test
