#include "model/documents/frmAjuda.h"
#include "model/windows/SceneDescription.h"
#include "model/startup/ModelProgram.h"
#include "tests/support/FindControl.h"

#include "common/widgets/PictureBox.h"

#include <QAccessible>
#include <QPlainTextEdit>
#include <QtTest>

Q_DECLARE_METATYPE(SceneView)

namespace {

QStringList actionsOf(QObject *object)
{
    QAccessibleActionInterface *actions = accessible(object)->actionInterface();
    return actions ? actions->actionNames() : QStringList();
}

} // namespace

class TestModelAccessibility : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void textBoxesAreNamedByTheirCaptions_data();
    void textBoxesAreNamedByTheirCaptions();
    void indicatorsShowStatesButCannotBeToggled_data();
    void indicatorsShowStatesButCannotBeToggled();
    void picturesCarryTheirText_data();
    void picturesCarryTheirText();
    void helpTextIsNamedAndTabLeavesIt();
    void tabGoesThroughTheBeakerTheDataThenTheResults();
    void sceneNews_data();
    void sceneNews();
    void keyboardMarksLikeAClick();
    void focusLeavesWhatHides();
    void sceneSentence_data();
    void sceneSentence();
    void cajaDescriptionFollowsDropDissolutionAndFreeze();

private:
    std::unique_ptr<ModelProgram> m_program;
    QWidget *find(const char *name) { return m_program->window().findChild<QWidget *>(QLatin1String(name)); }
};

void TestModelAccessibility::initTestCase()
{
    m_program = std::make_unique<ModelProgram>(ScreenScale{}, SolidSize{});
    m_program->load();
}

void TestModelAccessibility::textBoxesAreNamedByTheirCaptions_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("name");
    const QList<QStringList> rows{
        {"txtGsolut", "Massa solut (grams):"},        {"txtGdt", "Massa dissolvent (grams):"},
        {"txtVdso", "Volum dissolució (cm3):"},        {"txtDens", "Densitat dissolució (g/cm3):"},
        {"txtMsolut", "Massa molecular solut:"},       {"txtMdt", "Massa molecular dissolvent:"},
        {"txtTpc", "Tant per cent:"},                  {"txtGpl", "Grams per litre:"},
        {"txtMolar", "Molaritat:"},                    {"txtMolal", "molalitat:"},
        {"txtFrM", "Fracció molar:"},
    };
    for (const QStringList &row : rows)
        QTest::newRow(qPrintable(row[0])) << row[0] << row[1];
}

void TestModelAccessibility::textBoxesAreNamedByTheirCaptions()
{
    QFETCH(QString, box);
    QFETCH(QString, name);
    auto *text = m_program->window().findChild<QLineEdit *>(box);
    QVERIFY(text);
    QAccessibleInterface *iface = accessible(text);
    QCOMPARE(iface->role(), QAccessible::EditableText);
    QCOMPARE(iface->text(QAccessible::Name), name);
    text->setText(QStringLiteral("12.5"));
    QCOMPARE(iface->text(QAccessible::Value), QStringLiteral("12.5"));
    text->clear();
}

void TestModelAccessibility::indicatorsShowStatesButCannotBeToggled_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<Qt::CheckState>("state");
    QTest::newRow("datum not offered") << "chkGsolut" << Qt::Unchecked;
    QTest::newRow("datum given") << "chkMdt" << Qt::Checked;
    QTest::newRow("datum missing") << "chkVdso" << Qt::PartiallyChecked;
    QTest::newRow("result shown") << "chkFrM" << Qt::Checked;
}

void TestModelAccessibility::indicatorsShowStatesButCannotBeToggled()
{
    QFETCH(QString, box);
    QFETCH(Qt::CheckState, state);
    auto *check = m_program->window().findChild<QCheckBox *>(box);
    QVERIFY(check);
    check->setCheckState(state);
    QAccessibleInterface *iface = accessible(check);
    QCOMPARE(iface->role(), QAccessible::CheckBox);
    QCOMPARE(iface->text(QAccessible::Name), check->text());
    QCOMPARE(bool(iface->state().checked), state == Qt::Checked);
    QCOMPARE(bool(iface->state().checkStateMixed), state == Qt::PartiallyChecked);
    QVERIFY(actionsOf(check).isEmpty());
    check->setCheckState(Qt::Unchecked);
}

void TestModelAccessibility::picturesCarryTheirText_data()
{
    QTest::addColumn<QString>("picture");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("said");
    QTest::newRow("formula sheet")
        << "picConcentracio" << "Fórmules de la concentració"
        << QStringList{"Algunes formes d'expressar la concentració de les dissolucions",
                       "Tant per cent en massa és igual a massa solut entre massa total",
                       "Grams per litre és igual a grams solut entre litres de dissolució",
                       "Molaritat és igual a mols solut entre litres de dissolució",
                       "Molalitat és igual a mols solut entre kilograms de dissolvent",
                       "Fracció molar és igual a mols solut entre mols totals"};
    QTest::newRow("beaker") << "Caja" << "Vas de precipitats amb la dissolució"
                            << QStringList{"Un sòlid de 64 partícules"};
}

void TestModelAccessibility::picturesCarryTheirText()
{
    QFETCH(QString, picture);
    QFETCH(QString, name);
    QFETCH(QStringList, said);
    QAccessibleInterface *iface = accessible(find(qPrintable(picture)));
    QCOMPARE(iface->role(), QAccessible::Graphic);
    QCOMPARE(iface->text(QAccessible::Name), name);
    for (const QString &phrase : said)
        QVERIFY2(iface->text(QAccessible::Description).contains(phrase), qPrintable(phrase));
}

void TestModelAccessibility::helpTextIsNamedAndTabLeavesIt()
{
    auto *help = new frmAjuda(1.0f);
    auto *text = help->findChild<QPlainTextEdit *>(QStringLiteral("txtAjuda"));
    QVERIFY(text);
    QCOMPARE(accessible(text)->text(QAccessible::Name), QStringLiteral("Ajuda"));
    help->show();
    QVERIFY(QTest::qWaitForWindowActive(help));
    const QString before = text->toPlainText();
    QTest::keyClick(text, Qt::Key_Tab);
    QCOMPARE(text->toPlainText(), before);
    QVERIFY(!text->hasFocus());
    QTest::keyClick(help, Qt::Key_Tab);
    QVERIFY(text->hasFocus());
    QPointer<frmAjuda> open(help);
    QTest::keyClick(text, Qt::Key_Escape);
    QTRY_VERIFY(open.isNull());
}

void TestModelAccessibility::tabGoesThroughTheBeakerTheDataThenTheResults()
{
    const QStringList expected{"Caja", "txtGsolut", "txtGdt",  "txtVdso",  "txtDens",  "txtMsolut", "txtMdt",
                               "cmdResultats", "txtTpc", "txtGpl", "txtMolar", "txtMolal", "txtFrM"};
    QStringList order;
    QWidget *next = &m_program->window();
    for (int step = 0; step < 200 && order.size() < expected.size(); ++step, next = next->nextInFocusChain())
        if (expected.contains(next->objectName()) && !order.contains(next->objectName()))
            order << next->objectName();
    QCOMPARE(order, expected);
}

void TestModelAccessibility::sceneSentence_data()
{
    QTest::addColumn<int>("dissolved");
    QTest::addColumn<bool>("falling");
    QTest::addColumn<bool>("dissolving");
    QTest::addColumn<bool>("frozen");
    QTest::addColumn<bool>("marking");
    QTest::addColumn<QString>("expected");
    QTest::newRow("at rest") << 0 << false << false << false << false
                             << "Un sòlid de 125 partícules és en repòs damunt del vas. Cap partícula dissolta. "
                                "Imatge en moviment. Marcatge de partícules desactivat.";
    QTest::newRow("falling, frozen") << 0 << true << false << true << false
                                     << "Un sòlid de 125 partícules cau dins del vas. Cap partícula dissolta. "
                                        "Imatge congelada. Marcatge de partícules desactivat.";
    QTest::newRow("first particle out") << 1 << false << true << false << true
                                        << "Un sòlid de 125 partícules s'està dissolent. 1 partícula dissolta. "
                                           "Imatge en moviment. Marcatge de partícules activat.";
    QTest::newRow("last particle out, flag still up")
        << 125 << false << true << false << false
        << "Un sòlid de 125 partícules s'ha dissolt. 125 partícules dissoltes. "
           "Imatge en moviment. Marcatge de partícules desactivat.";
}

void TestModelAccessibility::sceneSentence()
{
    QFETCH(int, dissolved);
    QFETCH(bool, falling);
    QFETCH(bool, dissolving);
    QFETCH(bool, frozen);
    QFETCH(bool, marking);
    QFETCH(QString, expected);
    QCOMPARE(describeScene({125, dissolved, falling, dissolving, frozen, marking}), expected);
}

void TestModelAccessibility::cajaDescriptionFollowsDropDissolutionAndFreeze()
{
    ModelProgram program({}, {});
    program.load();
    Concentracio &w = program.window();
    QWidget *caja = w.findChild<QWidget *>(QStringLiteral("Caja"));
    const auto description = [&] { return accessible(caja)->text(QAccessible::Description); };
    const auto tick = [&](int times) {
        for (int i = 0; i < times; ++i)
            program.tick();
    };
    QVERIFY(description().contains(QStringLiteral("en repòs damunt del vas")));

    w.findChild<QAction *>(QStringLiteral("AccionsSolid"))->trigger();
    tick(1);
    QVERIFY2(description().contains(QStringLiteral("cau dins del vas")), qPrintable(description()));

    // Told in steps of twenty, so the reader is not flooded.
    int ticks = 0;
    while (program.simulation().model().BolesDissoltes() < 39 && ticks++ < 1000)
        tick(1);
    QVERIFY2(description().contains(QStringLiteral("s'està dissolent. 20 partícules dissoltes.")),
             qPrintable(description()));
    tick(1);
    QVERIFY2(description().contains(QStringLiteral("40 partícules dissoltes.")), qPrintable(description()));

    w.findChild<QAction *>(QStringLiteral("AccionsCongelar"))->trigger();
    w.findChild<QAction *>(QStringLiteral("AccionsMarcar"))->trigger();
    QVERIFY2(description().endsWith(QStringLiteral("Imatge congelada. Marcatge de partícules activat.")),
             qPrintable(description()));
}

void TestModelAccessibility::sceneNews_data()
{
    QTest::addColumn<SceneView>("before");
    QTest::addColumn<SceneView>("now");
    QTest::addColumn<QString>("news");
    const SceneView rest{125, 0, false, false, false, false};
    const SceneView falling{125, 0, true, false, false, false};
    const SceneView landed{125, 1, false, true, false, false};
    const SceneView half{125, 60, false, true, false, false};
    const SceneView all{125, 125, false, true, false, false};
    QTest::newRow("still at rest") << rest << rest << "";
    QTest::newRow("starts falling") << rest << falling << "";
    QTest::newRow("lands") << falling << landed << "El sòlid ha caigut dins del vas.";
    QTest::newRow("dissolving on") << landed << half << "";
    QTest::newRow("all dissolved") << half << all << "Totes les partícules s'han dissolt.";
    QTest::newRow("sent back") << half << rest << "El sòlid torna a ser a la posició inicial.";
    QTest::newRow("frozen, marking on") << half << SceneView{125, 60, false, true, true, true}
                                        << "Imatge congelada. Marcatge de partícules activat.";
    QTest::newRow("moving, marking off") << SceneView{125, 60, false, true, true, true} << half
                                         << "Imatge en moviment. Marcatge de partícules desactivat.";
}

void TestModelAccessibility::sceneNews()
{
    QFETCH(SceneView, before);
    QFETCH(SceneView, now);
    QFETCH(QString, news);
    QCOMPARE(::sceneNews(before, now), news);
}

// Arrows walk the particles, Space marks the one under the marker.
void TestModelAccessibility::keyboardMarksLikeAClick()
{
    ModelProgram program({}, {});
    program.load();
    Concentracio &w = program.window();
    auto *caja = w.findChild<PictureBox *>(QStringLiteral("Caja"));
    QSignalSpy pressed(caja, &PictureBox::pressed);
    QSignalSpy moved(caja, &PictureBox::markerMoved);
    QTest::keyClick(caja, Qt::Key_Right);
    QCOMPARE(moved.count(), 0);
    w.findChild<QAction *>(QStringLiteral("AccionsMarcar"))->trigger();
    QTest::keyClick(caja, Qt::Key_Left);
    QTest::keyClick(caja, Qt::Key_Right);
    QCOMPARE(moved.count(), 2);
    QCOMPARE(moved.last().first().toInt(), 1);
    QTest::keyClick(caja, Qt::Key_Space);
    QCOMPARE(pressed.count(), 1);
    const Circle &first = caja->surface().circles()[1];
    QCOMPARE(pressed.first().first().toFloat(), first.left + first.size / 2);
    QCOMPARE(pressed.first().last().toFloat(), first.top + first.size / 2);
}

// "Esborrar" hides the results button that had the keyboard.
void TestModelAccessibility::focusLeavesWhatHides()
{
    ModelProgram program({}, {});
    program.load();
    Concentracio &w = program.window();
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    w.findChild<QAction *>(QStringLiteral("ConceTpc"))->trigger();
    QTest::keyClicks(w.findChild<QLineEdit *>(QStringLiteral("txtGsolut")), "10");
    QTest::keyClicks(w.findChild<QLineEdit *>(QStringLiteral("txtGdt")), "90");
    auto *button = w.findChild<QPushButton *>(QStringLiteral("cmdResultats"));
    button->setFocus();
    QVERIFY(button->hasFocus());
    w.findChild<QAction *>(QStringLiteral("AccionsEsborrar"))->trigger();
    QVERIFY(!button->isVisible());
    QVERIFY(QApplication::focusWidget() && QApplication::focusWidget()->isVisible());
}

QTEST_MAIN(TestModelAccessibility)
#include "tst_ModelAccessibility.moc"
