#pragma once

class QCoreApplication;

// Qt's own texts (a message box's button, a text box's context menu) in
// Catalan, like the rest of what the user reads. Without the translation
// installed they stay in English.
void loadCatalanQt(QCoreApplication &app);
