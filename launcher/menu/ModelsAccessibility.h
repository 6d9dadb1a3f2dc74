#pragma once

class QWidget;

// Names and descriptions for assistive technology on the launcher's menu
// window: the particle box, the two panels with their text, the clickable
// labels as buttons to press; the first Tab reaches the subtitle. Call once
// the window's controls exist, before it is shown.
void makeLauncherAccessible(QWidget &window);
