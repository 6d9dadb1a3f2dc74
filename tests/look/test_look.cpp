#include "common/widgets/CatalanQt.h"
#include "launcher/menu/MenuWidgets.h"
#include "tests/support/FindControl.h"
#include "common/widgets/ControlPantalla.h"
#include "common/widgets/DesignFonts.h"
#include "common/widgets/EnterKey.h"
#include "common/widgets/Screen.h"
#include "model/startup/ModelProgram.h"
#include "launcher/menu/Models.h"
#include "launcher/calibration/Optim_Boles.h"

#include <QAbstractScrollArea>
#include <QMenuBar>
#include <QtTest>
#include <QtWidgets>
#include <functional>
#include <memory>

namespace {

using Drive = std::function<void(QWidget &)>;

// Windows get the size of the screen a row names, not the test screen's:
// its zoom is set here, and its scale given, as the splash would find them.
ScreenScale useScreen(QSize screen)
{
    useZoom(zoomForScreen(screen.width(), screen.width(), screen.height()));
    return screenScaleForWidth(screen.width() * TwipsPerPixel);
}

const QList<QSize> Screens{{800, 600}, {1024, 768}, {1152, 864}, {1920, 1080}, {3840, 2160}};

void trigger(QWidget &window, const char *action)
{
    auto *a = window.findChild<QAction *>(QLatin1String(action));
    QVERIFY2(a, action);
    a->trigger();
}

void type(QWidget &window, const char *box, const QString &text)
{
    auto *edit = window.findChild<QLineEdit *>(QLatin1String(box));
    QVERIFY2(edit, box);
    QTest::keyClicks(edit, text);
}

// The widget a person sees at `at`, whatever its attributes for the mouse.
QWidget *frontmostAt(QWidget *widget, QPoint at)
{
    const QObjectList kids = widget->children();
    for (auto it = kids.crbegin(); it != kids.crend(); ++it) {
        auto *kid = qobject_cast<QWidget *>(*it);
        if (kid && !kid->isWindow() && !kid->isHidden() && kid->geometry().contains(at))
            return frontmostAt(kid, at - kid->pos());
    }
    return widget;
}

bool isControl(const QWidget *w)
{
    return !w->objectName().isEmpty() && !w->objectName().startsWith(QLatin1String("qt_"))
           && (qobject_cast<const QAbstractButton *>(w) || qobject_cast<const QLineEdit *>(w)
               || qobject_cast<const QLabel *>(w) || qobject_cast<const QGroupBox *>(w)
               || qobject_cast<const QAbstractScrollArea *>(w));
}

// Where the caption does not fit, the part that is cut; empty when it fits.
QString captionFault(const QWidget *w)
{
    const QFontMetrics fm = w->fontMetrics();
    const auto overflow = [](QSize need, QSize have) {
        return need.width() > have.width() || need.height() > have.height()
                   ? QStringLiteral("needs %1x%2, has %3x%4")
                         .arg(need.width())
                         .arg(need.height())
                         .arg(have.width())
                         .arg(have.height())
                   : QString();
    };
    if (auto *box = qobject_cast<const QCheckBox *>(w))
        return overflow(box->sizeHint(), box->size());
    if (auto *button = qobject_cast<const QPushButton *>(w)) {
        const QRect face = button->rect().adjusted(2, 2, -2, -2);
        return overflow(fm.boundingRect(face, Qt::AlignCenter | Qt::TextShowMnemonic, button->text()).size(),
                        face.size());
    }
    if (auto *frame = qobject_cast<const QGroupBox *>(w))
        return overflow({frame->minimumSizeHint().width(), 0}, frame->size());
    if (auto *edit = qobject_cast<const QLineEdit *>(w))
        return overflow({fm.horizontalAdvance(edit->text()) + 8, edit->minimumSizeHint().height()}, edit->size());
    if (auto *label = qobject_cast<const QLabel *>(w); label && !label->text().isEmpty()) {
        if (label->wordWrap())
            return overflow({0, label->heightForWidth(label->width())}, label->size());
        return overflow(label->sizeHint(), label->size());
    }
    return {};
}

QString placeFault(QWidget *control, QWidget *window)
{
    for (QWidget *outer = control->parentWidget(); outer; outer = outer->parentWidget()) {
        const QRect inOuter(control->mapTo(outer, QPoint(0, 0)), control->size());
        if (!outer->rect().contains(inOuter))
            return QStringLiteral("outside %1").arg(outer->objectName());
        if (outer == window)
            break;
    }
    return {};
}

// Points a few pixels apart over the whole face, its edges included.
QList<QPoint> facePoints(QSize size)
{
    constexpr int Step = 6;
    QList<QPoint> points;
    for (int x = 0; x < size.width(); x += std::min(Step, std::max(1, size.width() - 1 - x)))
        for (int y = 0; y < size.height(); y += std::min(Step, std::max(1, size.height() - 1 - y))) {
            points << QPoint(x, y);
            if (y == size.height() - 1)
                break;
        }
    return points;
}

QString coverFault(QWidget *control, QWidget *window, const QStringList &mayCover)
{
    for (const QPoint &at : facePoints(control->size())) {
        QWidget *seen = frontmostAt(window, control->mapTo(window, at));
        if (seen != control && !control->isAncestorOf(seen) && !mayCover.contains(seen->objectName()))
            return QStringLiteral("covered by %1 at %2,%3").arg(seen->objectName()).arg(at.x()).arg(at.y());
    }
    return {};
}

QString menuBarFault(const QMenuBar *bar)
{
    const QFont platform = QApplication::font(bar);
    if (bar->font().pointSizeF() != platform.pointSizeF() || bar->font().family() != platform.family())
        return QStringLiteral("menu font %1 pt, platform's %2 pt")
            .arg(bar->font().pointSizeF())
            .arg(platform.pointSizeF());
    for (QAction *a : bar->actions())
        if (!bar->rect().contains(bar->actionGeometry(a)) || bar->actionGeometry(a).isEmpty())
            return QStringLiteral("menu %1 out of the bar").arg(a->text());
    return {};
}

void checkWindow(QWidget *window, const QStringList &mayCover)
{
    QStringList faults;
    if (auto *main = qobject_cast<QMainWindow *>(window); main && main->menuWidget())
        if (const QString fault = menuBarFault(main->menuBar()); !fault.isEmpty())
            faults << fault;
    for (QWidget *control : window->findChildren<QWidget *>()) {
        if (!isControl(control) || !control->isVisibleTo(window) || control->window() != window)
            continue;
        for (const QString &fault : {placeFault(control, window), coverFault(control, window, mayCover),
                                     captionFault(control)})
            if (!fault.isEmpty())
                faults << control->objectName() + QStringLiteral(": ") + fault;
    }
    if (!faults.isEmpty())
        QFAIL(qPrintable(window->objectName() + QStringLiteral("\n  ") + faults.join(QStringLiteral("\n  "))));
}

void showAt(QWidget &window, QSize screen)
{
    window.setWindowState(Qt::WindowNoState);
    window.setGeometry(QRect(QPoint(0, 0), screen));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
}

QWidget *topLevel(const char *name)
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->isVisible() && w->objectName() == QLatin1String(name))
            return w;
    return nullptr;
}

void modelWindow(QSize screen, const Drive &drive)
{
    ModelProgram program(useScreen(screen), {});
    program.load();
    QWidget &w = program.window();
    showAt(w, screen);
    drive(w);
    checkWindow(&w, {});
    if (QWidget *help = topLevel("frmAjuda"))
        checkWindow(help, {});
}

void launcherWindow(QSize screen, const Drive &drive, const QStringList &mayCover)
{
    Random random(3);
    Models w(useScreen(screen), random);
    showAt(w, screen);
    drive(w);
    checkWindow(&w, mayCover);
}

void calibrationWindow(QSize screen)
{
    useScreen(screen);
    Random random(3);
    Optim_Boles w(random, [] { return 0.0; });
    control<QTimer>(w, "tmrRelloOptim")->stop();
    auto *marks = w.findChild<QLabel *>(QStringLiteral("lblPunts"));
    while (marks->text().size() < 36)
        w.tick();
    showAt(w, screen);
    checkWindow(&w, {});
}

// Checked before it is shown: its first tick hides what it shows.
void splash(QSize screen, const ControlPantalla::Look &look)
{
    useScreen(screen);
    ControlPantalla w(look);
    w.setGeometry(QRect(QPoint(0, 0), screen));
    checkWindow(&w, {});
}

void allShown(QWidget &w)
{
    trigger(w, "ConceTotes");
    for (auto [box, text] : {std::pair{"txtGsolut", "10"}, {"txtGdt", "90"}, {"txtVdso", "100"},
                             {"txtMsolut", "58.44"}, {"txtMdt", "18"}})
        type(w, box, QString::fromLatin1(text));
    // A pointer press at the button's centre reaches whatever a person sees there.
    auto *button = w.findChild<QWidget *>(QStringLiteral("cmdResultats"));
    const QPoint centre = button->mapTo(&w, button->rect().center());
    QWidget *seen = frontmostAt(&w, centre);
    QTest::mouseClick(seen, Qt::LeftButton, {}, seen->mapFrom(&w, centre));
    auto *results = w.findChild<QWidget *>(QStringLiteral("frResultats"));
    QVERIFY2(results->isVisible(), "a click at the centre of \"Veure resultats\" shows no results");
    QCOMPARE(w.findChild<QLineEdit *>(QStringLiteral("txtMolar"))->text(), QStringLiteral(" 1.711"));
}

void molarity(QWidget &w)
{
    trigger(w, "ConceMolar");
    for (auto [box, text] : {std::pair{"txtGsolut", "10"}, {"txtVdso", "100"}, {"txtMsolut", "58.44"}})
        type(w, box, QString::fromLatin1(text));
}

// Enter or the keypad's Enter on the focused button presses it: what it
// shows or hides turns.
Drive pressWithKey(const Drive &before, const char *button, const char *turns, Qt::Key key,
                   Qt::KeyboardModifiers modifiers = {})
{
    return [=](QWidget &w) {
        before(w);
        auto *pressed = control<QPushButton>(w, button);
        const bool shown = control<QWidget>(w, turns)->isVisible();
        pressed->setFocus();
        QTest::keyClick(pressed, key, modifiers);
        QVERIFY2(control<QWidget>(w, turns)->isVisible() != shown, button);
    };
}

using Scenario = std::function<void(QSize)>;

Scenario model(const Drive &drive)
{
    return [drive](QSize screen) { modelWindow(screen, drive); };
}

Scenario launcher(const Drive &drive, const QStringList &mayCover = {})
{
    return [drive, mayCover](QSize screen) { launcherWindow(screen, drive, mayCover); };
}

const QList<std::pair<const char *, Scenario>> &scenarios()
{
    static const QList<std::pair<const char *, Scenario>> all{
        {"Concentracio at rest", model([](QWidget &) {})},
        {"Concentracio tant per cent", model([](QWidget &w) { trigger(w, "ConceTpc"); })},
        {"Concentracio grams per litre", model([](QWidget &w) { trigger(w, "ConceGpl"); })},
        {"Concentracio Molaritat", model([](QWidget &w) { trigger(w, "ConceMolar"); })},
        {"Concentracio molalitat", model([](QWidget &w) { trigger(w, "ConceMolal"); })},
        {"Concentracio fraccio molar", model([](QWidget &w) { trigger(w, "ConceFrM"); })},
        {"Concentracio all shown", model(allShown)},
        {"Concentracio frozen", model([](QWidget &w) { trigger(w, "AccionsCongelar"); })},
        {"Concentracio with help", model([](QWidget &w) { trigger(w, "mnuAjuda"); })},
        {"Concentracio Enter on Veure resultats", model(pressWithKey(molarity, "cmdResultats", "frResultats", Qt::Key_Return))},
        {"Concentracio keypad Enter on Veure resultats",
         model(pressWithKey(molarity, "cmdResultats", "frResultats", Qt::Key_Enter, Qt::KeypadModifier))},
        {"Models at rest", launcher([](QWidget &) {})},
        // A panel and its button cover the window by design.
        {"Models about", launcher([](QWidget &w) { trigger(w, "mnuAutor"); }, {"picSobre", "cmdSobre"})},
        {"Models advice", launcher([](QWidget &w) { trigger(w, "FinRecom"); }, {"picRecom", "cmdRecom"})},
        {"Models Enter on Tancar",
         launcher(pressWithKey([](QWidget &w) { trigger(w, "mnuAutor"); }, "cmdSobre", "picSobre", Qt::Key_Return))},
        {"Optim_Boles with 36 marks", calibrationWindow},
        {"model splash", [](QSize screen) { splash(screen, {{255, 255, 192}, true}); }},
        {"launcher splash", [](QSize screen) { splash(screen, {{192, 192, 255}, false}); }},
    };
    return all;
}

} // namespace

class TestLook : public QObject {
    Q_OBJECT

private slots:
    void everyControlInView_data();
    void everyControlInView();
    void splashShowsItsLabelsBeforeItsTick();
    void qtTextsAreCatalan_data();
    void qtTextsAreCatalan();
    void beakerGrowsWithTheScreen_data();
    void beakerGrowsWithTheScreen();
};

void TestLook::everyControlInView_data()
{
    QTest::addColumn<int>("scenario");
    QTest::addColumn<QSize>("screen");
    for (int i = 0; i < scenarios().size(); ++i)
        for (QSize screen : Screens)
            QTest::addRow("%s at %d", scenarios()[i].first, screen.width()) << i << screen;
}

void TestLook::everyControlInView()
{
    QFETCH(int, scenario);
    QFETCH(QSize, screen);
    scenarios()[scenario].second(screen);
}

namespace {

struct PaintCounter : QObject {
    int paints = 0;
    bool eventFilter(QObject *, QEvent *event) override
    {
        paints += event->type() == QEvent::Paint;
        return false;
    }
};

} // namespace

void TestLook::splashShowsItsLabelsBeforeItsTick()
{
    ControlPantalla splash({{255, 255, 192}, true});
    PaintCounter counter;
    splash.findChild<QLabel *>(QStringLiteral("Label2"))->installEventFilter(&counter);
    int paintsAtTick = -1;
    connect(&splash, &ControlPantalla::screenChecked, this, [&] { paintsAtTick = counter.paints; });
    splash.show();
    QTRY_VERIFY(paintsAtTick >= 0);
    QVERIFY(paintsAtTick > 0);
}

void TestLook::qtTextsAreCatalan_data()
{
    QTest::addColumn<QString>("context");
    QTest::addColumn<QString>("english");
    QTest::newRow("message box button") << QStringLiteral("QPlatformTheme") << QStringLiteral("OK");
    QTest::newRow("text box context menu") << QStringLiteral("QLineEdit") << QStringLiteral("Select All");
}

void TestLook::qtTextsAreCatalan()
{
    QFETCH(QString, context);
    QFETCH(QString, english);
    const QString shown = QCoreApplication::translate(qPrintable(context), qPrintable(english));
    QVERIFY2(shown != english, qPrintable(shown));
}

namespace {

QSize beakerAt(QSize screen)
{
    ModelProgram program(useScreen(screen), {});
    program.load();
    return control<QWidget>(program.window(), "Caja")->size();
}

} // namespace

void TestLook::beakerGrowsWithTheScreen_data()
{
    QTest::addColumn<QSize>("screen");
    QTest::addColumn<double>("least");
    QTest::newRow("1920x1080") << QSize(1920, 1080) << 1.2;
    QTest::newRow("3840x2160") << QSize(3840, 2160) << 2.4;
}

void TestLook::beakerGrowsWithTheScreen()
{
    QFETCH(QSize, screen);
    QFETCH(double, least);
    const QSize design = beakerAt({1152, 864});
    const QSize grown = beakerAt(screen);
    QVERIFY2(grown.width() >= least * design.width() && grown.height() >= least * design.height(),
             qPrintable(QStringLiteral("%1 pixels high against %2").arg(grown.height()).arg(design.height())));
}

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    loadCatalanQt(app);
    useDesignFonts();
    pressButtonsWithEnter(app);
    TestLook test;
    return QTest::qExec(&test, argc, argv);
}
#include "test_look.moc"
