// The main window's layout: the reference one and its rescaling.

#include "model/windows/Concentracio.h"

#include "common/core/CompanionFiles.h"
#include "common/widgets/Controls.h"
#include "common/widgets/SharpPicture.h"
#include "common/widgets/PictureBox.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>

namespace {

void placeWithFont(QWidget *widget, const TwipRect &rect, float font)
{
    setTwipRect(widget, rect);
    setFontPoints(widget, font);
}

} // namespace

void Concentracio::loadIllustration(const QString &path)
{
    const QPixmap illustration = sharpPicture(path);
    if (illustration.isNull()) {
        picConcentracio->clear();
        return;
    }
    picConcentracio->setPixmap(illustration);
    const int border = 2 * picConcentracio->frameWidth();
    TwipRect r = twipRect(picConcentracio);
    const QSizeF size = illustration.deviceIndependentSize();
    r.width = pixelsToTwips(size.width() + border);
    r.height = pixelsToTwips(size.height() + border);
    setTwipRect(picConcentracio, r);
}

void Concentracio::Disposa_Controls(Rgb background)
{
    setFontPoints(this, 12);
    moveTwips(Caja, 100, 200);
    Caja->surface().setBackground(background);
    placeWithFont(cmdResultats, {4000, 9000, 1215, 735}, 10);
    placeWithFont(frDades, {5000, 2000, 5600, 3300}, 10);
    placeWithFont(frResultats, {6000, 5600, 4100, 2900}, 10);
    placeWithFont(lblPropietats, {10450, 7730, 4630, 3400}, 13);
    setBackground(lblPropietats, toColour(background));
    setTwipRect(picConcentracio, {10800, 1000, 4400, 5300});
    loadIllustration(companionFile(QStringLiteral("concentracio.jpg")));
}

QList<QWidget *> Concentracio::scaledControls() const
{
    QList<QWidget *> controls{frDades, frResultats};
    for (QCheckBox *box : chkDada.values)
        controls << box;
    for (QCheckBox *box : chkMesura.values)
        controls << box;
    controls << cmdResultats;
    for (QLineEdit *box : txtDada.values)
        controls << box;
    for (QLineEdit *box : txtMesura.values)
        controls << box;
    return controls << lblPropietats;
}

void Concentracio::Escala_Controls(float e)
{
    setFontPoints(this, scaled(fontPoints(this), e));
    const TwipRect caja = twipRect(Caja);
    moveTwips(Caja, scaled(caja.left, e), scaled(caja.top, e));
    for (QWidget *control : scaledControls())
        scaleTwipRectAndFont(control, e);
    scaleTwipRect(picConcentracio, e);
    if (e > 1)
        loadIllustration(companionFile(QStringLiteral("concent1152.jpg")));
    else if (e < 1)
        loadIllustration(companionFile(QStringLiteral("concent800.jpg")));
}
