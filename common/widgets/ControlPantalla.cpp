#include "common/widgets/ControlPantalla.h"

#include "common/widgets/Screen.h"
#include "common/widgets/Controls.h"
#include "common/widgets/DesignPalette.h"

#include <QLabel>

namespace {

QLabel *splashLabel(QWidget *parent, const char *name, const QString &caption, const TwipRect &rect,
                    const ControlPantalla::Look &look)
{
    auto *label = control<QLabel>(parent, name);
    label->setText(caption);
    const Rgb bg = look.labelBackground;
    useDesignPalette(label, QColor(bg.r, bg.g, bg.b), QColor(0, 0, 192));
    QFont font = label->font();
    font.setItalic(look.italic);
    setFontPoints(font, 13.5f);
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
    useDesignPalette(this, QColor(192, 192, 255));
    Label1 = splashLabel(
        this, "Label1", QStringLiteral(".............Detectant configuració de pantalla............................."),
        {600, 2160, 7545, 360}, look);
    Label2 = splashLabel(
        this, "Label2",
        QStringLiteral(".............Calculant el nombre òptim de partícules ............................."),
        {1080, 2640, 8355, 360}, look);
    Timer1.setInterval(1);
    Timer1.setSingleShot(true);
    Timer1.setTimerType(Qt::PreciseTimer);
    connect(&Timer1, &QTimer::timeout, this, &ControlPantalla::tick);
    maximise(this);
}

// The timer starts only once the labels are on the screen, or they would
// never be seen: its tick hides them.
void ControlPantalla::paintEvent(QPaintEvent *event)
{
    QWidget::paintEvent(event);
    if (!m_painted) {
        m_painted = true;
        Timer1.start();
    }
}

void ControlPantalla::tick()
{
    Label1->hide();
    Label2->hide();
    Timer1.stop();
    emit screenChecked(screenScaleForWidth(screenWidthTwips()));
}
