#include "launcher/menu/ModelsAccessibility.h"

#include "common/widgets/AccessibleWidgets.h"
#include "launcher/menu/MenuWidgets.h"

#include <QAccessibleWidget>
#include <QPushButton>

namespace {

const char *const SobreText =
    "Sobre aquest treball. "
    "Aquest programa és un recull de models de la matèria per a l'ensenyament de la química a l'educació "
    "secundària. Els models representen les substàncies com a conjunts de partícules en moviment, d'acord amb "
    "la teoria cineticomolecular. "
    "El model Càlcul de concentracions mostra com un sòlid cau dins d'un vas de precipitats i s'hi dissol "
    "partícula a partícula, i calcula la concentració de la dissolució de cinc maneres: tant per cent en massa, "
    "grams per litre, molaritat, molalitat i fracció molar. "
    "A qui s'adreça. "
    "A l'alumnat d'ESO i de batxillerat, de 15 a 17 anys, i al seu professorat. El model s'acompanya d'una "
    "introducció teòrica, unes propostes de treball, una guia didàctica, una presentació, un exemple d'informe i "
    "una fitxa per emplenar. "
    "Com s'ha fet. "
    "L'equip de desenvolupament ha escrit el programa en C++ amb la biblioteca Qt. Els textos, els dibuixos i els "
    "documents s'han elaborat expressament per a aquest treball. "
    "Llicència. "
    "Programari lliure: es distribueix sota la Llicència Pública General de GNU, versió 3 o qualsevol versió "
    "posterior (GPL-3.0-or-later). Es pot utilitzar, copiar, estudiar, modificar i redistribuir lliurement, "
    "d'acord amb aquesta llicència, i es distribueix sense cap garantia.";

const char *const RecomText =
    "Recomanacions d'ús. "
    "Pantalla. "
    "Els models s'adapten a pantalles de 800, 1024 o 1152 píxels d'amplada o més. Es veuen millor amb 1024 "
    "píxels o més. "
    "Velocitat de l'ordinador. "
    "Cada vegada que s'inicia, el programa mesura la velocitat de l'ordinador per triar el nombre de partícules "
    "que pot moure amb fluïdesa. Cal esperar uns segons. "
    "Dins del model, el menú Eines permet canviar el nombre de partícules (Augmentar o Disminuir) i afinar-ne el "
    "diàmetre (Afinar (+) o Afinar (-)) si el moviment és lent o el dibuix no es veu bé. "
    "Informes i anotacions. "
    "Deseu els informes i el document de text amb un altre nom: els arxius originals han de quedar disponibles, "
    "amb el seu nom, per a les properes vegades que s'utilitzi el programa. "
    "Ajuda. "
    "Dins del model, el menú Ajuda explica totes les ordres, i el menú Finestra obre la presentació, la "
    "introducció teòrica, les propostes de treball i la guia didàctica.";

// A clickable label is a button to a screen reader: its caption and a press.
class AccessibleActiveLabel : public QAccessibleWidget {
public:
    explicit AccessibleActiveLabel(ActiveLabel *label)
        : QAccessibleWidget(label, QAccessible::Button)
    {
    }

    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Name ? captionName(widget(), label()->text()) : QAccessibleWidget::text(t);
    }

    QStringList actionNames() const override { return QStringList{pressAction()} + QAccessibleWidget::actionNames(); }

    void doAction(const QString &action) override
    {
        if (action == pressAction())
            label()->press();
        else
            QAccessibleWidget::doAction(action);
    }

private:
    ActiveLabel *label() const { return static_cast<ActiveLabel *>(widget()); }
};

QAccessibleInterface *activeLabelFactory(const QString &className, QObject *object)
{
    auto *label = qobject_cast<ActiveLabel *>(object);
    return className == QLatin1String("ActiveLabel") && label ? new AccessibleActiveLabel(label) : nullptr;
}

void describe(QWidget &window, const char *name, const QString &accessibleName, const QString &description)
{
    if (auto *w = window.findChild<QWidget *>(QLatin1String(name))) {
        w->setAccessibleName(accessibleName);
        w->setAccessibleDescription(description);
    }
}

} // namespace

void makeLauncherAccessible(QWidget &window)
{
    static const bool installed = (QAccessible::installFactory(activeLabelFactory), true);
    Q_UNUSED(installed);
    for (const char *name : {"lblSubtitol", "lblFi"})
        forgetInterface(window.findChild<QWidget *>(QLatin1String(name)));
    giveRole(window.findChild<QWidget *>(QStringLiteral("Caja")), QAccessible::Graphic);
    for (const char *name : {"shpEstats", "shpUlvaro", "shpReac", "shpMenu"})
        giveRole(window.findChild<QWidget *>(QLatin1String(name)), QAccessible::Separator);
    describe(window, "Caja", QStringLiteral("Partícules en moviment"),
             QStringLiteral("Una capsa amb partícules que es mouen a l'atzar i xoquen entre elles i amb les parets."));
    describe(window, "picSobre", QStringLiteral("Sobre aquest treball"), QString::fromUtf8(SobreText));
    describe(window, "picRecom", QStringLiteral("Recomanacions d'ús"), QString::fromUtf8(RecomText));
    describe(window, "cmdSobre", QStringLiteral("Tancar"), QStringLiteral("Tanca el tauler Sobre aquest treball."));
    describe(window, "cmdRecom", QStringLiteral("Tancar"), QStringLiteral("Tanca el tauler Recomanacions d'ús."));
    describe(window, "lblSubtitol", QString(), QStringLiteral("Obre el model de càlcul de concentracions."));
    describe(window, "lblFi", QString(), QStringLiteral("Surt del programa."));
    // The window itself holds the focus at first, so the labels look as
    // designed until the user presses Tab.
    window.setFocus(Qt::OtherFocusReason);
}
