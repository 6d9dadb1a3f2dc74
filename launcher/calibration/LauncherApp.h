#pragma once

class QApplication;

namespace LauncherApp {
int run(QApplication &app);
}
