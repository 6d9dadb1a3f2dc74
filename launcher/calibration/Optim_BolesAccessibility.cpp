#include "launcher/calibration/Optim_BolesAccessibility.h"

#include "common/widgets/AccessibleWidgets.h"
#include "launcher/calibration/ProgressMarks.h"

void describeCalibrationWindow(QWidget &window)
{
    if (auto *caja = window.findChild<QWidget *>(QStringLiteral("Caja"))) {
        giveRole(caja, QAccessible::Graphic);
        caja->setAccessibleName(QStringLiteral("Partícules del mesurament"));
        caja->setAccessibleDescription(
            QStringLiteral("El programa mou cada vegada més partícules per saber quantes en pot moure amb fluïdesa."));
    }
    if (auto *marks = window.findChild<ProgressMarks *>(QStringLiteral("lblPunts")))
        marks->setAccessibleName(QStringLiteral("Progrés del mesurament"));
}
