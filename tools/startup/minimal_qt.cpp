// The yardstick for vesk-edit's start-up: one empty Qt Widgets window, nothing else.
#include <QApplication>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("minimal"));
    window.resize(326, 216);
    window.show();
    return QApplication::exec();
}
