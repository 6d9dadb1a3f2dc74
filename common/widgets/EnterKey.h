#pragma once

class QCoreApplication;

// Enter and the keypad's Enter press the focused push button, in every
// window of the program, as Space does.
void pressButtonsWithEnter(QCoreApplication &app);
