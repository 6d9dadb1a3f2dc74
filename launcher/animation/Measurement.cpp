#include "launcher/animation/Measurement.h"

#include "common/core/NumberForm.h"

namespace {

constexpr std::int16_t FirstCount = 50;
constexpr std::int16_t CountStep = 10;
constexpr std::int16_t LastCountToGrow = 390;
constexpr std::int16_t TicksPerTest = 10;

} // namespace

Measurement::Measurement(ParticleBox &box, Clock clock)
    : m_box(box)
    , m_clock(std::move(clock))
    , m_TempsBudget(static_cast<float>(readNumber("0.07")))
{
    m_box.setConstants(BoxConstants::calibration());
}

void Measurement::start()
{
    m_NombreBoles = FirstCount;
    Crea_Boles_Optim();
    m_Comptador = 0;
}

void Measurement::restartTiming()
{
    m_TempsInici = m_clock();
    m_Comptador = 0;
}

int Measurement::marks() const
{
    return (m_NombreBoles - FirstCount) / CountStep + 1;
}

void Measurement::Crea_Boles_Optim()
{
    m_box.create(m_NombreBoles);
    m_TempsInici = m_clock();
}

// A clock going backwards counts as within budget.
bool Measurement::withinBudget() const
{
    const auto elapsed = static_cast<float>(m_clock() - m_TempsInici);
    return m_TempsBudget * TicksPerTest >= elapsed;
}

Measurement::Step Measurement::tick()
{
    Step step = Step::Moved;
    if (m_Comptador == TicksPerTest) {
        if (!(withinBudget() && m_NombreBoles <= LastCountToGrow)) {
            m_NombreFinal = m_NombreBoles;
            return Step::Finished;
        }
        m_NombreBoles += CountStep;
        Crea_Boles_Optim();
        m_Comptador = 0;
        step = Step::Grew;
    }
    m_box.step();
    ++m_Comptador;
    return step;
}
