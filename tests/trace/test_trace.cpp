// Replays seeded random sequences of what a pupil does in the model's main
// window and compares a fingerprint of everything visible after each step
// with a recording, so that reshaping the code cannot change behaviour.
// TRACE_RECORD=<file> writes a new recording instead of comparing.

#include "TraceAccess.h"

#include <QCryptographicHash>
#include <QFile>
#include <QtTest>
#include <QtWidgets>

namespace {

const QStringList Controls{
    "cmdResultats", "frDades",  "chkGsolut", "txtGsolut", "chkGdt",  "txtGdt",   "chkVdso",  "txtVdso",
    "chkDens",      "txtDens",  "chkMsolut", "txtMsolut", "chkMdt",  "txtMdt",   "frResultats", "chkTpc",
    "txtTpc",       "chkGpl",   "txtGpl",    "chkMolar",  "txtMolar", "chkMolal", "txtMolal", "chkFrM",
    "txtFrM",       "Caja",     "lblPropietats", "picConcentracio"};

const QStringList Commands{"AccionsEsborrar", "AccionsCongelar", "AccionsMarcar", "AccionsSolid",
                           "AccionsInici",    "EinesPsolidA",    "EinesPsolidD",  "EinesDiamAfAu",
                           "EinesDiamAfDi",   "ConceTpc",        "ConceGpl",      "ConceMolar",
                           "ConceMolal",      "ConceFrM",        "ConceTotes",    "ConceCap"};

const QStringList Menus{"mnuArxiu", "mnuAccions", "mnuEines", "mnuConcentracio", "mnuFinestra"};

const QStringList DataBoxes{"txtGsolut", "txtGdt", "txtVdso", "txtDens", "txtMsolut", "txtMdt"};

const QStringList Typed{"10",   "100", "58.44", "90",  "1.2", "18",   "12,5", "",     "0",    "-3",
                        "1e3",  "abc", "&H1F",  " 2 5", "0.05764", "1000", "1.19", "80", "40", "3D2"};

QString describe(QWidget *widget, const QWidget &window)
{
    QString line = QStringLiteral("%1 %2%3").arg(widget->objectName()).arg(widget->isVisibleTo(&window)).arg(widget->isEnabled());
    if (auto *box = qobject_cast<QCheckBox *>(widget))
        line += QStringLiteral(" %1").arg(box->checkState());
    else if (auto *edit = qobject_cast<QLineEdit *>(widget))
        line += QLatin1Char(' ') + edit->text();
    else if (auto *button = qobject_cast<QAbstractButton *>(widget))
        line += QLatin1Char(' ') + button->text();
    return line;
}

QString describe(const CircleSet &circles)
{
    QString line = QStringLiteral("circles");
    for (int i : circles.stacking()) {
        const Circle &c = circles[i];
        if (c.visible)
            line += QStringLiteral(" %1:%2,%3,%4,%5").arg(i).arg(c.left, 0, 'f', 2).arg(c.top, 0, 'f', 2)
                        .arg(c.size, 0, 'f', 2).arg(c.fill.value());
    }
    return line;
}

QString visibleState(TraceModel &model)
{
    QWidget &window = model.window();
    QStringList lines;
    for (const QString &name : Controls)
        lines << describe(window.findChild<QWidget *>(name), window);
    for (const QString &name : Commands) {
        const QAction *action = window.findChild<QAction *>(name);
        lines << QStringLiteral("%1 %2%3%4 %5").arg(name).arg(action->isEnabled()).arg(action->isChecked())
                     .arg(action->isVisible()).arg(action->text());
    }
    for (const QString &name : Menus)
        lines << QStringLiteral("%1 %2").arg(name).arg(window.findChild<QMenu *>(name)->menuAction()->isEnabled());
    lines << QStringLiteral("clock %1").arg(model.clockRunning()) << describe(model.circles());
    return lines.join(QLatin1Char('\n'));
}

QString fingerprint(const QString &state)
{
    return QString::fromLatin1(QCryptographicHash::hash(state.toUtf8(), QCryptographicHash::Sha1).toHex().left(16));
}

// The pupil's next step, drawn from what the window offers now.
QString act(TraceModel &model, QRandomGenerator &draw)
{
    QWidget &window = model.window();
    switch (draw.bounded(5)) {
    case 0: {
        const QString name = Commands[draw.bounded(Commands.size())];
        QAction *action = window.findChild<QAction *>(name);
        const bool inEines = name.startsWith(QLatin1String("Eines"));
        if (!action->isEnabled() || (inEines && !window.findChild<QMenu *>("mnuEines")->menuAction()->isEnabled()))
            return QStringLiteral("skip ") + name;
        action->trigger();
        return name;
    }
    case 1: {
        QList<QLineEdit *> offered;
        for (const QString &name : DataBoxes)
            if (auto *edit = window.findChild<QLineEdit *>(name); edit->isVisibleTo(&window))
                offered << edit;
        if (offered.isEmpty())
            return QStringLiteral("skip typing");
        QLineEdit *edit = offered[draw.bounded(offered.size())];
        const QString text = Typed[draw.bounded(Typed.size())];
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClicks(edit, text);
        return edit->objectName() + QLatin1Char('=') + text;
    }
    case 2: {
        auto *button = window.findChild<QPushButton *>("cmdResultats");
        if (!button->isVisibleTo(&window))
            return QStringLiteral("skip cmdResultats");
        button->click();
        return QStringLiteral("cmdResultats");
    }
    case 3: {
        const int ticks = 1 + draw.bounded(80);
        for (int t = 0; t < ticks; ++t)
            model.tick();
        return QStringLiteral("ticks %1").arg(ticks);
    }
    default: {
        const CircleSet &circles = model.circles();
        const Circle &c = circles[draw.bounded(circles.count())];
        const QPointF centre((c.left + c.size / 2) / 15, (c.top + c.size / 2) / 15);
        auto *caja = window.findChild<QWidget *>("Caja");
        QMouseEvent press(QEvent::MouseButtonPress, centre, caja->mapToGlobal(centre), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(caja, &press);
        return QStringLiteral("press %1,%2").arg(centre.x(), 0, 'f', 1).arg(centre.y(), 0, 'f', 1);
    }
    }
}

QStringList replay(quint32 seed, int steps)
{
    TraceModel model(seed);
    QRandomGenerator draw(seed);
    QStringList trace{QStringLiteral("seed %1 start %2").arg(seed).arg(fingerprint(visibleState(model)))};
    for (int step = 0; step < steps; ++step) {
        const QString action = act(model, draw);
        trace << QStringLiteral("%1 %2").arg(action, fingerprint(visibleState(model)));
    }
    return trace;
}

constexpr quint32 Seeds[] = {1, 7, 2024, 31337};
constexpr int Steps = 250;

} // namespace

class TestTrace : public QObject {
    Q_OBJECT

private slots:
    void replaysRecording();
};

void TestTrace::replaysRecording()
{
    QStringList trace;
    for (quint32 seed : Seeds)
        trace << replay(seed, Steps);

    const QByteArray recordTo = qgetenv("TRACE_RECORD");
    if (!recordTo.isEmpty()) {
        QFile out(QString::fromLocal8Bit(recordTo));
        QVERIFY(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
        out.write(trace.join(QLatin1Char('\n')).toUtf8() + '\n');
        QSKIP("recording written");
    }
    QFile in(QStringLiteral(TRACE_FILE));
    QVERIFY(in.open(QIODevice::ReadOnly));
    const QStringList recorded = QString::fromUtf8(in.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QCOMPARE(trace.size(), recorded.size());
    for (int i = 0; i < trace.size(); ++i)
        QCOMPARE(trace[i], recorded[i]);
}

QTEST_MAIN(TestTrace)
#include "test_trace.moc"
