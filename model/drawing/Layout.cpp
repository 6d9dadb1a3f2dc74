#include "Layout.h"

#include "Concentracio.h"
#include "ScreenScale.h"
#include "TwipGeometry.h"

#include <QPixmap>

namespace {

void placeWithFont(QWidget *widget, const TwipRect &rect, float font)
{
    setTwipRect(widget, rect);
    setFontPoints(widget, font);
}

void colourBackground(QWidget *widget, Rgb colour)
{
    QPalette pal = widget->palette();
    pal.setColor(QPalette::Window, QColor(colour.r, colour.g, colour.b));
    widget->setPalette(pal);
    widget->setAutoFillBackground(true);
}

} // namespace

void loadIllustration(Concentracio &w, const char *path)
{
    QPixmap picture(QString::fromUtf8(path));
    if (picture.isNull()) {
        w.picConcentracio->clear();
        return;
    }
    w.picConcentracio->setPixmap(picture);
    const int border = 2 * w.picConcentracio->frameWidth();
    TwipRect r = twipRect(w.picConcentracio);
    r.width = float(picture.width() + border) * TwipsPerPixel;
    r.height = float(picture.height() + border) * TwipsPerPixel;
    setTwipRect(w.picConcentracio, r);
}

void Disposa_Controls(Concentracio &w, Scene &s)
{
    setFontPoints(&w, 12);
    s.AlturaCaja = 10000;
    s.MargeSuperior = 2500;
    s.DiametreVas = 4000;
    s.AlturaBuida = 2000;
    s.AlturaDissolucio = 3000;
    moveTwips(w.Caja, 100, 200);
    w.Caja->surface().setBackground(s.ColorFons);
    s.XSolid = 2100;
    s.YSolidInici = 2000;
    s.ZSolid = 2000;
    placeWithFont(w.cmdResultats, {4000, 9000, 1215, 735}, 10);
    placeWithFont(w.frDades, {5000, 2000, 5600, 3300}, 10);
    placeWithFont(w.frResultats, {6000, 5600, 4100, 2900}, 10);
    placeWithFont(w.lblPropietats, {10450, 7730, 4630, 3400}, 13);
    colourBackground(w.lblPropietats, s.ColorFons);
    setTwipRect(w.picConcentracio, {10800, 1000, 4400, 5300});
    loadIllustration(w, "Arxius_models/concentracio.jpg");
}

void Escala_Controls(Concentracio &w, Scene &s, float e)
{
    setFontPoints(&w, scaled(fontPoints(&w), e));
    for (float *value : {&s.DiametreBolaBase, &s.Unitat, &s.AlturaCaja, &s.MargeSuperior, &s.DiametreVas,
                         &s.AlturaBuida, &s.AlturaDissolucio, &s.XSolid, &s.YSolidInici, &s.ZSolid})
        *value = scaled(*value, e);
    const TwipRect caja = twipRect(w.Caja);
    moveTwips(w.Caja, scaled(caja.left, e), scaled(caja.top, e));
    const QList<QWidget *> controls{w.frDades,   w.frResultats, w.chkGsolut, w.chkGdt,    w.chkDens,  w.chkVdso,
                                    w.chkMsolut, w.chkMdt,      w.chkTpc,    w.chkGpl,    w.chkMolar, w.chkMolal,
                                    w.chkFrM,    w.cmdResultats, w.txtGsolut, w.txtGdt,   w.txtDens,  w.txtVdso,
                                    w.txtMsolut, w.txtMdt,      w.txtTpc,    w.txtGpl,    w.txtMolar, w.txtMolal,
                                    w.txtFrM,    w.lblPropietats};
    for (QWidget *control : controls)
        scaleTwipRectAndFont(control, e);
    scaleTwipRect(w.picConcentracio, e);
    if (e > 1)
        loadIllustration(w, "Arxius_models/concent1152.jpg");
    else if (e < 1)
        loadIllustration(w, "Arxius_models/concent800.jpg");
}
