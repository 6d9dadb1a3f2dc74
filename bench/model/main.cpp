// Times one clock tick with every particle of the largest solid released:
// the simulation step, then painting what it moved into an offscreen image,
// on screens of the given sizes (the layout's scale and the zoom they get).
// Usage: bench_model [ticks per batch] [WIDTHxHEIGHT...]

#include "common/core/ScreenScale.h"
#include "model/simulation/SimulationCommands.h"

#include <QGuiApplication>
#include <QStringList>
#include <QElapsedTimer>
#include <QPainter>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

constexpr int Batches = 9;

struct Timing {
    double simulation = 0;
    double painting = 0;
};

Timing timeBatch(SimulationCommands &sim, Surface &surface, QImage &frame, int ticks)
{
    QElapsedTimer clock;
    qint64 simulationNs = 0;
    qint64 paintingNs = 0;
    for (int t = 0; t < ticks; ++t) {
        clock.start();
        sim.tick();
        simulationNs += clock.nsecsElapsed();
        clock.start();
        // As the picture box does: only what the tick moved.
        const TwipBox moved = surface.circles().takePlacedArea();
        QPainter painter(&frame);
        painter.setClipRect(QRectF(twipsToPixelsF(moved.left), twipsToPixelsF(moved.top),
                                   twipsToPixelsF(moved.right - moved.left), twipsToPixelsF(moved.bottom - moved.top)));
        surface.paint(painter);
        painter.end();
        paintingNs += clock.nsecsElapsed();
    }
    return {simulationNs / 1e6 / ticks, paintingNs / 1e6 / ticks};
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void benchScreen(const QSize &screen, int ticks)
{
    const ScreenScale scale = screenScaleForWidth(screen.width() * TwipsPerPixel);
    setZoom(zoomForScreen(screen.width(), screen.width(), screen.height()));
    const Scene scene = sceneAtScale(scale.AjustarPantalla ? scale.EscalaPantalla : 1);
    Surface surface;
    Random random(1);
    SimulationCommands sim(scene, surface, random);
    sim.startScene({7, 343});
    sim.dissoldreSolid();
    while (sim.model().BolesDissoltes() < sim.model().NombreBoles())
        sim.tick();

    QImage frame(surface.image().size(), QImage::Format_RGB32);
    timeBatch(sim, surface, frame, ticks / 4 + 1);

    std::vector<double> simulation;
    std::vector<double> painting;
    std::vector<double> total;
    for (int b = 0; b < Batches; ++b) {
        const Timing t = timeBatch(sim, surface, frame, ticks);
        simulation.push_back(t.simulation);
        painting.push_back(t.painting);
        total.push_back(t.simulation + t.painting);
    }
    std::printf("%dx%d (scale %g, zoom %g, beaker picture %dx%d): %d particles released, %d batches of %d ticks, "
                "median per tick:\n",
                screen.width(), screen.height(), double(scale.EscalaPantalla), double(zoom()), frame.width(),
                frame.height(), sim.model().BolesDissoltes(), Batches, ticks);
    std::printf("  simulation %.4f ms\n  painting   %.4f ms\n  tick       %.4f ms (best batch %.4f ms)\n",
                median(simulation), median(painting), median(total), *std::min_element(total.begin(), total.end()));
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const int ticks = argc > 1 ? std::max(1, std::atoi(argv[1])) : 2000;
    // The reference screen first: the budget is set there.
    QStringList screens{QStringLiteral("1024x768"), QStringLiteral("1152x864"), QStringLiteral("3840x2160")};
    if (argc > 2)
        screens = QCoreApplication::arguments().mid(2);
    for (const QString &screen : screens) {
        const QStringList sides = screen.split(QLatin1Char('x'));
        if (sides.size() == 2)
            benchScreen(QSize(sides[0].toInt(), sides[1].toInt()), ticks);
    }
    return 0;
}
