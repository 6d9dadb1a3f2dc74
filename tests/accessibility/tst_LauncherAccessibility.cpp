#include "common/core/Random.h"
#include "launcher/menu/MenuWidgets.h"
#include "launcher/menu/Models.h"
#include "tests/support/FindControl.h"
#include "tests/support/LauncherSupport.h"

#include <QAccessible>
#include <QtTest>

class TestLauncherAccessibility : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void labelsAreButtonsToPress_data();
    void labelsAreButtonsToPress();
    void keysClickTheSubtitle_data();
    void keysClickTheSubtitle();
    void tabWalksTheLabelsWithTheirFrames();
    void picturesCarryTheirText_data();
    void picturesCarryTheirText();

private:
    PrivateRuntime m_runtime;
    Random m_random{1};
    std::unique_ptr<Models> m_window;
    int m_starts = 0;
    ActiveLabel *label(const QString &name) { return m_window->findChild<ActiveLabel *>(name); }
};

void TestLauncherAccessibility::init()
{
    m_window = std::make_unique<Models>(ScreenScale{1.0f, false}, m_random);
    m_starts = 0;
    m_window->setModelStarter([this](const QString &, QString &) { return ++m_starts > 0; });
    m_window->show();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
}

void TestLauncherAccessibility::cleanup()
{
    m_window.reset();
}

void TestLauncherAccessibility::labelsAreButtonsToPress_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("name");
    QTest::newRow("subtitle") << "lblSubtitol" << "Càlcul de concentracions";
    QTest::newRow("exit, without its trailing blank") << "lblFi" << "Fi";
}

void TestLauncherAccessibility::labelsAreButtonsToPress()
{
    QFETCH(QString, label);
    QFETCH(QString, name);
    ActiveLabel *l = this->label(label);
    QVERIFY(l);
    QSignalSpy clicks(l, &ActiveLabel::clicked);
    QAccessibleInterface *iface = accessible(l);
    QCOMPARE(iface->role(), QAccessible::Button);
    QCOMPARE(iface->text(QAccessible::Name), name);
    QVERIFY(!iface->text(QAccessible::Description).isEmpty());
    QAccessibleActionInterface *actions = iface->actionInterface();
    QVERIFY(actions && actions->actionNames().contains(QAccessibleActionInterface::pressAction()));
    // Leaving the suite would end the test's window; the click is enough.
    disconnect(l, &ActiveLabel::clicked, m_window.get(), nullptr);
    actions->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(clicks.count(), 1);
}

void TestLauncherAccessibility::keysClickTheSubtitle_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("starts");
    QTest::newRow("Return") << int(Qt::Key_Return) << 1;
    QTest::newRow("Enter") << int(Qt::Key_Enter) << 1;
    QTest::newRow("Space") << int(Qt::Key_Space) << 1;
    QTest::newRow("a letter") << int(Qt::Key_C) << 0;
}

void TestLauncherAccessibility::keysClickTheSubtitle()
{
    QFETCH(int, key);
    QFETCH(int, starts);
    ActiveLabel *subtitle = label(QStringLiteral("lblSubtitol"));
    subtitle->setFocus(Qt::TabFocusReason);
    QTest::keyClick(subtitle, Qt::Key(key));
    QCOMPARE(m_starts, starts);
}

void TestLauncherAccessibility::tabWalksTheLabelsWithTheirFrames()
{
    ActiveLabel *subtitle = label(QStringLiteral("lblSubtitol"));
    ActiveLabel *exit = label(QStringLiteral("lblFi"));
    // Until Tab is pressed the labels look as designed.
    QVERIFY(!subtitle->isFramed() && !exit->isFramed());
    QTest::keyClick(m_window.get(), Qt::Key_Tab);
    QVERIFY(subtitle->hasFocus());
    QVERIFY(subtitle->isFramed() && !exit->isFramed());
    QTest::keyClick(subtitle, Qt::Key_Tab);
    QVERIFY(exit->hasFocus());
    QVERIFY(!subtitle->isFramed() && exit->isFramed());
}

void TestLauncherAccessibility::picturesCarryTheirText_data()
{
    QTest::addColumn<QString>("picture");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("said");
    QTest::newRow("particle box") << "Caja" << "Partícules en moviment" << QStringList{"partícules que es mouen"};
    QTest::newRow("about panel") << "picSobre" << "Sobre aquest treball"
                                 << QStringList{"models de la matèria", "A qui s'adreça", "GPL-3.0-or-later"};
    QTest::newRow("recommendations panel")
        << "picRecom" << "Recomanacions d'ús"
        << QStringList{"Pantalla.", "Velocitat de l'ordinador.", "amb un altre nom", "la guia didàctica."};
}

void TestLauncherAccessibility::picturesCarryTheirText()
{
    QFETCH(QString, picture);
    QFETCH(QString, name);
    QFETCH(QStringList, said);
    QAccessibleInterface *iface = accessible(m_window->findChild<QWidget *>(picture));
    QCOMPARE(iface->text(QAccessible::Name), name);
    for (const QString &phrase : said)
        QVERIFY2(iface->text(QAccessible::Description).contains(phrase), qPrintable(phrase));
}

QTEST_MAIN(TestLauncherAccessibility)
#include "tst_LauncherAccessibility.moc"
