#include "launcher/menu/Models.h"

#include "common/widgets/Controls.h"
#include "common/widgets/DesignPalette.h"
#include "common/widgets/MessageBox.h"
#include "common/widgets/Screen.h"
#include "common/widgets/SharpPicture.h"
#include "launcher/menu/InfoPanels.h"
#include "launcher/menu/LabelHover.h"
#include "launcher/menu/MenuWidgets.h"
#include "launcher/menu/ParticleCorner.h"
#include "launcher/menu/Pointer.h"
#include "launcher/menu/Resources.h"
#include "launcher/menu/ModelsAccessibility.h"

#include <QCloseEvent>
#include <QMenuBar>

const QString Models::Caption = QStringLiteral("Tavirel");

namespace {

const QColor Blue(0, 0, 255);

template <typename L>
L *textLabel(QWidget *parent, const char *name, const QString &family, float points)
{
    auto *label = control<L>(parent, name);
    QFont font(family);
    if (family == QLatin1String("Arial Black"))
        font.setWeight(QFont::Black);
    setFontPoints(font, points);
    label->setFont(font);
    setColour(label, QPalette::WindowText, Blue);
    return label;
}

QFrame *bar(QWidget *parent, const char *name)
{
    auto *shape = control<QFrame>(parent, name);
    setBackground(shape, Blue);
    // Shapes are drawn on the window; the pointer over them is over the window.
    shape->setAttribute(Qt::WA_TransparentForMouseEvents);
    setTwipRect(shape, {0, 0, 80, 2000});
    return shape;
}

// Labels take the size of their caption, with room for the hover frame.
void placeLabel(QLabel *label, float left, float top)
{
    moveTwips(label, left, top);
    fitToText(label, 4 * TwipsPerPixel);
}

} // namespace

Models::Models(const ScreenScale &scale, Random &random, QWidget *parent)
    : QMainWindow(parent)
    , m_scale(scale)
    , m_client(new Backdrop)
    , m_corner(new ParticleCorner(m_client, random))
{
    initLauncherResources();
    setObjectName(QStringLiteral("Models"));
    setWindowTitle(Caption);
    buildControls();
    buildMenus();
    load();
    makeLauncherAccessible(*this);
}

void Models::buildControls()
{
    m_client->setObjectName(QStringLiteral("client"));
    useDesignPalette(m_client, QColor(192, 192, 255), Blue);
    m_client->setPicture(sharpPicture(QStringLiteral(":/launcher/fons.jpg")));
    setCentralWidget(m_client);

    picMenu = control<QWidget>(m_client, "picMenu");
    picMenu->setAutoFillBackground(true);
    shpMenu = control<QFrame>(m_client, "shpMenu");
    shpMenu->setFrameShape(QFrame::Box);
    shpMenu->setAutoFillBackground(true);
    shpEstats = bar(m_client, "shpEstats");
    shpUlvaro = bar(m_client, "shpUlvaro");
    shpReac = bar(m_client, "shpReac");

    const QString arial = QStringLiteral("Arial");
    const QString arialBlack = QStringLiteral("Arial Black");
    lblTitol[0] = textLabel<QLabel>(m_client, "lblTitol(0)", arial, 20.25f);
    lblTitol[4] = textLabel<QLabel>(m_client, "lblTitol(4)", arialBlack, 20.25f);
    lblSubtitol = textLabel<ActiveLabel>(m_client, "lblSubtitol", arial, 24);
    lblSubtitol->setCursor(subtitlePointer());
    lblFi = textLabel<ActiveLabel>(m_client, "lblFi", arialBlack, 21.75f);
    lblFi->setText(QStringLiteral("Fi "));
    m_panels = new InfoPanels(m_client);
    m_hover = new LabelHover(m_client, lblSubtitol, lblFi);
}

void Models::buildMenus()
{
    const auto named = [](auto *item, const char *name) {
        item->setObjectName(QLatin1String(name));
        return item;
    };
    QMenuBar *menus = menuBar();
    QMenu *mnuOpcions = named(menus->addMenu(QStringLiteral("&Opcions")), "mnuOpcions");
    QAction *OpcionsMinim = named(mnuOpcions->addAction(QStringLiteral("Minimitzar")), "OpcionsMinim");
    QAction *OpcionsSortir = named(mnuOpcions->addAction(QStringLiteral("Sortir")), "OpcionsSortir");
    QAction *ModelP = named(menus->addAction(QStringLiteral("Càlcul de concentracions")), "ModelP");
    QAction *FinRecom = named(menus->addAction(QStringLiteral("Recomanacions d'ús")), "FinRecom");
    QAction *mnuAutor = named(menus->addAction(QStringLiteral("Sobre aquest treball....")), "mnuAutor");

    connect(OpcionsMinim, &QAction::triggered, this, [this] { setWindowState(windowState() | Qt::WindowMinimized); });
    connect(OpcionsSortir, &QAction::triggered, this, &Models::leaveSuite);
    connect(ModelP, &QAction::triggered, this, &Models::Obre_Model);
    connect(FinRecom, &QAction::triggered, m_panels, &InfoPanels::showRecom);
    connect(mnuAutor, &QAction::triggered, m_panels, &InfoPanels::showSobre);
    connect(lblSubtitol, &ActiveLabel::clicked, this, &Models::Obre_Model);
    connect(lblFi, &ActiveLabel::clicked, this, &Models::leaveSuite);
}

void Models::load()
{
    maximise(this);
    m_panels->place(m_scale.AjustarPantalla ? m_scale.EscalaPantalla : 1.0f);
    placeHiddenMenu();
    placeTexts();
    if (m_scale.AjustarPantalla)
        Escala_Controls();
    const TwipRect menu = twipRect(shpMenu);
    m_corner->setUp(m_scale, menu.left + menu.width);
    m_corner->start();
    m_hover->Desmarca_Etiquetes();
}

void Models::placeHiddenMenu()
{
    const bool larger = m_scale.EscalaPantalla > 1;
    setColour(picMenu, QPalette::Window, QColor(175, 208, 240));
    setTwipRect(picMenu, {6050, 4050, 8500, larger ? 5000.0f : 4700.0f});
    picMenu->lower();
    picMenu->hide();
    setColour(shpMenu, QPalette::Window, QColor(175, 208, 240));
    setTwipRect(shpMenu, {6000, 4000, 8600, larger ? 5300.0f : 5000.0f});
    shpMenu->hide();
}

void Models::placeTexts()
{
    setFontPoints(lblTitol[0], 18);
    lblTitol[0]->setText(QStringLiteral("Model basat en la teoria cineticomolecular"));
    placeLabel(lblTitol[0], 5000, 5200);
    setFontPoints(lblTitol[4], 24);
    placeLabel(lblTitol[4], twipRect(shpMenu).left + 200, 3100);
    lblTitol[4]->hide();
    setFontPoints(lblSubtitol, 24);
    lblSubtitol->setText(QStringLiteral("Càlcul de concentracions"));
    placeLabel(lblSubtitol, 2000, 2000);
    moveTwips(shpEstats, 1600, 2000);
    moveTwips(shpUlvaro, 4600, 4500);
    moveTwips(shpReac, 1600, 7000);
    placeLabel(lblFi, 2000, 8400);
}

void Models::Escala_Controls()
{
    const float e = m_scale.EscalaPantalla;
    setFontPoints(m_client, scaled(fontPoints(m_client), e));
    for (QLabel *label : {lblTitol[0], static_cast<QLabel *>(lblSubtitol), static_cast<QLabel *>(lblFi)}) {
        scaleTwipRectAndFont(label, e);
        // Text does not grow exactly with its point size; the label follows it.
        fitToText(label, scaled(4 * TwipsPerPixel, e));
    }
    for (QWidget *shape : {shpMenu, shpEstats, shpUlvaro, shpReac})
        scaleTwipRect(shape, e);
}

void Models::Obre_Model()
{
    m_corner->freeze();
    const QCursor hourglass(Qt::WaitCursor);
    setApplicationPointer(&hourglass);
    QString fault;
    const bool started = m_session.startModel(fault);
    setApplicationPointer(nullptr);
    if (!started)
        showMessage(this, fault);
}

void Models::leaveSuite()
{
    QString fault;
    if (!m_session.leave(fault))
        return;
    m_corner->stop();
    if (!fault.isEmpty())
        showMessage(this, fault);
    emit suiteLeft();
    close();
}

void Models::closeEvent(QCloseEvent *event)
{
    leaveSuite();
    event->accept();
}

// A keyboard user coming back from the model never moves the pointer over
// the box; coming back is enough.
void Models::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && !m_session.hasLeft())
        m_corner->resume();
}
