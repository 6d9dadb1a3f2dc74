#pragma once

class QApplication;

namespace ModelApp {
int run(QApplication &app);
}
