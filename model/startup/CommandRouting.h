#pragma once

#include "model/calculator/Calculadora.h"
#include "model/calculator/Comanda.h"

class SimulationCommands;

// Where each menu command goes. The calculator's says what the solid must
// do, and nothing when the command is not the calculator's; the simulation's
// returns false when the command is not the simulation's.
std::optional<SolidAction> runOnCalculator(Comanda command, Calculadora &calculator);
bool runOnSimulation(Comanda command, SimulationCommands &simulation);

// The commands after which the pupil types what the chosen measures ask for.
bool choosesMeasures(Comanda command);
