#include "frmAjudaKeyboard.h"

#include <QPlainTextEdit>
#include <QShortcut>

void makeHelpKeyboardFriendly(QWidget &window)
{
    if (auto *text = window.findChild<QPlainTextEdit *>(QStringLiteral("txtAjuda"))) {
        text->setAccessibleName(QStringLiteral("Ajuda"));
        text->setTabChangesFocus(true);
    }
    auto *close = new QShortcut(QKeySequence(Qt::Key_Escape), &window);
    close->setContext(Qt::WindowShortcut);
    QObject::connect(close, &QShortcut::activated, &window, &QWidget::close);
}
