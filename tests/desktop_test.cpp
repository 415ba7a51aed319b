// The desktop seam that the program uses, with the real message box: a zero-delay timer reads
// the box from inside the box's own event loop and closes it, so no test waits for a user. The
// web address goes to a stand-in for the browser.

#include "tests/table_rows.h"
#include "ui/desktop.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QLabel>
#include <QMessageBox>
#include <QTimer>
#include <QUrl>
#include <QWidget>
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace kalvora::test {
namespace {

struct WarningRow {
    const char *name;
    const char *title;
    const char *prompt;
    friend void PrintTo(const WarningRow &row, std::ostream *os) { *os << row.name; }
};

// What a warning box showed while it was open.
struct SeenBox {
    bool shown = false;
    const QWidget *parent = nullptr;
    std::string title;
    std::string prompt;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    std::vector<QMessageBox::StandardButton> buttons;
    int promptWidth = 0; // the prompt set on one line
    int textWidth = 0;   // the room the box gives its text
};

void read(QMessageBox *box, SeenBox &seen) {
    seen.shown = true;
    seen.parent = box->parentWidget();
    seen.title = box->windowTitle().toStdString();
    seen.prompt = box->text().toStdString();
    seen.icon = box->icon();
    for (QAbstractButton *button : box->buttons())
        seen.buttons.push_back(box->standardButton(button));
    for (const QLabel *label : box->findChildren<QLabel *>())
        if (label->text() == box->text()) {
            seen.promptWidth = label->fontMetrics().horizontalAdvance(label->text());
            seen.textWidth = label->contentsRect().width();
        }
}

SeenBox showWarning(QWidget *parent, const char *title, const char *prompt) {
    SeenBox seen;
    QTimer reader;
    reader.setSingleShot(true);
    QObject::connect(&reader, &QTimer::timeout, [&seen] {
        QWidget *modal = QApplication::activeModalWidget();
        if (auto *box = qobject_cast<QMessageBox *>(modal))
            read(box, seen);
        if (auto *dialog = qobject_cast<QDialog *>(modal))
            dialog->done(QMessageBox::Ok);
    });
    reader.start(0);
    QtDesktop().showWarning(parent, QString::fromUtf8(title), QString::fromUtf8(prompt));
    return seen;
}

class WarningBox : public ::testing::TestWithParam<WarningRow> {};

TEST_P(WarningBox, ShowsTheWarningOnOneLineWithASingleOk) {
    const WarningRow &row = GetParam();
    QWidget window;
    window.show();
    const SeenBox seen = showWarning(&window, row.title, row.prompt);
    ASSERT_TRUE(seen.shown) << "no modal message box";
    EXPECT_EQ(seen.parent, &window);
    EXPECT_EQ(seen.title, row.title);
    EXPECT_EQ(seen.prompt, row.prompt);
    EXPECT_EQ(seen.icon, QMessageBox::Warning);
    EXPECT_EQ(seen.buttons, std::vector{QMessageBox::Ok});
    EXPECT_GT(seen.promptWidth, 0) << "the prompt is not shown as it was given";
    EXPECT_LE(seen.promptWidth, seen.textWidth) << "the prompt wraps";
}

// Every warning the window gives, each with the widest caption it can name.
INSTANTIATE_TEST_SUITE_P(
    Window, WarningBox,
    ::testing::Values(
        WarningRow{"GradeNotSet", "Grade not set", "Choose grade"},
        WarningRow{"ShapeNotSet", "Shape not set", "Choose shape"},
        WarningRow{"NotANumber", "Not a number", "Type a number in \"Ext. diameter\""},
        WarningRow{"NotAWholeNumber", "Not a number", "Type a whole number in \"pcs\""},
        WarningRow{"ValueTooLarge", "Value too large", "Make \"pcs\" smaller"},
        WarningRow{"LengthNotSet", "Length not set", "\"Lenght\" must not be zero"},
        WarningRow{"HoleTooWide", "Section not possible", "\"Int. diameter\" > \"Ext. diameter\""},
        WarningRow{"WallTooThick", "Section not possible",
                   "2 \u00d7 \"Thickness\" > \"Ext. diameter\""}),
    RowName{});

// Takes the addresses that the desktop would hand to the browser.
class BrowserStandIn : public QObject {
    Q_OBJECT
public:
    std::vector<std::string> opened;
public slots:
    void open(const QUrl &url) { opened.push_back(url.toString().toStdString()); }
};

TEST(WebPage, GoesToTheDesktopsBrowserAsGiven) {
    BrowserStandIn browser;
    QDesktopServices::setUrlHandler(QStringLiteral("http"), &browser, "open");
    QtDesktop().openWebPage(QUrl(QStringLiteral("http://www.example.example/kalvora")));
    QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
    EXPECT_EQ(browser.opened, std::vector<std::string>{"http://www.example.example/kalvora"});
}

} // namespace
} // namespace kalvora::test

#include "desktop_test.moc"
