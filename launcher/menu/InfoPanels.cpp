#include "launcher/menu/InfoPanels.h"

#include "common/core/CompanionFiles.h"
#include "common/widgets/Controls.h"
#include "common/widgets/SharpPicture.h"

#include <QLabel>
#include <QPushButton>

namespace {

constexpr float ButtonFont = 9.75f;

QPushButton *closeButton(QWidget *parent, const char *name)
{
    auto *button = control<QPushButton>(parent, name, {0, 0, 1095, 375}, ButtonFont);
    button->setText(QStringLiteral("Tancar"));
    return button;
}

QLabel *panel(QWidget *parent, const char *name)
{
    auto *picture = control<QLabel>(parent, name);
    picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    picture->setAutoFillBackground(true);
    return picture;
}

void placePanel(QLabel *picture, QPushButton *button, const TwipRect &rect, float buttonLeft, float buttonTop,
                const QString &name, float escala)
{
    setTwipRect(picture, rect);
    moveTwips(button, buttonLeft, buttonTop);
    if (escala != 1) {
        scaleTwipRect(picture, escala);
        scaleTwipRectAndFont(button, escala);
    }
    picture->setPixmap(sharpPicture(scaledPicture(name, escala)));
    picture->hide();
    button->hide();
    // A shown panel covers everything else, its button covers it.
    picture->raise();
    button->raise();
}

} // namespace

InfoPanels::InfoPanels(QWidget *parent)
    : QObject(parent)
    , picSobre(panel(parent, "picSobre"))
    , cmdSobre(closeButton(parent, "cmdSobre"))
    , picRecom(panel(parent, "picRecom"))
    , cmdRecom(closeButton(parent, "cmdRecom"))
{
    for (QPushButton *button : {cmdSobre, cmdRecom})
        connect(button, &QPushButton::clicked, this, [this] {
            for (QWidget *w : panels())
                w->hide();
        });
}

void InfoPanels::place(float escala)
{
    placePanel(picSobre, cmdSobre, {5550, 0, 6015, 9015}, 10300, 8520, QStringLiteral("SobreAquestTreball"), escala);
    placePanel(picRecom, cmdRecom, {3550, 0, 4455, 9200}, 6850, 8735, QStringLiteral("Recomana"), escala);
}

void InfoPanels::showSobre()
{
    show(picSobre, cmdSobre);
}

void InfoPanels::showRecom()
{
    show(picRecom, cmdRecom);
}

void InfoPanels::show(QLabel *picture, QPushButton *button)
{
    for (QWidget *w : panels())
        w->hide();
    button->show();
    picture->show();
}

QList<QWidget *> InfoPanels::panels() const
{
    return {picSobre, cmdSobre, picRecom, cmdRecom};
}
