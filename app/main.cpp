#include "ui/application.h"
#include "ui/desktop.h"
#include "ui/display_session.h"
#include "ui/form1.h"

#include <QApplication>

#include <optional>

int main(int argc, char *argv[]) {
    if (!kalvora::prepareDisplay())
        return 1;
    std::optional<kalvora::OpeningDisplay> opening(std::in_place);
    QApplication app(argc, argv);
    opening.reset();
    kalvora::setUpApplication();
    kalvora::QtDesktop desktop;
    kalvora::Form1 window(desktop);
    window.load();
    return QApplication::exec();
}
