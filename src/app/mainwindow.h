#pragma once

#include <QMainWindow>

// The frame window that holds every document window.
class MainWindow : public QMainWindow
{
    Q_OBJECT
public:
    explicit MainWindow(QWidget *parent = nullptr);
};
