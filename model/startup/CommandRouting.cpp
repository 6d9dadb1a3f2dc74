#include "model/startup/CommandRouting.h"

#include "model/calculator/Calculadora.h"
#include "model/simulation/SimulationCommands.h"

#include <utility>

bool choosesMeasures(Comanda command)
{
    return mesuraTriada(command) || command == Comanda::ConceTotes;
}

bool runOnCalculator(Comanda command, Calculadora &calculator)
{
    switch (command) {
    case Comanda::AccionsEsborrar:
        calculator.AccionsEsborrar_Click();
        return true;
    case Comanda::ConceTotes:
    case Comanda::ConceCap:
        calculator.selectAll(command == Comanda::ConceTotes);
        return true;
    default:
        const std::optional<Mesura> mesura = mesuraTriada(command);
        if (mesura)
            calculator.toggleMeasure(*mesura);
        return mesura.has_value();
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
