#include "Concentracio.h"

#include "ConcentracioAccessibility.h"
#include "TwipGeometry.h"
#include "WrappingButton.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMenuBar>

const QString Concentracio::Caption = QStringLiteral("Concentracions de les dissolucions");

namespace {

constexpr float ControlFont = 9.75f;

template <typename W>
W *control(QWidget *parent, const char *name, const TwipRect &rect, float font = ControlFont)
{
    auto *w = new W(parent);
    w->setObjectName(QLatin1String(name));
    setTwipRect(w, rect);
    if (font > 0)
        setFontPoints(w, font);
    return w;
}

QGroupBox *frame(QWidget *parent, const char *name, const QString &caption, const TwipRect &rect)
{
    auto *box = control<QGroupBox>(parent, name, rect);
    box->setTitle(caption);
    return box;
}

// The check boxes are indicators that only the program sets.
QCheckBox *indicator(QWidget *parent, const char *name, const QString &caption, const TwipRect &rect,
                     bool threeState)
{
    auto *box = control<QCheckBox>(parent, name, rect);
    box->setText(caption);
    box->setTristate(threeState);
    box->setAttribute(Qt::WA_TransparentForMouseEvents);
    box->setFocusPolicy(Qt::NoFocus);
    return box;
}

// A text box would take Ctrl+A as select-all; the menu's shortcuts come first
// while their items are enabled.
class MenuShortcutsFirst : public QObject {
public:
    MenuShortcutsFirst(QList<QAction *> actions, QObject *parent)
        : QObject(parent)
        , m_actions(std::move(actions))
    {
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::ShortcutOverride) {
            const QKeySequence pressed(static_cast<QKeyEvent *>(event)->keyCombination());
            for (const QAction *action : m_actions)
                if (action->isEnabled() && action->shortcut() == pressed)
                    return true;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QList<QAction *> m_actions;
};

} // namespace

Concentracio::Concentracio(QWidget *parent)
    : QMainWindow(parent)
{
    setObjectName(QStringLiteral("Concentracio"));
    setWindowTitle(Caption);
    buildControls();
    buildMenus();
    auto *shortcuts = new MenuShortcutsFirst({EinesDiamAfAu, EinesDiamAfDi}, this);
    for (QLineEdit *box : dataTexts() + resultTexts())
        box->installEventFilter(shortcuts);
    resize(11880 / 15, 8130 / 15);
    describeModelWindow(*this);
}

void Concentracio::buildControls()
{
    client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->setAutoFillBackground(true);
    QPalette pal = client->palette();
    pal.setColor(QPalette::Window, QColor(192, 255, 255));
    pal.setColor(QPalette::WindowText, QColor(0, 0, 0));
    client->setPalette(pal);
    setCentralWidget(client);

    cmdResultats = control<WrappingButton>(client, "cmdResultats", {2280, 7320, 1215, 735});
    cmdResultats->setText(QStringLiteral("Veure resultats"));
    cmdResultats->setStyleSheet(QStringLiteral("QPushButton { background-color: rgb(255,255,255); }"));

    Caja = control<PictureBox>(client, "Caja", {960, 2640, 3375, 4335}, 0);
    Caja->surface().setBackground({192, 255, 255});
    Caja->surface().resize(3375, 4335);
    // The layout puts the button on the beaker's picture; it must stay in front.
    cmdResultats->raise();

    picConcentracio = control<QLabel>(client, "picConcentracio", {9960, 0, 4425, 5385}, 0);
    picConcentracio->setFrameShape(QFrame::Box);
    picConcentracio->setLineWidth(1);

    frResultats = frame(client, "frResultats", QStringLiteral("Resultats (amb 4 xifres significatives):"),
                        {6000, 5640, 4095, 2895});
    chkTpc = indicator(frResultats, "chkTpc", QStringLiteral("Tant per cent:"), {240, 360, 1695, 375}, false);
    txtTpc = control<QLineEdit>(frResultats, "txtTpc", {2280, 360, 1695, 375});
    chkGpl = indicator(frResultats, "chkGpl", QStringLiteral("Grams per litre:"), {240, 840, 1815, 375}, false);
    txtGpl = control<QLineEdit>(frResultats, "txtGpl", {2280, 840, 1695, 375});
    chkMolar = indicator(frResultats, "chkMolar", QStringLiteral("Molaritat:"), {240, 1320, 1455, 375}, false);
    txtMolar = control<QLineEdit>(frResultats, "txtMolar", {2280, 1320, 1695, 375});
    chkMolal = indicator(frResultats, "chkMolal", QStringLiteral("molalitat:"), {240, 1800, 1815, 375}, false);
    txtMolal = control<QLineEdit>(frResultats, "txtMolal", {2280, 1800, 1695, 375});
    chkFrM = indicator(frResultats, "chkFrM", QStringLiteral("Fracció molar:"), {240, 2280, 1935, 375}, false);
    txtFrM = control<QLineEdit>(frResultats, "txtFrM", {2280, 2280, 1695, 375});

    frDades = frame(client, "frDades", QStringLiteral("Introduir dades:"), {4320, 1320, 5655, 3255});
    chkGsolut = indicator(frDades, "chkGsolut", QStringLiteral("Massa solut (grams):"), {240, 360, 3255, 375}, true);
    txtGsolut = control<QLineEdit>(frDades, "txtGsolut", {3840, 360, 1695, 375});
    chkGdt = indicator(frDades, "chkGdt", QStringLiteral("Massa dissolvent (grams):"), {240, 840, 3015, 375}, true);
    txtGdt = control<QLineEdit>(frDades, "txtGdt", {3840, 840, 1695, 375});
    chkVdso = indicator(frDades, "chkVdso", QStringLiteral("Volum dissolució (cm3):"), {240, 1320, 3135, 375}, true);
    txtVdso = control<QLineEdit>(frDades, "txtVdso", {3840, 1320, 1695, 375});
    chkDens =
        indicator(frDades, "chkDens", QStringLiteral("Densitat dissolució (g/cm3):"), {240, 1800, 3135, 375}, true);
    txtDens = control<QLineEdit>(frDades, "txtDens", {3840, 1800, 1695, 375});
    chkMsolut =
        indicator(frDades, "chkMsolut", QStringLiteral("Massa molecular solut:"), {240, 2280, 3015, 375}, true);
    txtMsolut = control<QLineEdit>(frDades, "txtMsolut", {3840, 2280, 1695, 375});
    chkMdt =
        indicator(frDades, "chkMdt", QStringLiteral("Massa molecular dissolvent:"), {240, 2760, 3135, 375}, true);
    txtMdt = control<QLineEdit>(frDades, "txtMdt", {3840, 2760, 1695, 375});

    lblPropietats = control<QLabel>(client, "lblPropietats", {8160, 5880, 3615, 2655}, 0);
    lblPropietats->setText(QStringLiteral("Propietats"));
    lblPropietats->setWordWrap(true);
    lblPropietats->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblPropietats->setAutoFillBackground(true);
    QPalette labelColours = lblPropietats->palette();
    labelColours.setColor(QPalette::Window, QColor(255, 255, 192));
    labelColours.setColor(QPalette::WindowText, QColor(0, 0, 192));
    lblPropietats->setPalette(labelColours);
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(12);
    font.setBold(true);
    font.setItalic(true);
    lblPropietats->setFont(font);

    tmrRellotge.setObjectName(QStringLiteral("tmrRellotge"));
    tmrRellotge.setTimerType(Qt::PreciseTimer);
}

QAction *Concentracio::item(QMenu *menu, const char *name, const QString &caption)
{
    QAction *action = menu->addAction(caption);
    action->setObjectName(QLatin1String(name));
    return action;
}

QMenu *Concentracio::menu(QMenu *parent, const char *name, const QString &caption)
{
    QMenu *m = parent ? parent->addMenu(caption) : menuBar()->addMenu(caption);
    m->setObjectName(QLatin1String(name));
    return m;
}

void Concentracio::buildMenus()
{
    // The window's font grows with the screen; the menu bar keeps the platform's.
    QFont platform = QApplication::font(menuBar());
    platform.setResolveMask(QFont::AllPropertiesResolved);
    menuBar()->setFont(platform);
    mnuArxiu = menu(nullptr, "mnuArxiu", QStringLiteral("&Arxiu"));
    ArxiuText = item(mnuArxiu, "ArxiuText", QStringLiteral("Document de text"));
    ArxiuInformE = menu(mnuArxiu, "ArxiuInformE", QStringLiteral("Elaboracio d'informe (Word)"));
    ArxiuInformExem = item(ArxiuInformE, "ArxiuInformExem", QStringLiteral("Exemple"));
    ArxiuInformFitxa = item(ArxiuInformE, "ArxiuInformFitxa", QStringLiteral("Fitxa per emplenar"));
    ArxiuSortir = item(mnuArxiu, "ArxiuSortir", QStringLiteral("Sortir"));

    mnuAccions = menu(nullptr, "mnuAccions", QStringLiteral("A&ccions"));
    AccionsEsborrar = item(mnuAccions, "AccionsEsborrar", QStringLiteral("Esborrar dades i resultats"));
    AccionsCongelar = item(mnuAccions, "AccionsCongelar", QStringLiteral("Congelar imatge"));
    AccionsMarcar = item(mnuAccions, "AccionsMarcar", QStringLiteral("Marcar/Desmarcar partícules"));
    AccionsMarcar->setCheckable(true);
    AccionsSolid = item(mnuAccions, "AccionsSolid", QStringLiteral("Dissoldre sòlid"));
    AccionsInici = item(mnuAccions, "AccionsInici", QStringLiteral("Tornar sòlid a posició inicial"));

    mnuEines = menu(nullptr, "mnuEines", QStringLiteral("&Eines"));
    EinesPsoliD = menu(mnuEines, "EinesPsoliD", QStringLiteral("Nombre de partícules"));
    EinesPsolidA = item(EinesPsoliD, "EinesPsolidA", QStringLiteral("Augmentar"));
    EinesPsolidD = item(EinesPsoliD, "EinesPsolidD", QStringLiteral("Disminuir"));
    EinesPsolidA->setCheckable(true);
    EinesPsolidD->setCheckable(true);
    EinesDiam = menu(mnuEines, "EinesDiam", QStringLiteral("Diàmetre"));
    EinesDiamAfAu = item(EinesDiam, "EinesDiamAfAu", QStringLiteral("Afinar (+)"));
    EinesDiamAfAu->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_A));
    EinesDiamAfDi = item(EinesDiam, "EinesDiamAfDi", QStringLiteral("Afinar (-)"));
    EinesDiamAfDi->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_D));

    mnuConcentracio = menu(nullptr, "mnuConcentracio", QStringLiteral("C&oncentració en:"));
    ConceTpc = item(mnuConcentracio, "ConceTpc", QStringLiteral("tant per cent"));
    ConceGpl = item(mnuConcentracio, "ConceGpl", QStringLiteral("grams per litre"));
    ConceMolar = item(mnuConcentracio, "ConceMolar", QStringLiteral("Molaritat"));
    ConceMolal = item(mnuConcentracio, "ConceMolal", QStringLiteral("molalitat"));
    ConceFrM = item(mnuConcentracio, "ConceFrM", QStringLiteral("fracció molar"));
    for (QAction *measure : {ConceTpc, ConceGpl, ConceMolar, ConceMolal, ConceFrM})
        measure->setCheckable(true);
    ConceTotes = item(mnuConcentracio, "ConceTotes", QStringLiteral("     Marcar totes"));
    ConceCap = item(mnuConcentracio, "ConceCap", QStringLiteral("     Desmarcar totes"));
    ConceCap->setEnabled(false);

    mnuFinestra = menu(nullptr, "mnuFinestra", QStringLiteral("&Finestra"));
    FinPre = item(mnuFinestra, "FinPre", QStringLiteral("Presentació"));
    FinTeo = item(mnuFinestra, "FinTeo", QStringLiteral("Introducció teòrica"));
    FinProp = item(mnuFinestra, "FinProp", QStringLiteral("Propostes de treball"));
    FinGuia = item(mnuFinestra, "FinGuia", QStringLiteral("Guia didàctica"));

    mnuAjuda = menuBar()->addAction(QStringLiteral("A&juda"));
    mnuAjuda->setObjectName(QStringLiteral("mnuAjuda"));
}

QList<QCheckBox *> Concentracio::dataChecks() const
{
    return {chkGsolut, chkGdt, chkVdso, chkDens, chkMsolut, chkMdt};
}

QList<QLineEdit *> Concentracio::dataTexts() const
{
    return {txtGsolut, txtGdt, txtVdso, txtDens, txtMsolut, txtMdt};
}

QList<QCheckBox *> Concentracio::resultChecks() const
{
    return {chkTpc, chkGpl, chkMolar, chkMolal, chkFrM};
}

QList<QLineEdit *> Concentracio::resultTexts() const
{
    return {txtTpc, txtGpl, txtMolar, txtMolal, txtFrM};
}
