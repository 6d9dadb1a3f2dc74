#include "Models.h"

#include "CalibrationFile.h"
#include "MessageBox.h"
#include "ModelsAccessibility.h"
#include "Resources.h"
#include "TwipGeometry.h"
#include "WidgetLook.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QMenuBar>

const QString Models::Caption = QStringLiteral("Tavirel");

namespace {

const QColor Blue(0, 0, 255);
constexpr float ButtonFont = 9.75f;
constexpr TwipRect ButtonSize{0, 0, 1095, 375};

QCursor subtitlePointer()
{
    const QPixmap image(QStringLiteral(":/launcher/punter.png"));
    if (image.isNull())
        return QCursor(Qt::PointingHandCursor);
    constexpr int TipOfArrow = 1;
    return QCursor(image, TipOfArrow, TipOfArrow);
}

// One application-wide pointer at most; none lets each widget show its own.
void setApplicationPointer(const QCursor *pointer)
{
    while (QApplication::overrideCursor())
        QApplication::restoreOverrideCursor();
    if (pointer)
        QApplication::setOverrideCursor(*pointer);
}

template <typename W>
W *control(QWidget *parent, const char *name)
{
    auto *w = new W(parent);
    w->setObjectName(QLatin1String(name));
    return w;
}

template <typename L>
L *textLabel(QWidget *parent, const char *name, const QString &family, float points)
{
    auto *label = control<L>(parent, name);
    QFont font(family);
    if (family == QLatin1String("Arial Black"))
        font.setWeight(QFont::Black);
    font.setPointSizeF(points);
    label->setFont(font);
    setColour(label, QPalette::WindowText, Blue);
    return label;
}

QFrame *bar(QWidget *parent, const char *name)
{
    auto *shape = control<QFrame>(parent, name);
    shape->setAutoFillBackground(true);
    setColour(shape, QPalette::Window, Blue);
    // Shapes are drawn on the window; the pointer over them is over the window.
    shape->setAttribute(Qt::WA_TransparentForMouseEvents);
    setTwipRect(shape, {0, 0, 80, 2000});
    return shape;
}

QPushButton *closeButton(QWidget *parent, const char *name)
{
    auto *button = control<QPushButton>(parent, name);
    button->setText(QStringLiteral("Tancar"));
    setFontPoints(button, ButtonFont);
    setTwipRect(button, ButtonSize);
    return button;
}

QLabel *panel(QWidget *parent, const char *name)
{
    auto *picture = control<QLabel>(parent, name);
    picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    picture->setAutoFillBackground(true);
    return picture;
}

// Labels take the size of their caption, with room for the hover frame.
void placeLabel(QLabel *label, float left, float top)
{
    moveTwips(label, left, top);
    fitToText(label, 4 * TwipsPerPixel);
}

void loadPicture(QLabel *picture, const QString &path)
{
    picture->setPixmap(QPixmap(path));
}

// "Arxius_models/<name>.jpg", or its variant for a smaller or larger screen.
QString panelPicture(const QString &name, float escala)
{
    const QString variant = escala < 1 ? QStringLiteral("800") : escala > 1 ? QStringLiteral("1152") : QString();
    return QStringLiteral("Arxius_models/%1%2.jpg").arg(name, variant);
}

} // namespace

Models::Models(const ScreenScale &scale, Random &random, QWidget *parent)
    : QMainWindow(parent)
    , client(new Backdrop)
    , Caja(new PictureBox(client))
    , boles(Caja->surface().circles(), random)
    , m_scale(scale)
{
    initLauncherResources();
    setObjectName(QStringLiteral("Models"));
    setWindowTitle(Caption);
    buildControls();
    buildMenus();
    connectControls();
    load();
    makeLauncherAccessible(*this);
}

void Models::buildControls()
{
    client->setObjectName(QStringLiteral("client"));
    setColour(client, QPalette::Window, QColor(192, 192, 255));
    client->setPicture(QPixmap(QStringLiteral(":/launcher/fons.jpg")));
    setCentralWidget(client);

    picMenu = control<QWidget>(client, "picMenu");
    picMenu->setAutoFillBackground(true);
    shpMenu = control<QFrame>(client, "shpMenu");
    shpMenu->setFrameShape(QFrame::Box);
    shpMenu->setAutoFillBackground(true);
    shpEstats = bar(client, "shpEstats");
    shpUlvaro = bar(client, "shpUlvaro");
    shpReac = bar(client, "shpReac");

    const QString arial = QStringLiteral("Arial");
    const QString arialBlack = QStringLiteral("Arial Black");
    lblTitol[0] = textLabel<QLabel>(client, "lblTitol(0)", arial, 20.25f);
    lblTitol[4] = textLabel<QLabel>(client, "lblTitol(4)", arialBlack, 20.25f);
    lblSubtitol = textLabel<ActiveLabel>(client, "lblSubtitol", arial, 24);
    lblSubtitol->setCursor(subtitlePointer());
    lblFi = textLabel<ActiveLabel>(client, "lblFi", arialBlack, 21.75f);
    lblFi->setText(QStringLiteral("Fi "));

    Caja->setObjectName(QStringLiteral("Caja"));
    tmrRellotge.setObjectName(QStringLiteral("tmrRellotge"));
    tmrRellotge.setTimerType(Qt::PreciseTimer);

    picSobre = panel(client, "picSobre");
    cmdSobre = closeButton(client, "cmdSobre");
    picRecom = panel(client, "picRecom");
    cmdRecom = closeButton(client, "cmdRecom");
}

void Models::buildMenus()
{
    const auto named = [](auto *item, const char *name) {
        item->setObjectName(QLatin1String(name));
        return item;
    };
    QMenuBar *menus = menuBar();
    mnuOpcions = named(menus->addMenu(QStringLiteral("&Opcions")), "mnuOpcions");
    OpcionsMinim = named(mnuOpcions->addAction(QStringLiteral("Minimitzar")), "OpcionsMinim");
    OpcionsSortir = named(mnuOpcions->addAction(QStringLiteral("Sortir")), "OpcionsSortir");
    ModelP = named(menus->addAction(QString()), "ModelP");
    FinRecom = named(menus->addAction(QStringLiteral("Recomanacions d'ús")), "FinRecom");
    mnuAutor = named(menus->addAction(QStringLiteral("Sobre aquest treball....")), "mnuAutor");
}

void Models::connectControls()
{
    connect(client, &Backdrop::pointerMoved, this, &Models::Desmarca_Etiquetes);
    connect(lblSubtitol, &ActiveLabel::pointerMoved, this, &Models::framedSubtitle);
    connect(lblFi, &ActiveLabel::pointerMoved, this, &Models::framedExit);
    // Setting a running timer going again would restart its interval and
    // hold the animation back for as long as the pointer keeps moving.
    connect(Caja, &PictureBox::pointerMoved, this, [this] {
        if (!tmrRellotge.isActive())
            tmrRellotge.start();
    });
    connect(&tmrRellotge, &QTimer::timeout, this, &Models::tick);
    connect(lblSubtitol, &ActiveLabel::clicked, this, &Models::Obre_Model);
    connect(ModelP, &QAction::triggered, this, &Models::Obre_Model);
    connect(lblFi, &ActiveLabel::clicked, this, &Models::leaveSuite);
    connect(OpcionsSortir, &QAction::triggered, this, &Models::leaveSuite);
    connect(OpcionsMinim, &QAction::triggered, this, [this] { setWindowState(windowState() | Qt::WindowMinimized); });
    connect(mnuAutor, &QAction::triggered, this, [this] { showPanel(picSobre, cmdSobre); });
    connect(FinRecom, &QAction::triggered, this, [this] { showPanel(picRecom, cmdRecom); });
    connect(cmdSobre, &QPushButton::clicked, picSobre, &QWidget::hide);
    connect(cmdSobre, &QPushButton::clicked, cmdSobre, &QWidget::hide);
    connect(cmdRecom, &QPushButton::clicked, picRecom, &QWidget::hide);
    connect(cmdRecom, &QPushButton::clicked, cmdRecom, &QWidget::hide);
}

void Models::load()
{
    maximise(this);
    placePanels();
    placeHiddenMenu();
    placeTexts();
    setUpParticleBox();
    if (m_scale.AjustarPantalla)
        Escala_Controls();
    const TwipRect menu = twipRect(shpMenu);
    moveTwips(Caja, menu.width + menu.left - AmpladaCaja, twipRect(Caja).top);
    BoxConstants c = boles.constants();
    setBackOffset(c, static_cast<float>(0.2 * c.AmpladaRecinte), static_cast<float>(0.2 * c.AlturaRecinte));
    boles.setConstants(c);
    Caja->resizeTwips(AmpladaCaja, AlturaCaja);
    tmrRellotge.setInterval(50);
    Crea_Boles_Fons();
    tmrRellotge.start();
    Desmarca_Etiquetes();
}

void Models::placePanels()
{
    cmdSobre->hide();
    moveTwips(cmdSobre, 10300, 8520);
    setTwipRect(picSobre, {5550, 0, 6015, 9015});
    loadPicture(picSobre, panelPicture(QStringLiteral("SobreAquestTreball"), 1));
    picSobre->hide();
    setTwipRect(picRecom, {3550, 0, 4455, 9200});
    loadPicture(picRecom, panelPicture(QStringLiteral("Recomana"), 1));
    picRecom->hide();
    cmdRecom->hide();
    moveTwips(cmdRecom, 6850, 8735);
    // Shown panels cover everything else, their buttons cover them.
    for (QWidget *w : panels())
        w->raise();
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
    ModelP->setText(QStringLiteral("Càlcul de concentracions"));
}

void Models::setUpParticleBox()
{
    Caja->surface().setBackground({175, 255, 210});
    boles.setConstants(backgroundBoxConstants());
    AmpladaCaja = AlturaCaja = 3400;
    moveTwips(Caja, twipRect(Caja).left, 400);
}

void Models::Escala_Controls()
{
    const float e = m_scale.EscalaPantalla;
    setFontPoints(client, scaled(fontPoints(client), e));
    BoxConstants c = boles.constants();
    for (float *length : {&c.DiametreBola, &c.AmpladaRecinte, &c.AlturaRecinte, &c.FonsRecinte, &AmpladaCaja,
                          &AlturaCaja})
        *length = scaled(*length, e);
    boles.setConstants(c);
    moveTwips(Caja, twipRect(Caja).left, scaled(twipRect(Caja).top, e));
    for (QLabel *label : {lblTitol[0], static_cast<QLabel *>(lblSubtitol), static_cast<QLabel *>(lblFi)}) {
        scaleTwipRectAndFont(label, e);
        // Text does not grow exactly with its point size; the label follows it.
        fitToText(label, scaled(4 * TwipsPerPixel, e));
    }
    scaleTwipRect(picSobre, e);
    loadPicture(picSobre, panelPicture(QStringLiteral("SobreAquestTreball"), e));
    scaleTwipRect(picRecom, e);
    loadPicture(picRecom, panelPicture(QStringLiteral("Recomana"), e));
    for (QWidget *shape : {shpMenu, shpEstats, shpUlvaro, shpReac})
        scaleTwipRect(shape, e);
    scaleTwipRectAndFont(cmdSobre, e);
    scaleTwipRectAndFont(cmdRecom, e);
}

void Models::Crea_Boles_Fons()
{
    boles.create(100);
    Caja->update();
}

void Models::tick()
{
    boles.step();
    Caja->update();
}

void Models::Desmarca_Etiquetes()
{
    lblSubtitol->setFramed(false);
    lblFi->setFramed(false);
}

void Models::framedSubtitle()
{
    lblSubtitol->setFramed(true);
    const QCursor pointer = lblSubtitol->cursor();
    setApplicationPointer(&pointer);
}

void Models::framedExit()
{
    Desmarca_Etiquetes();
    lblFi->setFramed(true);
}

void Models::showPanel(QLabel *picture, QPushButton *button)
{
    for (QWidget *w : panels())
        w->hide();
    button->show();
    picture->show();
}

QList<QWidget *> Models::panels() const
{
    return {picSobre, cmdSobre, picRecom, cmdRecom};
}

void Models::Obre_Model()
{
    tmrRellotge.stop();
    boles.Ordena_Profunditat();
    Caja->update();
    const QCursor hourglass(Qt::WaitCursor);
    setApplicationPointer(&hourglass);
    QString error;
    const bool started = m_starter(m_modelProgram, error);
    setApplicationPointer(nullptr);
    if (!started)
        showMessage(this, error);
}

void Models::Esborra_Calibratge()
{
    const QString path = calibrationFilePath();
    if (!deleteCalibration(path))
        showMessage(this, QStringLiteral("No s'ha pogut esborrar el fitxer %1").arg(QDir::toNativeSeparators(path)));
}

void Models::leaveSuite()
{
    if (m_leaving)
        return;
    m_leaving = true;
    tmrRellotge.stop();
    Esborra_Calibratge();
    emit suiteLeft();
    close();
}

void Models::closeEvent(QCloseEvent *event)
{
    leaveSuite();
    event->accept();
}
