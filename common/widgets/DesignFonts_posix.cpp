#include "common/widgets/DesignFonts.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>

void useDesignFonts()
{
    const QString sans = QStringLiteral("Liberation Sans");
    const QString heavy = QStringLiteral("DejaVu Sans");
    const QString interface = QStringLiteral("MS Sans Serif");
    QFont::insertSubstitution(interface, sans);
    QFont::insertSubstitution(QStringLiteral("Arial"), sans);
    // Without DejaVu, Liberation Sans Bold is still a proportional heavy face.
    QFont::insertSubstitution(QStringLiteral("Arial Black"), QFontDatabase::hasFamily(heavy) ? heavy : sans);
    QFont font = QApplication::font();
    font.setFamily(interface);
    QApplication::setFont(font);
}
