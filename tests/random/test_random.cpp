// A seeded random pupil in both programs: menus, typing, clicks anywhere,
// the whole keyboard, the help window, the documents and the clipboard,
// checked after every event. A failure names its seed; RANDOM_SEED replays it.
#include "tests/random/ModelChecks.h"
#include "model/documents/frmAjuda.h"
#include "model/startup/ModelProgram.h"
#include "launcher/menu/Models.h"
#include "common/core/Random.h"
#include "common/widgets/PictureBox.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QCheckBox>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>
#include <memory>
#include <optional>
#include <random>

namespace {

// Ends the program, so the run would end with it.
const QString Sortir = QStringLiteral("ArxiuSortir");
const QStringList DataBoxes{"txtGsolut", "txtGdt", "txtVdso", "txtDens", "txtMsolut", "txtMdt"};
const QStringList ResultBoxes{"txtTpc", "txtGpl", "txtMolar", "txtMolal", "txtFrM"};
// A backspace among them as "\b".
const QString Typed = QStringLiteral("0123456789..--+eEdD&Hh ,x\u00e0\u20ac\b");

// Answers any message box at once, so a modal one never holds the run.
class MessageAnswerer : public QObject {
public:
    MessageAnswerer()
    {
        connect(&m_poll, &QTimer::timeout, this, [] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget()))
                box->accept();
        });
        m_poll.start(5);
    }

private:
    QTimer m_poll;
};

int eventCount(const char *variable, int fallback)
{
    bool ok = false;
    const int n = qEnvironmentVariableIntValue(variable, &ok);
    return ok ? n : fallback;
}

// An item the user can reach: enabled, and so is every menu on the way.
bool reachable(const QAction *action)
{
    if (!action->isEnabled())
        return false;
    for (QObject *owner : action->associatedObjects())
        if (auto *menu = qobject_cast<QMenu *>(owner); menu && !reachable(menu->menuAction()))
            return false;
    return true;
}

template <typename T>
T *pick(const QList<T *> &items, std::mt19937 &random)
{
    if (items.isEmpty())
        return nullptr;
    return items[std::uniform_int_distribution<qsizetype>(0, items.size() - 1)(random)];
}

QPoint somewhereIn(const QWidget *widget, std::mt19937 &random)
{
    return {std::uniform_int_distribution<int>(0, std::max(0, widget->width() - 1))(random),
            std::uniform_int_distribution<int>(0, std::max(0, widget->height() - 1))(random)};
}

// Key events carry the text itself, so any character can be typed.
void typeRandomText(QWidget *box, std::mt19937 &random)
{
    for (int length = std::uniform_int_distribution<int>(0, 9)(random); length > 0; --length) {
        const QChar c = Typed[std::uniform_int_distribution<qsizetype>(0, Typed.size() - 1)(random)];
        const int key = c == QLatin1Char('\b') ? Qt::Key_Backspace : 0;
        const QString text = key ? QString() : QString(c);
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
        QApplication::sendEvent(box, &press);
        QApplication::sendEvent(box, &release);
    }
}

template <typename T>
QList<T *> usable(const QWidget &window, const QStringList &names = {})
{
    QList<T *> found;
    for (T *w : window.findChildren<T *>())
        if (w->isVisible() && w->isEnabled() && (names.isEmpty() || names.contains(w->objectName())))
            found << w;
    return found;
}

// Shortcuts, menu keys, editing and navigation keys, function keys.
const QKeyCombination PupilKeys[] = {
    Qt::CTRL | Qt::Key_A,  Qt::CTRL | Qt::Key_C,      Qt::CTRL | Qt::Key_D,   Qt::CTRL | Qt::Key_V,
    Qt::CTRL | Qt::Key_X,  Qt::CTRL | Qt::Key_Z,      Qt::CTRL | Qt::SHIFT | Qt::Key_Z,
    Qt::SHIFT | Qt::Key_Insert, Qt::ALT | Qt::Key_A,  Qt::ALT | Qt::Key_C,    Qt::ALT | Qt::Key_E,
    Qt::ALT | Qt::Key_O,   Qt::ALT | Qt::Key_F,       Qt::ALT | Qt::Key_J,    Qt::ALT | Qt::Key_F4,
    QKeyCombination(Qt::Key_Tab), Qt::SHIFT | Qt::Key_Backtab, QKeyCombination(Qt::Key_Escape),
    QKeyCombination(Qt::Key_Return), QKeyCombination(Qt::Key_Enter), QKeyCombination(Qt::Key_Space),
    QKeyCombination(Qt::Key_Up), QKeyCombination(Qt::Key_Down), QKeyCombination(Qt::Key_Left),
    QKeyCombination(Qt::Key_Right), QKeyCombination(Qt::Key_Home), QKeyCombination(Qt::Key_End),
    QKeyCombination(Qt::Key_PageDown), QKeyCombination(Qt::Key_Delete), QKeyCombination(Qt::Key_Backspace),
    QKeyCombination(Qt::Key_F1), QKeyCombination(Qt::Key_F2), QKeyCombination(Qt::Key_F5),
    QKeyCombination(Qt::Key_F10), QKeyCombination(Qt::Key_F12), QKeyCombination(Qt::Key_Menu),
    QKeyCombination(Qt::Key_5), QKeyCombination(Qt::Key_Period), QKeyCombination(Qt::Key_X),
};

// Where a key goes: an open menu, else the focus, else the active window.
QWidget *keyTarget(QWidget &fallback)
{
    if (QWidget *popup = QApplication::activePopupWidget())
        return popup;
    if (QWidget *focus = QApplication::focusWidget())
        return focus;
    if (QWidget *active = QApplication::activeWindow())
        return active;
    return &fallback;
}

// Returns the key pressed.
QKeyCombination pressKey(QWidget &fallback, std::mt19937 &random)
{
    const QKeyCombination key = PupilKeys[random() % std::size(PupilKeys)];
    QTest::keyClick(keyTarget(fallback), key.key(), key.keyboardModifiers());
    return key;
}

// What another program may have left on the clipboard: nothing at all, an
// empty offer, a picture, a short or a very long text.
void fillClipboard(std::mt19937 &random)
{
    QClipboard *clipboard = QGuiApplication::clipboard();
    switch (random() % 5) {
    case 0:
        return clipboard->clear();
    case 1:
        return clipboard->setMimeData(new QMimeData);
    case 2: {
        QImage picture(16, 16, QImage::Format_RGB32);
        picture.fill(Qt::red);
        return clipboard->setImage(picture);
    }
    case 3:
        return clipboard->setText(QStringLiteral("58.44"));
    default:
        return clipboard->setText(QString(4 << 20, QLatin1Char('7')));
    }
}

void closePopups()
{
    while (QWidget *popup = QApplication::activePopupWidget())
        popup->close();
}

// Every window a pupil can see, menus apart (a click in one may choose Sortir).
QList<QWidget *> shownWindows()
{
    QList<QWidget *> windows;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->isVisible() && !qobject_cast<QMenu *>(w))
            windows << w;
    return windows;
}

class ModelRun {
public:
    explicit ModelRun(std::uint64_t seed)
        : m_program({}, solidSizeForCount(125), Random(seed))
        , m_random(static_cast<std::mt19937::result_type>(seed))
    {
        // Stand-ins for the desktop and for Writer: one answers, one fails.
        m_program.documents().setOpener({QStringLiteral("true"), {}});
        m_program.documents().setReportHelper({QStringLiteral("false"), {}});
        m_program.load();
        m_program.window().show();
        m_program.window().activateWindow();
        // Ticks come from the run alone, so that a seed replays the same way.
        m_program.window().findChild<QTimer *>(QStringLiteral("tmrRellotge"))->blockSignals(true);
    }

    void event()
    {
        Concentracio &w = m_program.window();
        // Clock ticks weigh most, so that solids fall and dissolve between commands.
        const int kind = std::discrete_distribution<int>{3, 2, 2, 2, 5, 1, 8, 2, 1, 1}(m_random);
        // A pupil's click elsewhere, or a change of window, closes an open menu first.
        if (kind != 4 && kind != 6 && kind != 8)
            closePopups();
        switch (kind) {
        case 0: {
            QList<QAction *> items;
            // Dropping the solid weighs as much as all the rest, or it would
            // rarely get the ticks to dissolve before the next command.
            for (QAction *a : w.findChildren<QAction *>())
                if (!a->objectName().isEmpty() && a->objectName() != Sortir && reachable(a))
                    items << QList<QAction *>(a->objectName() == QLatin1String("AccionsSolid") ? 20 : 1, a);
            if (QAction *a = pick(items, m_random))
                a->trigger();
            break;
        }
        case 1:
            if (QLineEdit *box = pick(usable<QLineEdit>(w, DataBoxes), m_random)) {
                if (m_random() % 2)
                    box->clear();
                typeRandomText(box, m_random);
            }
            break;
        case 2:
            if (QCheckBox *box = pick(usable<QCheckBox>(w), m_random))
                QTest::mouseClick(box, Qt::LeftButton);
            break;
        case 3:
            if (auto *picture = w.findChild<QWidget *>(QStringLiteral("Caja")))
                QTest::mouseClick(picture, Qt::LeftButton, {}, somewhereIn(picture, m_random));
            break;
        case 4:
            for (int t = std::uniform_int_distribution<int>(1, 60)(m_random); t > 0; --t)
                m_program.simulation().tick();
            break;
        case 5:
            if (QPushButton *results = pick(usable<QPushButton>(w, {"cmdResultats"}), m_random))
                QTest::mouseClick(results, Qt::LeftButton);
            break;
        case 6: {
            const QWidget *help = m_program.documents().ajuda();
            const bool intoHelp = help && help->isAncestorOf(keyTarget(w));
            const QKeyCombination key = pressKey(w, m_random);
            m_helpPastes += intoHelp && (key == (Qt::CTRL | Qt::Key_V) || key == (Qt::SHIFT | Qt::Key_Insert));
            break;
        }
        case 7:
            if (QWidget *window = pick(shownWindows(), m_random))
                if (QWidget *target = pick(usable<QWidget>(*window) << window, m_random))
                    QTest::mouseClick(target, m_random() % 2 ? Qt::LeftButton : Qt::MiddleButton, {},
                                      somewhereIn(target, m_random));
            break;
        case 8:
            fillClipboard(m_random);
            break;
        case 9:
            if (QWidget *window = pick(shownWindows(), m_random))
                window->activateWindow();
            break;
        }
        QCoreApplication::processEvents();
    }

    // How often a paste went into the help text, where Qt's own paste once crashed.
    int helpPastes() const { return m_helpPastes; }

    QString fault()
    {
        Concentracio &w = m_program.window();
        const SimulationCommands &sim = m_program.simulation();
        const QString particles = particleFault(sim.model(), m_program.scene());
        if (!particles.isEmpty())
            return particles;
        const auto *solid = w.findChild<QAction *>(QStringLiteral("AccionsSolid"));
        const auto *eines = w.findChild<QMenu *>(QStringLiteral("mnuEines"));
        const auto *marcar = w.findChild<QAction *>(QStringLiteral("AccionsMarcar"));
        if (solid->isEnabled() && !sim.solidAtStart())
            return QStringLiteral("dissolving can be chosen while the solid is not at its start");
        if (eines->menuAction()->isEnabled() != solid->isEnabled())
            return QStringLiteral("Eines and the dissolving command disagree");
        if (marcar->isChecked() != sim.MarcatgeActiu())
            return QStringLiteral("the marking item's check disagrees with the marking");
        for (const QLineEdit *box : usable<QLineEdit>(w, ResultBoxes))
            if (!box->text().isEmpty() && !fourDigitsShown(box->text()))
                return QStringLiteral("%1 shows %2").arg(box->objectName(), box->text());
        return {};
    }

private:
    ModelProgram m_program;
    std::mt19937 m_random;
    int m_helpPastes = 0;
};

class LauncherRun : public QObject {
public:
    explicit LauncherRun(std::uint64_t seed)
        : m_particles(seed)
        , m_random(static_cast<std::mt19937::result_type>(seed))
    {
        open();
    }

    void event()
    {
        switch (std::discrete_distribution<int>{1, 2, 2, 1, 2}(m_random)) {
        case 0: {
            static const QStringList commands{"OpcionsMinim", "ModelP", "FinRecom", "mnuAutor"};
            QAction *a = m_menu->findChild<QAction *>(commands[m_random() % commands.size()]);
            a->trigger();
            m_menu->showNormal();
            break;
        }
        case 1:
        case 2: {
            QList<QWidget *> targets = usable<QWidget>(*m_menu);
            // Leaving is left to the keyboard; an open menu's Sortir would end the run.
            targets.removeIf([](const QWidget *w) { return w->objectName() == QLatin1String("lblFi") || qobject_cast<const QMenu *>(w); });
            if (QWidget *target = pick(targets, m_random)) {
                const QPoint at = somewhereIn(target, m_random);
                QTest::mouseMove(target, at);
                if (m_random() % 2) {
                    m_asked += target->objectName() == QLatin1String("lblSubtitol");
                    QTest::mouseClick(target, Qt::LeftButton, {}, at);
                }
            }
            break;
        }
        case 3:
            // Now and then the particles' own clock gets to run.
            QTest::qWait(m_random() % 30 == 0 ? 60 : 0);
            break;
        case 4: {
            const bool onEntry = keyTarget(*m_menu)->objectName() == QLatin1String("lblSubtitol");
            const QKeyCombination key = pressKey(*m_menu, m_random);
            m_asked += onEntry && (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter || key.key() == Qt::Key_Space);
            break;
        }
        }
        QCoreApplication::processEvents();
        // A pupil who left starts the launcher again.
        if (!m_menu->isVisible())
            open();
    }

    QString fault() const
    {
        const auto shown = [this](const char *name) {
            const auto *w = m_menu->findChild<QWidget *>(QLatin1String(name));
            return w && w->isVisible();
        };
        if (shown("picSobre") != shown("cmdSobre") || shown("picRecom") != shown("cmdRecom"))
            return QStringLiteral("a panel without its button, or the other way round");
        if (shown("picSobre") && shown("picRecom"))
            return QStringLiteral("both panels shown");
        if (m_started != m_asked)
            return QStringLiteral("%1 model starts for %2 requests").arg(m_started).arg(m_asked);
        const CircleSet &circles = m_menu->findChild<PictureBox *>(QStringLiteral("Caja"))->surface().circles();
        for (int i = 0; i < circles.count(); ++i)
            for (float v : {circles[i].left, circles[i].top, circles[i].size})
                if (!std::isfinite(v))
                    return QStringLiteral("launcher particle %1 not finite").arg(i);
        return {};
    }

private:
    void open()
    {
        m_menu = std::make_unique<Models>(ScreenScale{1, false}, m_particles);
        m_menu->setModelStarter([this](const QString &, QString &) {
            ++m_started;
            return true;
        });
        // The item is also reached by clicks on the menu bar and by its keys.
        connect(m_menu->findChild<QAction *>(QStringLiteral("ModelP")), &QAction::triggered, this, [this] { ++m_asked; });
        m_menu->show();
        m_menu->activateWindow();
    }

    Random m_particles;
    std::mt19937 m_random;
    std::unique_ptr<Models> m_menu;
    int m_started = 0;
    int m_asked = 0;
};

// The seed to replay, when RANDOM_SEED is set.
std::optional<quint64> replaySeed()
{
    bool ok = false;
    const quint64 seed = qEnvironmentVariable("RANDOM_SEED").toULongLong(&ok);
    return ok ? std::optional(seed) : std::nullopt;
}

void addSeeds(QList<quint64> seeds)
{
    QTest::addColumn<quint64>("seed");
    if (const auto replay = replaySeed())
        seeds = {*replay};
    for (quint64 seed : seeds)
        QTest::addRow("seed %llu", seed) << seed;
}

// A crash prints nothing of its own, so the seed is said first.
template <typename Run>
void runEvents(Run &run, quint64 seed, int events)
{
    qInfo("seed %llu (replay with RANDOM_SEED=%llu)", seed, seed);
    for (int e = 0; e < events; ++e) {
        run.event();
        const QString fault = run.fault();
        if (!fault.isEmpty())
            QFAIL(qPrintable(QStringLiteral("seed %1, event %2: %3").arg(seed).arg(e).arg(fault)));
    }
}

} // namespace

class TestRandom : public QObject {
    Q_OBJECT

private slots:
    void modelWindow_data();
    void modelWindow();
    void launcherWindow_data();
    void launcherWindow();
};

void TestRandom::modelWindow_data()
{
    addSeeds({14, 2024});
}

// RANDOM_EVENTS sets the events per run for longer sessions by hand.
void TestRandom::modelWindow()
{
    QFETCH(quint64, seed);
    MessageAnswerer answerer;
    ModelRun run(seed);
    runEvents(run, seed, eventCount("RANDOM_EVENTS", 6000));
    if (!replaySeed())
        QVERIFY2(run.helpPastes() > 0, "the pupil never pasted into the help window");
}

void TestRandom::launcherWindow_data()
{
    addSeeds({7});
}

void TestRandom::launcherWindow()
{
    QFETCH(quint64, seed);
    MessageAnswerer answerer;
    LauncherRun run(seed);
    runEvents(run, seed, eventCount("RANDOM_EVENTS", 8000));
}

QTEST_MAIN(TestRandom)
#include "test_random.moc"

