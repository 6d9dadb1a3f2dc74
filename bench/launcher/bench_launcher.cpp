// Times one launcher tick: contacts and motion of every particle, then the
// particle box painted into an offscreen image, as the window would; and a
// tick of the calibration's box. On screens of the given sizes, with the
// layout's scale and the zoom they get.
// Usage: bench_launcher [WIDTHxHEIGHT...]

#include "launcher/animation/ParticleBox.h"
#include "common/widgets/PictureBox.h"
#include "common/core/Random.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <QStringList>
#include <algorithm>
#include <cstdio>

namespace {

// Sprites for every size and colour are made during the warm-up, so the
// figures are those of a window that has been running for a while. The
// machine is shared: each figure is the best of several batches.
constexpr int WarmUpTicks = 2000;
constexpr int Batches = 20;
constexpr int TicksPerBatch = 100;

struct Timing {
    double stepMs = 1e9;
    double paintMs = 1e9;
};

class Tick {
public:
    Tick(const BoxConstants &constants, std::int16_t count)
        : m_random(42)
        , m_box(m_caja.surface().circles(), m_random)
    {
        m_caja.surface().setBackground({175, 255, 210});
        m_caja.resizeTwips(constants.AmpladaCaja(), constants.AlturaCaja());
        m_screen = QImage(m_caja.size(), QImage::Format_RGB32);
        m_box.setConstants(constants);
        m_box.create(count);
    }

    // Nanoseconds spent moving and painting over `ticks` ticks.
    std::pair<qint64, qint64> run(int ticks)
    {
        QElapsedTimer clock;
        qint64 step = 0;
        qint64 paint = 0;
        for (int tick = 0; tick < ticks; ++tick) {
            clock.start();
            m_box.step();
            step += clock.nsecsElapsed();
            clock.start();
            QPainter painter(&m_screen);
            m_caja.surface().paint(painter);
            painter.end();
            paint += clock.nsecsElapsed();
        }
        return {step, paint};
    }

private:
    Random m_random;
    PictureBox m_caja;
    ParticleBox m_box;
    QImage m_screen;
};

Timing timeTicks(const BoxConstants &constants, std::int16_t count)
{
    Tick tick(constants, count);
    tick.run(WarmUpTicks);
    Timing best;
    for (int batch = 0; batch < Batches; ++batch) {
        const auto [step, paint] = tick.run(TicksPerBatch);
        best.stepMs = std::min(best.stepMs, step / 1e6 / TicksPerBatch);
        best.paintMs = std::min(best.paintMs, paint / 1e6 / TicksPerBatch);
    }
    return best;
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // The reference screen first: the budget is set there.
    QStringList screens{QStringLiteral("1024x768"), QStringLiteral("1152x864"), QStringLiteral("1920x1080"),
                        QStringLiteral("3840x2160")};
    if (argc > 1)
        screens = QCoreApplication::arguments().mid(1);
    for (const QString &screen : screens) {
        const QStringList sides = screen.split(QLatin1Char('x'));
        if (sides.size() != 2)
            continue;
        const int width = sides[0].toInt();
        setZoom(zoomForScreen(width, width, sides[1].toInt()));
        std::printf("%s (zoom %g):\n", qPrintable(screen), double(zoom()));
        const std::pair<const char *, BoxConstants> boxes[] = {
            {"launcher", BoxConstants::background(screenScaleForWidth(width * TwipsPerPixel))},
            {"calibration", BoxConstants::calibration()}};
        for (const auto &[name, constants] : boxes)
            for (std::int16_t count : {std::int16_t(100), std::int16_t(400)}) {
                const Timing t = timeTicks(constants, count);
                std::printf("  %-11s %3d particles: %.4f ms per tick (motion and contacts %.4f ms, painting %.4f ms)\n",
                            name, count, t.stepMs + t.paintMs, t.stepMs, t.paintMs);
            }
    }
    return 0;
}
