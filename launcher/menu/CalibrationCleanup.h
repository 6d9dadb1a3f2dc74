#pragma once

class QWidget;

// Deletes the calibration file as the suite is left, saying so when it
// cannot, so that the next start measures this computer again.
void Esborra_Calibratge(QWidget *messageParent);
