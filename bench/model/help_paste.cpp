// CPU spent by the help window on eight pastes of 64 KiB on one line, and on
// the keys typed after them, as a pupil's window would spend it.
// Usage: bench_help_paste

#include "model/documents/frmAjuda.h"

#include <QApplication>
#include <QClipboard>
#include <QPlainTextEdit>
#include <QTest>
#include <cstdio>
#include <ctime>

namespace {

double cpuSeconds()
{
    return double(std::clock()) / CLOCKS_PER_SEC;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QGuiApplication::clipboard()->setText(QString(65536, QLatin1Char('7')));
    frmAjuda window(1.0f);
    window.show();
    auto *text = window.findChild<QPlainTextEdit *>(QStringLiteral("txtAjuda"));
    text->setFocus();
    QApplication::processEvents();
    const double start = cpuSeconds();
    for (int paste = 0; paste < 8; ++paste) {
        QTest::keyClick(text, Qt::Key_V, Qt::ControlModifier);
        QApplication::processEvents();
    }
    const double pasted = cpuSeconds();
    QTest::keyClick(text, Qt::Key_X);
    QApplication::processEvents();
    const double typed = cpuSeconds();
    QTest::keyClick(text, Qt::Key_Backspace);
    QApplication::processEvents();
    const double erased = cpuSeconds();
    std::printf("eight pastes: %.3f s CPU; then a key: %.3f s; a key that edits the long line: %.3f s; text %lld "
                "characters\n",
                pasted - start, typed - pasted, erased - typed, static_cast<long long>(text->toPlainText().size()));
    return 0;
}
