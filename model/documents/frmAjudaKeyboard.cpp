#include "model/documents/frmAjudaKeyboard.h"

#include "common/widgets/AccessibleWidgets.h"

#include <QPlainTextEdit>
#include <QShortcut>

void makeHelpKeyboardFriendly(QWidget &window)
{
    if (auto *text = window.findChild<QPlainTextEdit *>(QStringLiteral("txtAjuda"))) {
        text->setAccessibleName(QStringLiteral("Ajuda"));
        text->setTabChangesFocus(true);
    }
    // The window takes its turn in the Tab order; else, with one control,
    // Tab would find nowhere to go and type a tab after all.
    window.setFocusPolicy(Qt::TabFocus);
    giveRole(&window, QAccessible::Window);
    auto *close = new QShortcut(QKeySequence(Qt::Key_Escape), &window);
    close->setContext(Qt::WindowShortcut);
    QObject::connect(close, &QShortcut::activated, &window, &QWidget::close);
}
