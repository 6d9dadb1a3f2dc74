#include "common/widgets/EnterKey.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QPushButton>

namespace {

class EnterPressesButtons : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        // Keys go to the focused widget.
        auto *button = qobject_cast<QPushButton *>(watched);
        const auto *key = static_cast<QKeyEvent *>(event);
        if (!button || !isEnter(*key))
            return false;
        // Held down, the key presses once.
        if (!key->isAutoRepeat())
            button->click();
        return true;
    }

private:
    static bool isEnter(const QKeyEvent &key)
    {
        return (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter)
               && (key.modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    }
};

} // namespace

void pressButtonsWithEnter(QCoreApplication &app)
{
    app.installEventFilter(new EnterPressesButtons(&app));
}
