#include "app/QMStart.h"
#include "app/Startup.h"
#include "ui/AccessibleList.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    qm::UseAccessibleInterfaces();
    qm::RunStartup();
    qm::QMStart menu;
    menu.show();
    return application.exec();
}
