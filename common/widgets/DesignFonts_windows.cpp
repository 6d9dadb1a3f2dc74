#include "common/widgets/DesignFonts.h"

#include <QApplication>
#include <QFont>

// Windows has "Arial" and "Arial Black" itself. "MS Sans Serif" is a bitmap
// font there, in a few sizes only; "Microsoft Sans Serif" is its outline
// twin with the same metrics, at every size the screen scale asks for.
void useDesignFonts()
{
    const QString interface = QStringLiteral("MS Sans Serif");
    QFont::insertSubstitution(interface, QStringLiteral("Microsoft Sans Serif"));
    QFont font = QApplication::font();
    font.setFamily(interface);
    QApplication::setFont(font);
}
