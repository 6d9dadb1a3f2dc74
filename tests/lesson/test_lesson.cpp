// Does the activities of the Propostes de treball in the real model window,
// as a pupil does: the steps are read from the document's source, so a
// changed document changes the walk. A menu path set in the style "Menu"
// ("Accions › Esborrar dades i resultats") is chosen item by item; a value
// set in the style "Teclat" followed by « a «caption»» is typed into the box
// of that caption. After every step, each number the guide's answers to that
// activity quote is compared with the result box of its measure, once the
// model holds the data it was quoted for and the box shows a value; by the
// activity's end every one of them must have been seen.

#include "model/startup/ModelProgram.h"
#include "tests/assets/DocumentQuotes.h"
#include "tests/support/FindControl.h"

#include <QRegularExpression>
#include <QXmlStreamReader>

namespace {

const QString Arrow = QStringLiteral("›");
const QStringList DataNames{"Gsolut", "Gdt", "Vdso", "Dens", "Msolut", "Mdt"};
// They open documents, which the walk leaves to the desktop: their items are
// only checked to be there.
const QStringList DocumentMenus{"Arxiu", "Finestra"};

struct Step {
    QStringList path; // a menu path to choose, or
    QString caption;  // the caption of the box to type into
    QString keys;
    qint64 line;
};

struct Run {
    QString style;
    QString text;
};

// The activity a heading opens, or 0.
int activityOf(const QString &heading)
{
    static const QRegularExpression number(QStringLiteral("^Activitat (\\d+)\\."));
    return number.match(heading).captured(1).toInt();
}

// The text of the paragraph the reader stands on, span by span.
QVector<Run> runsOf(QXmlStreamReader &xml)
{
    QVector<Run> runs;
    QStringList styles{QString()};
    while (styles.size() > 0 && !xml.atEnd()) {
        const auto token = xml.readNext();
        if (token == QXmlStreamReader::StartElement) {
            const bool span = xml.name() == QLatin1String("span");
            styles << (span ? xml.attributes().value(QLatin1String("text:style-name")).toString() : styles.last());
            if (xml.name() == QLatin1String("s"))
                runs.push_back({styles.last(), QStringLiteral(" ")});
        } else if (token == QXmlStreamReader::EndElement) {
            styles.removeLast();
        } else if (token == QXmlStreamReader::Characters) {
            runs.push_back({styles.last(), xml.text().toString()});
        }
    }
    return runs;
}

QVector<Step> stepsIn(const QVector<Run> &runs, qint64 line)
{
    static const QRegularExpression intoBox(QStringLiteral("^\\s*a\\s+«([^»]+)»"));
    QVector<Step> steps;
    for (int i = 0; i < runs.size(); ++i) {
        if (runs[i].style == QLatin1String("Menu")) {
            QStringList path{runs[i].text};
            while (i + 2 < runs.size() && runs[i + 1].style.isEmpty() && runs[i + 1].text.trimmed() == Arrow
                   && runs[i + 2].style == QLatin1String("Menu")) {
                path << runs[i + 2].text;
                i += 2;
            }
            if (path.size() > 1)
                steps.push_back({path, {}, {}, line});
        } else if (runs[i].style == QLatin1String("Teclat") && i + 1 < runs.size()) {
            const QRegularExpressionMatch box = intoBox.match(runs[i + 1].text);
            if (box.hasMatch())
                steps.push_back({{}, box.captured(1), runs[i].text, line});
        }
    }
    return steps;
}

// The steps of each activity of the proposals, by activity number.
QMap<int, QVector<Step>> lessonSteps(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QXmlStreamReader xml(&file);
    QMap<int, QVector<Step>> steps;
    int activity = 0;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const qint64 line = xml.lineNumber();
        if (xml.name() == QLatin1String("h")) {
            QString heading;
            for (const Run &run : runsOf(xml))
                heading += run.text;
            activity = activityOf(heading);
            if (activity)
                steps[activity];
        } else if (xml.name() == QLatin1String("p") && activity) {
            steps[activity] += stepsIn(runsOf(xml), line);
        }
    }
    return steps;
}

QString plain(QString caption)
{
    return caption.remove(QLatin1Char('&')).replace(QStringLiteral("’"), QStringLiteral("'")).trimmed();
}

QAction *itemCaptioned(const QList<QAction *> &actions, const QString &caption)
{
    for (QAction *action : actions)
        if (plain(action->text()).compare(plain(caption), Qt::CaseInsensitive) == 0)
            return action;
    return nullptr;
}

class Pupil {
public:
    explicit Pupil(QWidget &window) : m_window(window) {}

    // Empty when the step could be done, or what stopped it.
    QString take(const Step &step)
    {
        return step.path.isEmpty() ? type(step.caption, step.keys) : choose(step.path);
    }

    // Whether the model now holds exactly these data.
    bool holds(const QMap<QString, double> &data) const
    {
        for (const QString &name : DataNames) {
            const double shown = control<QLineEdit>(m_window, qPrintable("txt" + name))->text().trimmed().toDouble();
            const double quoted = data.value(name);
            if (qAbs(qMax(shown, 0.0) - quoted) > 1e-6 * quoted)
                return false;
        }
        return true;
    }

    // What the measure's result box shows, once "Veure resultats" is pressed;
    // empty while it shows nothing.
    QString result(const QString &measure)
    {
        auto *button = control<QAbstractButton>(m_window, "cmdResultats");
        if (!control<QWidget>(m_window, "frResultats")->isVisible() && button->isVisible() && button->isEnabled())
            QTest::mouseClick(button, Qt::LeftButton);
        auto *box = control<QLineEdit>(m_window, qPrintable("txt" + measure));
        return box->isVisible() ? box->text().trimmed() : QString();
    }

private:
    QString choose(const QStringList &path)
    {
        QAction *item = itemCaptioned(m_window.findChild<QMenuBar *>()->actions(), path.first());
        for (int i = 1; item && i < path.size(); ++i) {
            if (!item->isEnabled() || !item->isVisible() || !item->menu())
                return QStringLiteral("«%1» cannot be opened").arg(item->text());
            item = itemCaptioned(item->menu()->actions(), path[i]);
        }
        if (!item)
            return QStringLiteral("the menus have no such item");
        if (!item->isEnabled() || !item->isVisible())
            return QStringLiteral("«%1» is disabled").arg(path.last());
        if (!DocumentMenus.contains(plain(path.first())))
            item->trigger();
        return {};
    }

    QString type(const QString &caption, const QString &keys)
    {
        QCheckBox *check = nullptr;
        for (QCheckBox *box : m_window.findChildren<QCheckBox *>())
            if (box->text() == caption)
                check = box;
        if (!check)
            return QStringLiteral("no box is captioned «%1»").arg(caption);
        auto *edit = control<QLineEdit>(m_window, qPrintable("txt" + check->objectName().mid(3)));
        if (!edit->isVisible() || !edit->isEnabled() || !check->isEnabled())
            return QStringLiteral("the box «%1» is not offered").arg(caption);
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, keys);
        return {};
    }

    QWidget &m_window;
};

} // namespace

class TestLesson : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void walk_data();
    void walk();

private:
    QMap<int, QVector<Step>> m_steps;
    QMultiMap<int, Quote> m_answers;
};

void TestLesson::initTestCase()
{
    const QDir sources(documentSources());
    m_steps = lessonSteps(sources.filePath(QStringLiteral("P_Concentra.fodt")));
    QVERIFY(m_steps.size() >= 9);
    for (const Quote &quote : documentQuotes(sources.filePath(QStringLiteral("G_Concentra.fodt"))))
        if (activityOf(quote.section))
            m_answers.insert(activityOf(quote.section), quote);
    // The calculator's activities each have their model answers.
    for (int activity : {3, 4, 5, 6, 7, 8, 9})
        QVERIFY2(m_answers.contains(activity), qPrintable(QString::number(activity)));
}

// In the document's order, and each activity from a model just opened.
void TestLesson::walk_data()
{
    QTest::addColumn<QList<int>>("activities");
    QTest::newRow("in order") << m_steps.keys();
    for (int activity : m_steps.keys())
        QTest::addRow("activity %d alone", activity) << QList<int>{activity};
}

void TestLesson::walk()
{
    QFETCH(QList<int>, activities);
    ModelProgram program({}, {});
    program.load();
    QWidget &window = program.window();
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    Pupil pupil(window);
    for (int activity : activities) {
        QList<Quote> unseen = m_answers.values(activity);
        const auto look = [&] {
            for (auto quote = unseen.begin(); quote != unseen.end();) {
                if (!pupil.holds(quotedData(quote->data))) {
                    ++quote;
                    continue;
                }
                const QString shown = pupil.result(quote->measure);
                if (shown.isEmpty()) {
                    ++quote;
                    continue;
                }
                QVERIFY2(shown == quote->output, qPrintable(QStringLiteral("activity %1: the guide (line %2) quotes %3 %4, the model shows %5")
                                                                .arg(activity).arg(quote->line).arg(quote->measure, quote->output, shown)));
                quote = unseen.erase(quote);
            }
        };
        look();
        for (const Step &step : m_steps.value(activity)) {
            const QString stopped = pupil.take(step);
            QVERIFY2(stopped.isEmpty(), qPrintable(QStringLiteral("activity %1 (line %2): %3").arg(activity).arg(step.line).arg(stopped)));
            look();
            if (QTest::currentTestFailed())
                return;
        }
        for (const Quote &quote : unseen)
            QFAIL(qPrintable(QStringLiteral("activity %1: the model never showed the %2 %3 the guide quotes (line %4) for «%5»")
                                 .arg(activity).arg(quote.measure, quote.output).arg(quote.line).arg(quote.data)));
    }
}

QTEST_MAIN(TestLesson)
#include "test_lesson.moc"
