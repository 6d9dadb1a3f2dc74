#pragma once

// The launcher's own pictures (window background, icon, pointer) travel
// inside the program; a static library has to register them by hand.
void initLauncherResources();
