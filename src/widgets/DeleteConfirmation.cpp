#include "widgets/DeleteConfirmation.h"

#include <QMessageBox>
#include <QPushButton>

namespace sorvane {

bool DeleteConfirmation::ask(QWidget *parent)
{
    QMessageBox box(QMessageBox::Question, QStringLiteral("Confirm"),
                    QStringLiteral("Delete record?"), QMessageBox::Ok | QMessageBox::Cancel,
                    parent);
    box.setObjectName(QStringLiteral("DeleteConfirmation"));
    box.button(QMessageBox::Ok)->setText(QStringLiteral("OK"));
    box.button(QMessageBox::Cancel)->setText(QStringLiteral("Cancel"));
    box.setDefaultButton(QMessageBox::Ok);
    box.setEscapeButton(QMessageBox::Cancel);
    return box.exec() == QMessageBox::Ok;
}

} // namespace sorvane
