#pragma once

#include <QMainWindow>

/// The main window: the dictionary grid, its navigator and every command of the program.
class TSorvane : public QMainWindow {
    Q_OBJECT
public:
    explicit TSorvane(QWidget *parent = nullptr);
};
