#include "model/windows/Concentracio.h"
#include "tests/support/FindControl.h"
#include "model/documents/DocumentCommands.h"
#include "common/widgets/TwipGeometry.h"
#include "model/documents/frmAjuda.h"
#include "common/core/PrivateFolder.h"

#include <QApplication>
#include <QClipboard>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QUrl>
#include <QtTest>

#include <memory>
#include <optional>

namespace {

const QString Failure = QStringLiteral("El procés requerit ha fallat");
const QString Title = QStringLiteral("Concentració de les dissolucions");
const QString UserClipboard = QStringLiteral("apunts de l'alumne");

// The document commands wired to the window as the program wires them.
DocumentCommands *wiredCommands(Concentracio &window, float escala = 1.0f)
{
    auto *commands = new DocumentCommands(window, escala);
    QObject::connect(&window, &Concentracio::commandChosen, commands, &DocumentCommands::command);
    return commands;
}

// The document commands with a shell script standing in for the report helper.
DocumentCommands *reportScript(Concentracio &window, const QString &script, const QString &shell = "/bin/sh",
                               int secondsAllowed = 0)
{
    auto *commands = wiredCommands(window);
    commands->setReportHelper({shell, {"-c", script, "sh"}, secondsAllowed});
    return commands;
}

// Closes every message box as it appears and keeps its text.
class MessageWatcher : public QObject {
public:
    MessageWatcher()
    {
        connect(&timer, &QTimer::timeout, this, [this] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                texts << box->text();
                box->accept();
            }
        });
        timer.start(10);
    }
    QStringList texts;

private:
    QTimer timer;
};

// The process whose id the file holds, a zombie not counted.
bool isRunning(const QString &pidFile)
{
    QFile pid(pidFile);
    if (!pid.open(QIODevice::ReadOnly))
        return false;
    QFile stat("/proc/" + pid.readAll().trimmed() + "/stat");
    return stat.open(QIODevice::ReadOnly) && !stat.readAll().contains(") Z ");
}

void touch(const QString &path)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
}

QAction *action(Concentracio &window, const QString &name)
{
    auto *found = window.findChild<QAction *>(name);
    if (!found)
        qFatal("no action %s", qPrintable(name));
    return found;
}

} // namespace

class TestDocuments : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void directoriActual_data();
    void directoriActual();
    void shellCommands_data();
    void shellCommands();
    void reportCommands_data();
    void reportCommands();
    void reportChosenAgainWhileOpening();
    void reportThatNeverEndsFails_data();
    void reportThatNeverEndsFails();

    void helpText_data();
    void helpText();
    void helpTextExact();
    void helpGeometry_data();
    void helpGeometry();
    void helpWindowIsReused();
    void pasteIntoHelp_data();
    void pasteIntoHelp();

private:
    QString models() const { return Directori_Actual() + QStringLiteral("Arxius_models/"); }

    QString startDirectory;
    std::unique_ptr<QTemporaryDir> folder;
};

void TestDocuments::init()
{
    startDirectory = QDir::currentPath();
    folder = std::make_unique<QTemporaryDir>();
    QVERIFY(folder->isValid());
    QVERIFY(QDir(folder->path()).mkdir(QStringLiteral("Arxius_models")));
    QVERIFY(QDir::setCurrent(folder->path()));
    QGuiApplication::clipboard()->setText(UserClipboard);
}

void TestDocuments::cleanup()
{
    QDir::setCurrent(startDirectory);
    folder.reset();
}

void TestDocuments::directoriActual_data()
{
    QTest::addColumn<QString>("directory");
    QTest::addColumn<QString>("expected");
    QTest::newRow("root") << "/" << "/";
    QTest::newRow("folder") << "/usr/share" << "/usr/share/";
}

void TestDocuments::directoriActual()
{
    QFETCH(QString, directory);
    QFETCH(QString, expected);
    QVERIFY(QDir::setCurrent(directory));
    QCOMPARE(Directori_Actual(), expected);
    QCOMPARE(Directori_Actual() + "Arxius_models", expected + "Arxius_models");
}

enum class Desktop { Accepts, NoHandlers };
Q_DECLARE_METATYPE(Desktop)

// With no handlers anywhere, the real opener finds no program for the file.
class DesktopWithoutHandlers {
public:
    DesktopWithoutHandlers()
    {
        for (const char *name : {"XDG_DATA_HOME", "XDG_DATA_DIRS", "XDG_CONFIG_HOME", "XDG_CONFIG_DIRS"})
            set(name, m_empty.path().toLocal8Bit());
        for (const char *name : {"XDG_CURRENT_DESKTOP", "DESKTOP_SESSION", "KDE_FULL_SESSION", "GNOME_DESKTOP_SESSION_ID"})
            set(name, QByteArray());
        set("BROWSER", "false");
    }
    ~DesktopWithoutHandlers()
    {
        for (auto it = m_saved.cbegin(); it != m_saved.cend(); ++it)
            it.value().isNull() ? qunsetenv(it.key()) : qputenv(it.key(), it.value());
    }

private:
    void set(const char *name, const QByteArray &value)
    {
        m_saved.insert(name, qEnvironmentVariableIsSet(name) ? qgetenv(name) : QByteArray());
        value.isEmpty() ? qunsetenv(name) : qputenv(name, value);
    }

    QTemporaryDir m_empty;
    QMap<const char *, QByteArray> m_saved;
};

void TestDocuments::shellCommands_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("present");
    QTest::addColumn<Desktop>("desktop");

    const QList<QPair<QString, QString>> commands = {
        {"ArxiuText", "Dades.txt"},        {"FinPre", "T_Concentra.pps"},  {"FinTeo", "T_Concentra.pdf"},
        {"FinProp", "P_Concentra.pdf"}, {"FinGuia", "G_Concentra.pdf"},
    };
    for (const auto &[item, file] : commands) {
        QTest::addRow("%s opened", qPrintable(item)) << item << file << true << Desktop::Accepts;
        QTest::addRow("%s missing", qPrintable(item)) << item << file << false << Desktop::Accepts;
        QTest::addRow("%s no program", qPrintable(item)) << item << file << true << Desktop::NoHandlers;
    }
}

void TestDocuments::shellCommands()
{
    QFETCH(QString, item);
    QFETCH(QString, file);
    QFETCH(bool, present);
    QFETCH(Desktop, desktop);
    if (present)
        touch(models() + file);

    Concentracio window;
    auto *commands = wiredCommands(window);
    const QString record = folder->path() + "/opened";
    std::optional<DesktopWithoutHandlers> bare;
    if (desktop == Desktop::NoHandlers)
        bare.emplace();
    else
        commands->setOpener({"/bin/sh", {"-c", QString("printf '%s' \"$1\" > '%1'").arg(record), "sh"}});
    QSignalSpy finished(commands, &DocumentCommands::openerFinished);
    MessageWatcher messages;

    action(window, item)->trigger();
    if (present)
        QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, 30000);

    const bool succeeds = present && desktop == Desktop::Accepts;
    QCOMPARE(messages.texts, succeeds ? QStringList() : QStringList{Failure});
    QFile opened(record);
    QCOMPARE(opened.exists(), succeeds);
    if (succeeds) {
        QVERIFY(opened.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromLocal8Bit(opened.readAll()), folder->path() + "/Arxius_models/" + file);
    }
    QCOMPARE(QGuiApplication::clipboard()->text(), UserClipboard);
}

void TestDocuments::reportCommands_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("document");
    QTest::addColumn<bool>("present");
    QTest::addColumn<QString>("program");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QStringList>("titleArguments");
    QTest::addColumn<bool>("succeeds");
    QTest::addColumn<QString>("clipboard");

    const QString exem = "InformExemConcentra.doc";
    const QString fitxa = "InformFitxa.doc";
    const QStringList none;
    const QStringList title{"--title", Title};
    const QString sh = "/bin/sh";
    const QString noPython = "/nonexistent/python3";

    QTest::newRow("example opened") << "ArxiuInformExem" << exem << true << sh << 0 << none << true << UserClipboard;
    QTest::newRow("form opened") << "ArxiuInformFitxa" << fitxa << true << sh << 0 << title << true << Title;
    QTest::newRow("example without Writer") << "ArxiuInformExem" << exem << true << sh << 1 << none << false
                                            << UserClipboard;
    QTest::newRow("form without Writer") << "ArxiuInformFitxa" << fitxa << true << sh << 1 << title << false << Title;
    QTest::newRow("form, helper crashes") << "ArxiuInformFitxa" << fitxa << true << sh << -1 << title << false
                                          << Title;
    QTest::newRow("example without python") << "ArxiuInformExem" << exem << true << noPython << 0 << none << false
                                            << UserClipboard;
    QTest::newRow("form without python") << "ArxiuInformFitxa" << fitxa << true << noPython << 0 << title << false
                                         << Title;
    QTest::newRow("example missing") << "ArxiuInformExem" << exem << false << sh << 0 << none << false
                                     << UserClipboard;
    QTest::newRow("form missing") << "ArxiuInformFitxa" << fitxa << false << sh << 0 << title << false << Title;
}

void TestDocuments::reportCommands()
{
    QFETCH(QString, item);
    QFETCH(QString, document);
    QFETCH(bool, present);
    QFETCH(QString, program);
    QFETCH(int, exitCode);
    QFETCH(QStringList, titleArguments);
    QFETCH(bool, succeeds);
    QFETCH(QString, clipboard);
    const QString path = models() + document;
    if (present)
        touch(path);

    // A stand-in helper: records its arguments, then exits or crashes.
    const QString record = folder->path() + "/arguments";
    const QString ending = exitCode < 0 ? "kill -SEGV $$" : QString("exit %1").arg(exitCode);
    const QString script = QString("printf '%s\\n' \"$@\" > '%1'; %2").arg(record, ending);

    Concentracio window;
    auto *commands = reportScript(window, script, program);
    QSignalSpy finished(commands, &DocumentCommands::reportFinished);
    MessageWatcher messages;

    action(window, item)->trigger();
    const bool helperStarted = present && program == "/bin/sh";
    if (helperStarted) {
        QVERIFY(QApplication::overrideCursor());
        QCOMPARE(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    }
    if (present)
        QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, 30000);

    QCOMPARE(QApplication::overrideCursor(), nullptr);
    QCOMPARE(messages.texts, succeeds ? QStringList() : QStringList{Failure});
    if (present)
        QCOMPARE(finished.first().first().toBool(), succeeds);
    QCOMPARE(QGuiApplication::clipboard()->text(), clipboard);

    QFile arguments(record);
    QCOMPARE(arguments.exists(), helperStarted);
    if (helperStarted) {
        QVERIFY(arguments.open(QIODevice::ReadOnly));
        const QString written = QString::fromUtf8(arguments.readAll());
        const QStringList expected = QStringList{"--private", privateFolder()} + titleArguments + QStringList{path};
        QCOMPARE(written, expected.join('\n') + '\n');
    }
}

// Writer still opening the form: a second choice neither opens a second copy
// nor inserts a second title; once open, the helper is asked again (and
// brings the document forward).
void TestDocuments::reportChosenAgainWhileOpening()
{
    touch(models() + "InformFitxa.doc");
    const QString record = folder->path() + "/runs";
    const QString script = QString("echo run >> '%1'; sleep 0.3").arg(record);
    Concentracio window;
    auto *commands = reportScript(window, script);
    QSignalSpy finished(commands, &DocumentCommands::reportFinished);
    QAction *fitxa = action(window, "ArxiuInformFitxa");

    fitxa->trigger();
    fitxa->trigger();
    QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, 30000);
    QCOMPARE(QApplication::overrideCursor(), nullptr);
    fitxa->trigger();
    QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 2, 30000);
    QFile runs(record);
    QVERIFY(runs.open(QIODevice::ReadOnly));
    QCOMPARE(runs.readAll(), QByteArray("run\nrun\n"));
}

void TestDocuments::reportThatNeverEndsFails_data()
{
    QTest::addColumn<int>("secondsAllowed");
    QTest::newRow("a limit of its own") << 1;
    QTest::newRow("the model's limit") << DocumentCommands::defaultReportHelper().secondsAllowed;
}

// Writer not answering: the helper is stopped with all it started, the
// pupil told, and the command answers again once Writer does.
void TestDocuments::reportThatNeverEndsFails()
{
    QFETCH(int, secondsAllowed);
    touch(models() + "InformExemConcentra.doc");
    const QString answers = folder->path() + "/answers";
    const QString started = folder->path() + "/started";
    const QString script = QString("[ -e '%1' ] && exit; sleep 600 & echo $! > '%2'; wait").arg(answers, started);
    Concentracio window;
    auto *commands = reportScript(window, script, "/bin/sh", secondsAllowed);
    QSignalSpy finished(commands, &DocumentCommands::reportFinished);
    MessageWatcher messages;

    action(window, "ArxiuInformExem")->trigger();
    QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, 30000 + 2 * secondsAllowed * 1000);
    QCOMPARE(finished.takeFirst().first().toBool(), false);
    QCOMPARE(messages.texts, QStringList{Failure});
    QCOMPARE(QApplication::overrideCursor(), nullptr);
    QTRY_VERIFY_WITH_TIMEOUT(!isRunning(started), 10000);
    touch(answers);
    action(window, "ArxiuInformExem")->trigger();
    QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, 30000);
    QCOMPARE(finished.first().first().toBool(), true);
}

void TestDocuments::helpText_data()
{
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("text");
    QTest::newRow("leading empty line") << 0 << "";
    QTest::newRow("first heading") << 1 << "Arxiu (Alt -A):";
    QTest::newRow("trailing blank") << 3 << "-- Document de text: ";
    QTest::newRow("no trailing blank") << 5 << "    fer anotacions.";
    QTest::newRow("accents") << 8 << "    Conté un exemple de com es poden ";
    QTest::newRow("quotes") << 10 << "    les experiències de les \"Propostes de";
    QTest::newRow("two trailing blanks") << 34 << "    botó esquerra del ratolí. Permet seguir el  ";
    QTest::newRow("cedilla") << 42 << "    i el passa a la situació del començament.";
    QTest::newRow("odd heading") << 62 << "Concentració en : (Alt-O):";
    QTest::newRow("diaeresis") << 77 << "    introduïdes.";
    QTest::newRow("last line") << 99 << "    model o com utilitzar-lo.";
    QTest::newRow("after the final break") << 100 << "";
}

void TestDocuments::helpText()
{
    QFETCH(int, line);
    QFETCH(QString, text);
    frmAjuda window(1.0f);
    const QStringList lines = control<QPlainTextEdit>(window, "txtAjuda")->toPlainText().split('\n');
    QCOMPARE(lines.size(), 101);
    QCOMPARE(lines.at(line), text);
}

void TestDocuments::helpTextExact()
{
    frmAjuda window(1.0f);
    const QByteArray text = control<QPlainTextEdit>(window, "txtAjuda")->toPlainText().toUtf8();
    QCOMPARE(text.size(), 2662);
    QCOMPARE(QCryptographicHash::hash(text, QCryptographicHash::Sha256).toHex(),
             QByteArray("4b1100d862a916ca628f38b5e802e76ba5839a9e12d77ff71e8f2221b1443659"));
    QCOMPARE(frmAjuda::textAjuda().toUtf8(), text);
}

void TestDocuments::helpGeometry_data()
{
    QTest::addColumn<float>("scale");
    QTest::addColumn<QRectF>("windowTwips");
    QTest::addColumn<QSizeF>("textTwips");
    QTest::addColumn<float>("points");
    QTest::newRow("1024") << 1.0f << QRectF(10250, 460, 5100, 10580) << QSizeF(5000, 10030) << 10.0f;
    QTest::newRow("800") << 0.78125f << QRectF(8007.8, 359.4, 3984.4, 8265.6) << QSizeF(3906.25, 7835.94) << 7.8f;
    QTest::newRow("1152") << 1.125f << QRectF(11531.25, 517.5, 5737.5, 11902.5) << QSizeF(5625, 11283.75) << 11.25f;
}

void TestDocuments::helpGeometry()
{
    QFETCH(float, scale);
    QFETCH(QRectF, windowTwips);
    QFETCH(QSizeF, textTwips);
    QFETCH(float, points);
    frmAjuda window(scale);
    auto near = [](double actual, double expected) { return qAbs(actual - expected) <= 0.05; };

    const TwipRect outer = twipRect(&window);
    QVERIFY2(near(outer.left, windowTwips.left()), qPrintable(QString::number(outer.left)));
    QVERIFY2(near(outer.top, windowTwips.top()), qPrintable(QString::number(outer.top)));
    QVERIFY2(near(outer.width, windowTwips.width()), qPrintable(QString::number(outer.width)));
    QVERIFY2(near(outer.height, windowTwips.height()), qPrintable(QString::number(outer.height)));

    const TwipRect text = twipRect(control<QPlainTextEdit>(window, "txtAjuda"));
    QCOMPARE(text.left, 0.0f);
    QCOMPARE(text.top, 0.0f);
    QVERIFY2(near(text.width, textTwips.width()), qPrintable(QString::number(text.width)));
    QVERIFY2(near(text.height, textTwips.height()), qPrintable(QString::number(text.height)));
    QVERIFY2(near(fontPoints(control<QPlainTextEdit>(window, "txtAjuda")), points), qPrintable(QString::number(fontPoints(control<QPlainTextEdit>(window, "txtAjuda")))));

    QCOMPARE(window.pos(), QPoint(twipsToPixels(outer.left), twipsToPixels(outer.top)));
    QCOMPARE(window.size(), control<QPlainTextEdit>(window, "txtAjuda")->size());
    QCOMPARE(window.windowTitle(), QString("Ajuda"));
    QCOMPARE(control<QPlainTextEdit>(window, "txtAjuda")->font().family(), QString("Arial"));
    QCOMPARE(control<QPlainTextEdit>(window, "txtAjuda")->palette().color(QPalette::Base), QColor(250, 235, 255));
    QVERIFY(!control<QPlainTextEdit>(window, "txtAjuda")->isReadOnly());
}

void TestDocuments::helpWindowIsReused()
{
    Concentracio window;
    auto *commands = wiredCommands(window, 0.78125f);
    control<QAction>(window, "mnuAjuda")->trigger();
    frmAjuda *first = commands->ajuda();
    QVERIFY(first);
    QVERIFY(first->isVisible());
    QVERIFY(qAbs(twipRect(first).left - 8007.8) <= 0.05);

    QTest::keyClicks(control<QPlainTextEdit>(*first, "txtAjuda"), "notes de l'alumne");
    QVERIFY(control<QPlainTextEdit>(*first, "txtAjuda")->toPlainText() != frmAjuda::textAjuda());
    control<QAction>(window, "mnuAjuda")->trigger();
    QCOMPARE(commands->ajuda(), first);
    QCOMPARE(window.findChildren<frmAjuda *>().size(), 1);
    QVERIFY(control<QPlainTextEdit>(*first, "txtAjuda")->toPlainText().contains("notes de l'alumne"));

    QPointer<frmAjuda> closed = first;
    first->close();
    control<QAction>(window, "mnuAjuda")->trigger();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!closed);
    QCOMPARE(window.findChildren<frmAjuda *>().size(), 1);
    QVERIFY(commands->ajuda()->isVisible());
    QCOMPARE(control<QPlainTextEdit>(*commands->ajuda(), "txtAjuda")->toPlainText(), frmAjuda::textAjuda());
}

// Whatever another program left on the clipboard, pastes into the help
// text leave the model running with a bounded plain text in all; a key
// typed after them is answered at once.
void TestDocuments::pasteIntoHelp_data()
{
    const qsizetype room = 65536 - frmAjuda::textAjuda().size();
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("pastes");
    QTest::addColumn<QString>("added");
    QTest::newRow("nothing") << 0 << 1 << QStringLiteral("x");
    QTest::newRow("picture") << 1 << 1 << QStringLiteral("x");
    QTest::newRow("text") << 2 << 1 << QStringLiteral("58.44x");
    QTest::newRow("huge text") << 3 << 1 << QString(room, QLatin1Char('7'));
    QTest::newRow("eight times 64 KiB") << 4 << 8 << QString(room, QLatin1Char('7'));
}

void TestDocuments::pasteIntoHelp()
{
    QFETCH(int, kind);
    QFETCH(int, pastes);
    QFETCH(QString, added);
    QImage picture(8, 8, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    QClipboard *clipboard = QGuiApplication::clipboard();
    if (kind == 0)
        clipboard->setMimeData(new QMimeData);
    else if (kind == 1)
        clipboard->setImage(picture);
    else
        clipboard->setText(kind == 2 ? QStringLiteral("58.44") : QString(kind == 3 ? 1 << 22 : 65536, QLatin1Char('7')));
    frmAjuda window(1.0f);
    auto *text = control<QPlainTextEdit>(window, "txtAjuda");
    const QString before = text->toPlainText();
    text->moveCursor(QTextCursor::Start);
    for (int paste = 0; paste < pastes; ++paste)
        QTest::keyClick(text, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(text, Qt::Key_X);
    QCOMPARE(text->toPlainText(), added + before);
}

QTEST_MAIN(TestDocuments)
#include "test_documents.moc"
