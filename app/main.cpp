#include "ui/application.h"
#include "ui/desktop.h"
#include "ui/form1.h"

#include <QApplication>

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    kalvora::setUpApplication();
    kalvora::QtDesktop desktop;
    kalvora::Form1 window(desktop);
    window.load();
    return QApplication::exec();
}
