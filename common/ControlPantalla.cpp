#include "ControlPantalla.h"

#include "TwipGeometry.h"

#include <QLabel>

namespace {

QLabel *splashLabel(QWidget *parent, const QString &caption, const TwipRect &rect,
                    const ControlPantalla::Look &look)
{
    auto *label = new QLabel(caption, parent);
    const Rgb bg = look.labelBackground;
    label->setStyleSheet(QStringLiteral("background-color: rgb(%1,%2,%3); color: rgb(0,0,192);")
                             .arg(bg.r)
                             .arg(bg.g)
                             .arg(bg.b));
    QFont font = label->font();
    font.setItalic(look.italic);
    font.setPointSizeF(13.5);
    label->setFont(font);
    setTwipRect(label, rect);
    return label;
}

} // namespace

ControlPantalla::ControlPantalla(const Look &look, QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("ControlPantalla"));
    setWindowTitle(QString());
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(192, 192, 255));
    setPalette(pal);
    Label1 = splashLabel(this,
                         QStringLiteral(".............Detectant configuració de pantalla............................."),
                         {600, 2160, 7545, 360}, look);
    Label2 = splashLabel(
        this, QStringLiteral(".............Calculant el nombre òptim de partícules ............................."),
        {1080, 2640, 8355, 360}, look);
    Timer1.setInterval(1);
    Timer1.setSingleShot(true);
    Timer1.setTimerType(Qt::PreciseTimer);
    connect(&Timer1, &QTimer::timeout, this, &ControlPantalla::tick);
    maximise(this);
    Timer1.start();
}

void ControlPantalla::tick()
{
    Label1->hide();
    Label2->hide();
    Timer1.stop();
    emit screenChecked(screenScaleForWidth(screenWidthTwips()));
}
