#pragma once

class QString;
class QUrl;
class QWidget;

namespace kalvora {

// What the window asks of the desktop. The program uses QtDesktop; tests put a recorder in its
// place, so that no modal box or browser ever opens in a test.
class Desktop {
public:
    virtual ~Desktop() = default;
    // A modal warning with the exclamation icon and a single OK button.
    virtual void showWarning(QWidget *parent, const QString &title, const QString &prompt) = 0;
    // Opens the address in the desktop's browser without waiting for it.
    virtual void openWebPage(const QUrl &url) = 0;
};

class QtDesktop final : public Desktop {
public:
    void showWarning(QWidget *parent, const QString &title, const QString &prompt) override;
    void openWebPage(const QUrl &url) override;
};

} // namespace kalvora
