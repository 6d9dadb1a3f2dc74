#pragma once

class QWidget;

// The help window is a window to screen readers and its text is named; Tab
// moves on instead of typing a tab, and Esc closes the window.
void makeHelpKeyboardFriendly(QWidget &window);
