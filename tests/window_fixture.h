#pragma once

#include "ui/desktop.h"
#include "ui/form1.h"

#include <QComboBox>
#include <QString>
#include <QUrl>
#include <QWidget>
#include <gtest/gtest.h>

#include <memory>
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
    }

    template <class T = QWidget> T *control(const char *name) const {
        T *found = window->findChild<T *>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << "no control named " << name;
        return found;
    }

    RecordingDesktop desktop;
    std::unique_ptr<Form1> window;
};

} // namespace kalvora::test
