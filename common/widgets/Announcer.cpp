#include "common/widgets/Announcer.h"

#include "common/widgets/AccessibleWidgets.h"

Announcer::Announcer(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("announcer"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    setFixedSize(1, 1);
    giveRole(this, QAccessible::Notification);
    hide();
}

// Only a change from hidden to shown reaches the screen reader.
void Announcer::announce(const QString &message)
{
    hide();
    setAccessibleName(message);
    show();
}
