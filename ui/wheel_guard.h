#pragma once

#include <QObject>

namespace kalvora {

// Lets the mouse wheel change a list only while the list has the keyboard focus, as on the
// classic desktop. Otherwise the turn goes on to the window, so that scrolling past a closed
// list never chooses an entry the user did not pick.
class WheelGuard : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};

} // namespace kalvora
