#pragma once

#include "model/windows/Concentracio.h"

class Calculadora;
class SimulationCommands;

// Where each menu command of the main window goes. Each returns false when
// the command is not that part's.
bool runOnCalculator(Concentracio::Comanda command, Calculadora &calculator);
bool runOnSimulation(Concentracio::Comanda command, SimulationCommands &simulation);

// The commands after which the pupil types what the chosen measures ask for.
bool choosesMeasures(Concentracio::Comanda command);
