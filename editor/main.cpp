#include <QApplication>

#include "editor/main_window.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Pandrel");
    Form1 window;
    window.show();
    return app.exec();
}
