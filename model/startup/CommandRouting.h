#pragma once

#include "model/calculator/Comanda.h"

class Calculadora;
class SimulationCommands;

// Where each menu command goes. Each returns false when the command is not
// that part's.
bool runOnCalculator(Comanda command, Calculadora &calculator);
bool runOnSimulation(Comanda command, SimulationCommands &simulation);

// The commands after which the pupil types what the chosen measures ask for.
bool choosesMeasures(Comanda command);
