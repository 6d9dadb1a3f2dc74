#include "model/startup/CommandRouting.h"

#include "model/simulation/SimulationCommands.h"

#include <utility>

bool choosesMeasures(Comanda command)
{
    return mesuraTriada(command) || command == Comanda::ConceTotes;
}

std::optional<SolidAction> runOnCalculator(Comanda command, Calculadora &calculator)
{
    switch (command) {
    case Comanda::AccionsEsborrar:
        return calculator.AccionsEsborrar_Click();
    case Comanda::ConceTotes:
    case Comanda::ConceCap:
        return calculator.selectAll(command == Comanda::ConceTotes);
    default:
        if (const std::optional<Mesura> mesura = mesuraTriada(command))
            return calculator.toggleMeasure(*mesura);
        return std::nullopt;
    }
}

bool runOnSimulation(Comanda command, SimulationCommands &simulation)
{
    using Command = void (SimulationCommands::*)();
    static const std::pair<Comanda, Command> commands[] = {
        {Comanda::AccionsCongelar, &SimulationCommands::congelarImatge},
        {Comanda::AccionsMarcar, &SimulationCommands::marcarParticules},
        {Comanda::AccionsSolid, &SimulationCommands::dissoldreSolid},
        {Comanda::AccionsInici, &SimulationCommands::tornarSolid},
        {Comanda::EinesPsolidA, &SimulationCommands::augmentarParticules},
        {Comanda::EinesPsolidD, &SimulationCommands::disminuirParticules},
        {Comanda::EinesDiamAfAu, &SimulationCommands::afinarMes},
        {Comanda::EinesDiamAfDi, &SimulationCommands::afinarMenys},
    };
    for (const auto &[chosen, run] : commands) {
        if (chosen == command) {
            (simulation.*run)();
            return true;
        }
    }
    return false;
}
