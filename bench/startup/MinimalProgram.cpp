// The smallest Qt Widgets program that shows a window with a few buttons: the yardstick for the
// program's start-up time.
#include <QApplication>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    for (const char* caption : {"One", "Two", "Three"})
        layout->addWidget(new QPushButton(QString::fromLatin1(caption)));
    window.show();
    return application.exec();
}
