#include "launcher/menu/CalibrationCleanup.h"

#include "common/core/CalibrationFile.h"
#include "common/widgets/MessageBox.h"

#include <QDir>

void Esborra_Calibratge(QWidget *messageParent)
{
    const QString path = calibrationFilePath();
    if (!deleteCalibration(path))
        showMessage(messageParent,
                    QStringLiteral("No s'ha pogut esborrar el fitxer %1").arg(QDir::toNativeSeparators(path)));
}
