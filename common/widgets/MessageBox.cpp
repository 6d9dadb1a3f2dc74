#include "common/widgets/MessageBox.h"

#include <QGuiApplication>
#include <QMessageBox>

void showMessage(QWidget *parent, const QString &text)
{
    QMessageBox box(QMessageBox::NoIcon, QGuiApplication::applicationDisplayName(), text, QMessageBox::Ok, parent);
    box.setObjectName(QStringLiteral("failureMessage"));
    box.exec();
}
