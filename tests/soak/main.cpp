// Long runs of the model's clock at every solid edge and screen scale, with
// the random test's checks after every tick and the resident memory at
// start and end. The solid is returned and dropped again every
// DropInterval ticks, so falls and releases recur throughout.
// Usage: soak [ticks per run, default 1000000]

#include "tests/random/ModelChecks.h"
#include "model/startup/ModelProgram.h"

#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <unistd.h>

namespace {

constexpr long DropInterval = 50000;

long residentKiB()
{
    long pages = 0;
    long resident = 0;
    std::ifstream("/proc/self/statm") >> pages >> resident;
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

// Returns false, after saying why, at the first broken rule.
bool soak(int edge, const ScreenScale &scale, long ticks)
{
    ModelProgram program(scale, SolidSize{static_cast<std::int16_t>(edge), static_cast<std::int16_t>(edge * edge * edge)},
                         Random(static_cast<std::uint64_t>(edge * 1000 + scale.EscalaPantalla * 100)));
    program.load();
    SimulationCommands &sim = program.simulation();
    for (long t = 0; t < ticks; ++t) {
        if (t % DropInterval == 0) {
            sim.tornarSolid();
            sim.dissoldreSolid();
        }
        sim.tick();
        const QString fault = particleFault(sim.model(), program.scene());
        if (!fault.isEmpty()) {
            std::printf("edge %d, scale %g, tick %ld: %s\n", edge, scale.EscalaPantalla, t, qPrintable(fault));
            return false;
        }
    }
    std::printf("edge %d, scale %-7g %ld ticks, %d particles released, resident %ld KiB\n", edge,
                scale.EscalaPantalla, ticks, sim.model().BolesDissoltes(), residentKiB());
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const long ticks = argc > 1 ? std::atol(argv[1]) : 1000000;
    std::printf("resident at start %ld KiB\n", residentKiB());
    bool kept = true;
    for (const ScreenScale scale : {ScreenScale{0.78125f, true}, ScreenScale{1, false}, ScreenScale{1.125f, true}})
        for (int edge = 3; edge <= 7 && kept; ++edge)
            kept = soak(edge, scale, ticks);
    std::printf("resident at end %ld KiB\n", residentKiB());
    return kept ? EXIT_SUCCESS : EXIT_FAILURE;
}
