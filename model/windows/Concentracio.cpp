#include "model/windows/Concentracio.h"

#include "common/widgets/Announcer.h"
#include "common/widgets/Controls.h"
#include "common/widgets/DesignPalette.h"
#include "common/widgets/PictureBox.h"
#include "model/calculator/Calculadora.h"
#include "model/simulation/SimulationCommands.h"
#include "model/windows/ConcentracioAccessibility.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <utility>

const QString Concentracio::Caption = QStringLiteral("Concentracions de les dissolucions");

namespace {

constexpr float ControlFont = 9.75f;

QLineEdit *textBox(QWidget *parent, const char *name, const TwipRect &rect)
{
    return control<QLineEdit>(parent, name, rect, ControlFont);
}

// A row of a frame: the indicator with its caption, and the text box.
struct BoxRow {
    const char *check;
    const char *text;
    const char *caption;
    float top;
    float captionWidth;
};

QGroupBox *frame(QWidget *parent, const char *name, const QString &caption, const TwipRect &rect)
{
    auto *box = control<QGroupBox>(parent, name, rect, ControlFont);
    box->setTitle(caption);
    return box;
}

// The check boxes are indicators that only the program sets.
QCheckBox *indicator(QWidget *parent, const char *name, const QString &caption, const TwipRect &rect,
                     bool threeState)
{
    auto *box = control<QCheckBox>(parent, name, rect, ControlFont);
    box->setText(caption);
    box->setTristate(threeState);
    box->setAttribute(Qt::WA_TransparentForMouseEvents);
    box->setFocusPolicy(Qt::NoFocus);
    return box;
}

template <typename Key, std::size_t N>
void buildRows(QGroupBox *frame, const BoxRow (&rows)[N], KeyedArray<Key, QCheckBox *, N> &checks,
               KeyedArray<Key, QLineEdit *, N> &texts, float textLeft, bool threeState)
{
    for (std::size_t i = 0; i < N; ++i) {
        const BoxRow &row = rows[i];
        checks.values[i] = indicator(frame, row.check, QString::fromUtf8(row.caption),
                                     {240, row.top, row.captionWidth, 375}, threeState);
        texts.values[i] = textBox(frame, row.text, {textLeft, row.top, 1695, 375});
    }
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

// Qt's own menu offers "Selecciona-ho tot Ctrl+A", but here Ctrl+A is the
// menu's "Afinar (+)": the item stays, without the key it does not answer to.
void offerHonestContextMenu(QLineEdit *box)
{
    box->setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(box, &QWidget::customContextMenuRequested, box, [box](const QPoint &at) {
        QMenu *menu = box->createStandardContextMenu();
        const QString selectAll = QKeySequence(QKeySequence::SelectAll).toString(QKeySequence::NativeText);
        for (QAction *item : menu->actions())
            if (item->text().section(QLatin1Char('\t'), 1) == selectAll)
                item->setText(item->text().section(QLatin1Char('\t'), 0, 0));
        menu->setAttribute(Qt::WA_DeleteOnClose);
        menu->popup(box->mapToGlobal(at));
    });
}

} // namespace

Concentracio::Concentracio(QWidget *parent)
    : QMainWindow(parent)
{
    setObjectName(QStringLiteral("Concentracio"));
    setWindowTitle(Caption);
    buildControls();
    buildMenus();
    connectControls();
    auto *shortcuts = new MenuShortcutsFirst({action(Comanda::EinesDiamAfAu), action(Comanda::EinesDiamAfDi)}, this);
    for (QLineEdit *box : findChildren<QLineEdit *>()) {
        box->installEventFilter(shortcuts);
        offerHonestContextMenu(box);
    }
    resize(twipsToPixels(11880), twipsToPixels(8130));
    describeModelWindow(*this);
}

void Concentracio::buildControls()
{
    m_client = control<QWidget>(this, "client");
    useDesignPalette(m_client, QColor(192, 255, 255));
    setCentralWidget(m_client);

    cmdResultats = control<QPushButton>(m_client, "cmdResultats", {2280, 7320, 1215, 735}, ControlFont);
    showResultsCaption(QStringLiteral("Veure resultats"));
    cmdResultats->setStyleSheet(QStringLiteral("QPushButton { background-color: rgb(255,255,255); color: black; }"));

    Caja = control<PictureBox>(m_client, "Caja", {960, 2640, 3375, 4335});
    // Tab reaches the beaker too, to hear it and to mark particles by keyboard.
    Caja->setFocusPolicy(Qt::StrongFocus);
    Caja->surface().setBackground({192, 255, 255});
    Caja->surface().resize(3375, 4335);
    // The layout puts the button on the beaker's picture; it must stay in front.
    cmdResultats->raise();

    picConcentracio = control<QLabel>(m_client, "picConcentracio", {9960, 0, 4425, 5385});
    picConcentracio->setFrameShape(QFrame::Box);
    picConcentracio->setLineWidth(1);

    frResultats = frame(m_client, "frResultats", QStringLiteral("Resultats (amb 4 xifres significatives):"),
                        {6000, 5640, 4095, 2895});
    const BoxRow resultRows[] = {
        {"chkTpc", "txtTpc", "Tant per cent:", 360, 1695},   {"chkGpl", "txtGpl", "Grams per litre:", 840, 1815},
        {"chkMolar", "txtMolar", "Molaritat:", 1320, 1455},  {"chkMolal", "txtMolal", "molalitat:", 1800, 1815},
        {"chkFrM", "txtFrM", "Fracció molar:", 2280, 1935},
    };
    buildRows(frResultats, resultRows, chkMesura, txtMesura, 2280, false);

    frDades = frame(m_client, "frDades", QStringLiteral("Introduir dades:"), {4320, 1320, 5655, 3255});
    const BoxRow dataRows[] = {
        {"chkGsolut", "txtGsolut", "Massa solut (grams):", 360, 3255},
        {"chkGdt", "txtGdt", "Massa dissolvent (grams):", 840, 3015},
        {"chkVdso", "txtVdso", "Volum dissolució (cm3):", 1320, 3135},
        {"chkDens", "txtDens", "Densitat dissolució (g/cm3):", 1800, 3135},
        {"chkMsolut", "txtMsolut", "Massa molecular solut:", 2280, 3015},
        {"chkMdt", "txtMdt", "Massa molecular dissolvent:", 2760, 3135},
    };
    buildRows(frDades, dataRows, chkDada, txtDada, 3840, true);

    lblPropietats = control<QLabel>(m_client, "lblPropietats", {8160, 5880, 3615, 2655});
    lblPropietats->setText(QStringLiteral("Propietats"));
    lblPropietats->setWordWrap(true);
    lblPropietats->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setBackground(lblPropietats, QColor(255, 255, 192));
    setColour(lblPropietats, QPalette::WindowText, QColor(0, 0, 192));
    QFont font(QStringLiteral("Arial"));
    setFontPoints(font, 12);
    font.setBold(true);
    font.setItalic(true);
    lblPropietats->setFont(font);

    m_announcer = new Announcer(m_client);
    m_resultNewsDelay = new QTimer(this);
    m_resultNewsDelay->setSingleShot(true);
    m_resultNewsDelay->setInterval(700);
    connect(m_resultNewsDelay, &QTimer::timeout, this, &Concentracio::tellResultNews);

    tmrRellotge = new QTimer(this);
    tmrRellotge->setObjectName(QStringLiteral("tmrRellotge"));
    tmrRellotge->setTimerType(Qt::PreciseTimer);
}

QAction *Concentracio::item(QMenu *menu, const char *name, const QString &caption, Comanda command)
{
    QAction *action = menu->addAction(caption);
    action->setObjectName(QLatin1String(name));
    m_actions[static_cast<int>(command)] = action;
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
    QMenu *mnuArxiu = menu(nullptr, "mnuArxiu", QStringLiteral("&Arxiu"));
    item(mnuArxiu, "ArxiuText", QStringLiteral("Document de text"), Comanda::ArxiuText);
    QMenu *ArxiuInformE = menu(mnuArxiu, "ArxiuInformE", QStringLiteral("Elaboracio d'informe (Word)"));
    item(ArxiuInformE, "ArxiuInformExem", QStringLiteral("Exemple"), Comanda::ArxiuInformExem);
    item(ArxiuInformE, "ArxiuInformFitxa", QStringLiteral("Fitxa per emplenar"), Comanda::ArxiuInformFitxa);
    item(mnuArxiu, "ArxiuSortir", QStringLiteral("Sortir"), Comanda::ArxiuSortir);

    QMenu *mnuAccions = menu(nullptr, "mnuAccions", QStringLiteral("A&ccions"));
    item(mnuAccions, "AccionsEsborrar", QStringLiteral("Esborrar dades i resultats"), Comanda::AccionsEsborrar);
    item(mnuAccions, "AccionsCongelar", QStringLiteral("Congelar imatge"), Comanda::AccionsCongelar);
    item(mnuAccions, "AccionsMarcar", QStringLiteral("Marcar/Desmarcar partícules"), Comanda::AccionsMarcar)
        ->setCheckable(true);
    item(mnuAccions, "AccionsSolid", QStringLiteral("Dissoldre sòlid"), Comanda::AccionsSolid);
    item(mnuAccions, "AccionsInici", QStringLiteral("Tornar sòlid a posició inicial"), Comanda::AccionsInici);

    mnuEines = menu(nullptr, "mnuEines", QStringLiteral("&Eines"));
    QMenu *EinesPsoliD = menu(mnuEines, "EinesPsoliD", QStringLiteral("Nombre de partícules"));
    item(EinesPsoliD, "EinesPsolidA", QStringLiteral("Augmentar"), Comanda::EinesPsolidA)->setCheckable(true);
    item(EinesPsoliD, "EinesPsolidD", QStringLiteral("Disminuir"), Comanda::EinesPsolidD)->setCheckable(true);
    QMenu *EinesDiam = menu(mnuEines, "EinesDiam", QStringLiteral("Diàmetre"));
    item(EinesDiam, "EinesDiamAfAu", QStringLiteral("Afinar (+)"), Comanda::EinesDiamAfAu)
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_A));
    item(EinesDiam, "EinesDiamAfDi", QStringLiteral("Afinar (-)"), Comanda::EinesDiamAfDi)
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_D));

    QMenu *mnuConcentracio = menu(nullptr, "mnuConcentracio", QStringLiteral("C&oncentració en:"));
    const std::pair<const char *, const char *> measures[] = {
        {"ConceTpc", "tant per cent"}, {"ConceGpl", "grams per litre"}, {"ConceMolar", "Molaritat"},
        {"ConceMolal", "molalitat"},   {"ConceFrM", "fracció molar"}};
    for (Mesura mesura : TotesMesures) {
        const auto &[name, caption] = measures[static_cast<int>(mesura)];
        item(mnuConcentracio, name, QString::fromUtf8(caption), ComandaMesura[mesura])->setCheckable(true);
    }
    item(mnuConcentracio, "ConceTotes", QStringLiteral("     Marcar totes"), Comanda::ConceTotes);
    item(mnuConcentracio, "ConceCap", QStringLiteral("     Desmarcar totes"), Comanda::ConceCap)->setEnabled(false);

    QMenu *mnuFinestra = menu(nullptr, "mnuFinestra", QStringLiteral("&Finestra"));
    item(mnuFinestra, "FinPre", QStringLiteral("Presentació"), Comanda::FinPre);
    item(mnuFinestra, "FinTeo", QStringLiteral("Introducció teòrica"), Comanda::FinTeo);
    item(mnuFinestra, "FinProp", QStringLiteral("Propostes de treball"), Comanda::FinProp);
    item(mnuFinestra, "FinGuia", QStringLiteral("Guia didàctica"), Comanda::FinGuia);

    QAction *mnuAjuda = menuBar()->addAction(QStringLiteral("A&juda"));
    mnuAjuda->setObjectName(QStringLiteral("mnuAjuda"));
    m_actions[static_cast<int>(Comanda::Ajuda)] = mnuAjuda;
}

void Concentracio::connectControls()
{
    for (int i = 0; i < int(m_actions.size()); ++i)
        connect(m_actions[i], &QAction::triggered, this, [this, i] { emit commandChosen(Comanda(i)); });
    for (Dada dada : TotesDades)
        connect(txtDada[dada], &QLineEdit::textChanged, this, [this, dada](const QString &text) {
            if (!m_rendering)
                emit dataEdited(dada, text);
        });
    connect(cmdResultats, &QPushButton::clicked, this, &Concentracio::resultsButtonClicked);
    connect(Caja, &PictureBox::pressed, this, &Concentracio::picturePressed);
    connect(Caja, &PictureBox::markerMoved, this, [this](int place, int count) {
        announce(QStringLiteral("Partícula %1 de %2").arg(place).arg(count));
    });
}

QAction *Concentracio::action(Comanda command) const
{
    return m_actions[static_cast<int>(command)];
}

void Concentracio::prepare(Rgb background, const QString &propietats)
{
    useDesignPalette(m_client, toColour(background));
    frDades->hide();
    frResultats->hide();
    cmdResultats->hide();
    lblPropietats->setText(propietats);
    tmrRellotge->setInterval(40);
}

namespace {

Qt::CheckState checkState(Indicador indicador)
{
    switch (indicador) {
    case Indicador::Ofert:
        return Qt::PartiallyChecked;
    case Indicador::Donat:
        return Qt::Checked;
    default:
        return Qt::Unchecked;
    }
}

void showText(QLineEdit *box, const std::string &text)
{
    const QString shown = QString::fromStdString(text);
    if (box->text() != shown)
        box->setText(shown);
}

void showAction(QAction *action, bool enabled, bool checked)
{
    action->setEnabled(enabled);
    action->setChecked(checked);
}

} // namespace

void Concentracio::showCalculator(const Calculadora &calculator)
{
    const QScopedValueRollback<bool> rendering(m_rendering, true);
    noteResultNews(calculator);
    frDades->setVisible(calculator.dadesShown());
    for (Dada dada : TotesDades) {
        const CampDada &camp = calculator.camp(dada);
        chkDada[dada]->setEnabled(camp.enabled);
        chkDada[dada]->setCheckState(checkState(camp.indicador));
        txtDada[dada]->setVisible(camp.shown);
        showText(txtDada[dada], camp.text);
    }
    frResultats->setVisible(calculator.resultatsVisibles());
    for (Mesura mesura : TotesMesures) {
        const CampResultat &camp = calculator.camp(mesura);
        chkMesura[mesura]->setEnabled(camp.enabled);
        chkMesura[mesura]->setCheckState(camp.checked ? Qt::Checked : Qt::Unchecked);
        txtMesura[mesura]->setVisible(camp.shown);
        // Whatever was typed over a result stays until the result changes.
        if (camp.text != m_resultsShown[mesura])
            showText(txtMesura[mesura], m_resultsShown[mesura] = camp.text);
        action(ComandaMesura[mesura])->setChecked(calculator.seleccionada(mesura));
    }
    cmdResultats->setVisible(calculator.resultButtonShown());
    showResultsCaption(calculator.resultatsVisibles() ? QStringLiteral("Ocultar resultats")
                                                      : QStringLiteral("Veure resultats"));
    action(Comanda::ConceTotes)->setEnabled(calculator.totesEnabled());
    action(Comanda::ConceCap)->setEnabled(calculator.capEnabled());
    describeData(calculator);
    keepFocusShowing();
}

// What each offered box needs from the pupil, where the indicators show it
// only to the eye; and how a decimal is written, since a comma ends the number.
void Concentracio::describeData(const Calculadora &calculator)
{
    static const QString point = QStringLiteral("Escriu els decimals amb punt: 58.44");
    for (Dada dada : TotesDades) {
        QString state;
        switch (calculator.camp(dada).indicador) {
        case Indicador::Ofert:
            state = QStringLiteral("Dada necessària, encara no donada.");
            break;
        case Indicador::Donat:
            state = QStringLiteral("Dada donada.");
            break;
        default:
            state = QStringLiteral("Dada que ara no s'utilitza.");
        }
        const QString text = state + QLatin1Char(' ') + point;
        if (txtDada[dada]->accessibleDescription() != text) {
            txtDada[dada]->setAccessibleDescription(text);
            txtDada[dada]->setToolTip(text);
        }
    }
}

// Each result that has just become available or has changed, shown or not,
// is told once typing pauses: every edit puts the telling off again, so what
// is told last is what the results show.
void Concentracio::noteResultNews(const Calculadora &calculator)
{
    for (Mesura mesura : TotesMesures) {
        const CampResultat &camp = calculator.camp(mesura);
        const bool appears = camp.shown && txtMesura[mesura]->isHidden();
        const bool changes = camp.shown && camp.text != m_resultsShown[mesura];
        if (appears || changes)
            m_resultNews[static_cast<std::size_t>(mesura)] = true;
    }
    if (std::find(m_resultNews.begin(), m_resultNews.end(), true) != m_resultNews.end())
        m_resultNewsDelay->start();
}

// "Molaritat: 1.711", one message for all the results told together.
void Concentracio::tellResultNews()
{
    QStringList news;
    for (Mesura mesura : TotesMesures)
        if (std::exchange(m_resultNews[static_cast<std::size_t>(mesura)], false) && !txtMesura[mesura]->isHidden())
            news << chkMesura[mesura]->text() + txtMesura[mesura]->text();
    if (!news.isEmpty())
        announce(news.join(QStringLiteral(". ")));
}

void Concentracio::keepFocusShowing()
{
    QWidget *focus = QApplication::focusWidget();
    if (focus && isAncestorOf(focus) && (!focus->isVisible() || !focus->isEnabled()))
        Caja->setFocus(Qt::OtherFocusReason);
}

void Concentracio::announce(const QString &message)
{
    m_announcer->announce(message);
}

void Concentracio::showSimulation(const SimulationCommands &simulation)
{
    mnuEines->menuAction()->setEnabled(simulation.einesEnabled());
    action(Comanda::AccionsSolid)->setEnabled(simulation.solidEnabled());
    action(Comanda::AccionsMarcar)->setChecked(simulation.MarcatgeActiu());
    if (simulation.congelarUsat())
        action(Comanda::AccionsCongelar)
            ->setText(simulation.rellotgeActiu() ? QStringLiteral("Congelar Imatge")
                                                 : QStringLiteral("Descongelar Imatge"));
    showAction(action(Comanda::EinesPsolidA), simulation.augmentar().enabled, simulation.augmentar().checked);
    showAction(action(Comanda::EinesPsolidD), simulation.disminuir().enabled, simulation.disminuir().checked);
    action(Comanda::EinesDiamAfAu)->setEnabled(simulation.afinarMesItem().enabled);
    action(Comanda::EinesDiamAfDi)->setEnabled(simulation.afinarMenysItem().enabled);
    Caja->setKeyboardMarking(simulation.MarcatgeActiu());
    // The beaker's drawing sets the picture's size.
    Caja->fitToSurface();
    Caja->show();
    Caja->update();
}

// The design's button is too narrow for the caption on one line; a screen
// reader hears it as one.
void Concentracio::showResultsCaption(const QString &caption)
{
    if (cmdResultats->accessibleName() == caption)
        return;
    cmdResultats->setText(QString(caption).replace(QLatin1Char(' '), QLatin1Char('\n')));
    cmdResultats->setAccessibleName(caption);
}

void Concentracio::describePicture(const QString &description)
{
    // Qt tells assistive technology of the change.
    Caja->setAccessibleDescription(description);
}

void Concentracio::focusDatum(Dada dada)
{
    txtDada[dada]->setFocus(Qt::OtherFocusReason);
}

Surface &Concentracio::picture()
{
    return Caja->surface();
}

void Concentracio::repaintPicture()
{
    Caja->update();
}

void Concentracio::repaintPicture(const TwipBox &area)
{
    if (area.empty())
        return;
    // A circle's image reaches a pixel past its size, and its place is rounded.
    constexpr int Margin = 2;
    const QPoint topLeft(int(std::floor(twipsToPixelsF(area.left))) - Margin,
                         int(std::floor(twipsToPixelsF(area.top))) - Margin);
    const QPoint bottomRight(int(std::ceil(twipsToPixelsF(area.right))) + Margin,
                             int(std::ceil(twipsToPixelsF(area.bottom))) + Margin);
    Caja->update(QRect(topLeft, bottomRight));
}
