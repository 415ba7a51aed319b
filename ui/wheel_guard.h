#pragma once

#include <QObject>

class QWidget;

namespace kalvora {

// Lets the mouse wheel change a list only while the list has the keyboard focus, as on the
// classic desktop. Otherwise the turn goes on to the window, so that scrolling past a closed
// list never chooses an entry the user did not pick.
class WheelGuard : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // Qt's lists also take the focus from the wheel, which would let every turn through.
    void guard(QWidget *list);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};

} // namespace kalvora
