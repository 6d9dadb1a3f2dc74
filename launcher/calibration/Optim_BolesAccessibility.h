#pragma once

class QWidget;

// Names for assistive technology on the calibration window, which a screen
// reader meets first: what is measured and how far it has gone.
void describeCalibrationWindow(QWidget &window);
