#pragma once

class QWidget;

// Names and descriptions for assistive technology on the model's main window:
// each text box after its check box, the indicators read-only, the pictures
// with their text; Tab goes through the data before the results. Call once
// the window's controls exist.
void describeModelWindow(QWidget &window);
