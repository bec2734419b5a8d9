#include <QApplication>
#include <QWidget>

// Until the window exists, Linvox shows an empty one with its title.
int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Linvox"));
    window.show();
    return application.exec();
}
