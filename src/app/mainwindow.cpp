#include "app/mainwindow.h"

#include "resources/messages.h"

MainWindow::MainWindow(QWidget *parent)
    : QMainWindow(parent)
{
    setWindowTitle(msg(5000));
    resize(640, 480);
}
