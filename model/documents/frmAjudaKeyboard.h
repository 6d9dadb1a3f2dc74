#pragma once

class QWidget;

// The help text is named for screen readers; Tab moves on instead of typing
// a tab, and Esc closes the window.
void makeHelpKeyboardFriendly(QWidget &window);
