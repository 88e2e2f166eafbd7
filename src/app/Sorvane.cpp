#include "app/Sorvane.h"

TSorvane::TSorvane(QWidget *parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("Sorvane"));
    setWindowTitle(QStringLiteral("Vimbor"));
    resize(713, 512);
}
