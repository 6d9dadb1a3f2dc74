#include "launcher/animation/Measurement.h"

#include "common/core/NumberForm.h"

namespace {

constexpr std::int16_t FirstCount = 50;
constexpr std::int16_t CountStep = 10;
constexpr std::int16_t LastCountToGrow = 390;
constexpr std::int16_t TicksPerTest = 10;

} // namespace

BoxConstants calibrationBoxConstants()
{
    BoxConstants c;
    c.DiametreBola = 256;
    c.AmpladaRecinte = c.AlturaRecinte = c.FonsRecinte = 6000;
    setBackOffset(c, 1500, 1500);
    c.lowerWalls = {0, 0, 0};
    c.shrinkWithDepth = false;
    c.colour = Rgb{192, 255, 255};
    return c;
}

Measurement::Measurement(ParticleBox &box, Clock clock)
    : TempsBudget(static_cast<float>(readNumber("0.07")))
    , m_box(box)
    , m_clock(std::move(clock))
{
}

void Measurement::start()
{
    NombreBoles = FirstCount;
    Crea_Boles_Optim();
    Comptador = 0;
}

void Measurement::restartTiming()
{
    TempsInici = m_clock();
    Comptador = 0;
}

void Measurement::Crea_Boles_Optim()
{
    m_box.create(NombreBoles);
    TempsInici = m_clock();
}

// A clock going backwards counts as within budget.
bool Measurement::withinBudget() const
{
    const auto elapsed = static_cast<float>(m_clock() - TempsInici);
    return TempsBudget * TicksPerTest >= elapsed;
}

Measurement::Step Measurement::tick()
{
    Step step = Step::Moved;
    if (Comptador == TicksPerTest) {
        if (!(withinBudget() && NombreBoles <= LastCountToGrow)) {
            NombreFinal = NombreBoles;
            return Step::Finished;
        }
        NombreBoles += CountStep;
        Crea_Boles_Optim();
        Comptador = 0;
        step = Step::Grew;
    }
    m_box.step();
    ++Comptador;
    return step;
}
