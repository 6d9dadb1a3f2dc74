// Seeded random use of both windows, checked after every event.
#include "tests/random/ModelChecks.h"
#include "model/startup/ModelProgram.h"
#include "launcher/menu/Models.h"
#include "common/core/Random.h"
#include "launcher/animation/ParticleBox.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>
#include <random>

namespace {

// Commands that leave the process (documents, help viewers) or end it.
const QStringList OutsideCommands{"ArxiuText", "ArxiuInformExem", "ArxiuInformFitxa", "ArxiuSortir",
                                  "FinPre",    "FinTeo",          "FinProp",          "FinGuia"};
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

class ModelRun {
public:
    explicit ModelRun(std::uint64_t seed)
        : m_program({}, solidSizeForCount(125), Random(seed))
        , m_random(static_cast<std::mt19937::result_type>(seed))
    {
        m_program.load();
        m_program.window().show();
    }

    void event()
    {
        Concentracio &w = m_program.window();
        // Clock ticks weigh most, so that solids fall and dissolve between commands.
        switch (std::discrete_distribution<int>{3, 2, 2, 2, 5, 1}(m_random)) {
        case 0: {
            QList<QAction *> items;
            // Dropping the solid weighs as much as all the rest, or it would
            // rarely get the ticks to dissolve before the next command.
            for (QAction *a : w.findChildren<QAction *>())
                if (!a->objectName().isEmpty() && !OutsideCommands.contains(a->objectName()) && reachable(a))
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
        }
    }

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
};

class LauncherRun : public QObject {
public:
    explicit LauncherRun(std::uint64_t seed)
        : m_particles(seed)
        , m_menu(ScreenScale{1, false}, m_particles)
        , m_random(static_cast<std::mt19937::result_type>(seed))
    {
        m_menu.setModelStarter([this](const QString &, QString &) {
            ++m_started;
            return true;
        });
        // The item is also reached by clicks on the menu bar.
        connect(m_menu.findChild<QAction *>(QStringLiteral("ModelP")), &QAction::triggered, this, [this] { ++m_asked; });
        m_menu.show();
    }

    void event()
    {
        switch (std::uniform_int_distribution<int>(0, 3)(m_random)) {
        case 0: {
            static const QStringList commands{"OpcionsMinim", "ModelP", "FinRecom", "mnuAutor"};
            QAction *a = m_menu.findChild<QAction *>(commands[m_random() % commands.size()]);
            a->trigger();
            m_menu.showNormal();
            break;
        }
        case 1:
        case 2: {
            QList<QWidget *> targets = usable<QWidget>(m_menu);
            // Leaving ends the run; an open menu's Sortir would too.
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
        }
    }

    QString fault() const
    {
        const auto shown = [this](const char *name) {
            const auto *w = m_menu.findChild<QWidget *>(QLatin1String(name));
            return w && w->isVisible();
        };
        if (shown("picSobre") != shown("cmdSobre") || shown("picRecom") != shown("cmdRecom"))
            return QStringLiteral("a panel without its button, or the other way round");
        if (shown("picSobre") && shown("picRecom"))
            return QStringLiteral("both panels shown");
        if (m_started != m_asked)
            return QStringLiteral("%1 model starts for %2 requests").arg(m_started).arg(m_asked);
        const ParticleBox &b = m_menu.particles();
        for (int i = 0; i < b.NombreBoles; ++i)
            for (float v : {b.BolaX[i], b.BolaY[i], b.BolaZ[i], b.PantX[i], b.PantY[i], b.DiamPant[i]})
                if (!std::isfinite(v))
                    return QStringLiteral("launcher particle %1 not finite").arg(i);
        return {};
    }

private:
    Random m_particles;
    Models m_menu;
    std::mt19937 m_random;
    int m_started = 0;
    int m_asked = 0;
};

template <typename Run>
void runEvents(Run &run, int events)
{
    for (int e = 0; e < events; ++e) {
        run.event();
        const QString fault = run.fault();
        if (!fault.isEmpty())
            QFAIL(qPrintable(QStringLiteral("event %1: %2").arg(e).arg(fault)));
    }
}

} // namespace

class TestRandom : public QObject {
    Q_OBJECT

private slots:
    void modelWindow_data();
    void modelWindow();
    void launcherWindow();
};

void TestRandom::modelWindow_data()
{
    QTest::addColumn<quint64>("seed");
    QTest::newRow("seed 14") << quint64(14);
    QTest::newRow("seed 2024") << quint64(2024);
}

// RANDOM_EVENTS sets the events per run for longer sessions by hand.
void TestRandom::modelWindow()
{
    QFETCH(quint64, seed);
    MessageAnswerer answerer;
    ModelRun run(seed);
    runEvents(run, eventCount("RANDOM_EVENTS", 6000));
}

void TestRandom::launcherWindow()
{
    MessageAnswerer answerer;
    LauncherRun run(7);
    runEvents(run, eventCount("RANDOM_EVENTS", 8000));
}

QTEST_MAIN(TestRandom)
#include "test_random.moc"
