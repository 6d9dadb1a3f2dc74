#include "common/widgets/DesignFonts.h"

#include <QApplication>
#include <QFont>

void useDesignFonts()
{
    const QString interface = QStringLiteral("MS Sans Serif");
    QFont::insertSubstitution(interface, QStringLiteral("Liberation Sans"));
    QFont font = QApplication::font();
    font.setFamily(interface);
    QApplication::setFont(font);
}
