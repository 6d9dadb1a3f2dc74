#include "model/calculator/Calculadora.h"

#include "common/core/NumberForm.h"

#include <algorithm>
#include <vector>

namespace {

constexpr std::array<Dada, 4> MassVolume{Dada::Gsolut, Dada::Gdt, Dada::Vdso, Dada::Dens};

// When the three given data fix the fourth, the fourth is taken away.
struct ThreeOfFour {
    std::array<Dada, 3> given;
    Dada taken;
};

constexpr ThreeOfFour ThreeOfFourRules[] = {
    {{Dada::Gsolut, Dada::Gdt, Dada::Vdso}, Dada::Dens},
    {{Dada::Gsolut, Dada::Vdso, Dada::Dens}, Dada::Gdt},
    {{Dada::Gsolut, Dada::Gdt, Dada::Dens}, Dada::Vdso},
    {{Dada::Gdt, Dada::Vdso, Dada::Dens}, Dada::Gsolut},
};

std::vector<Dada> molarMasses(Mesura mesura)
{
    switch (mesura) {
    case Mesura::Molar:
    case Mesura::Molal:
        return {Dada::Msolut};
    case Mesura::FrM:
        return {Dada::Msolut, Dada::Mdt};
    default:
        return {};
    }
}

float valueOf(const std::string &text)
{
    return singleOrZero(readNumber(text));
}

Indicador givenState(float value)
{
    return value > 0 ? Indicador::Donat : Indicador::Ofert;
}

} // namespace

void Calculadora::Calcula_Concentracions()
{
    Esborra_Resultats();
    for (Mesura mesura : TotesMesures) {
        if (!m_sel[mesura])
            continue;
        Limita_Dades();
        m_resultats[mesura] = evaluateMeasure(mesura, m_dades);
    }
    Mostra_Resultats();
}

void Calculadora::Limita_Dades()
{
    for (const ThreeOfFour &rule : ThreeOfFourRules) {
        const bool fixed = std::all_of(rule.given.begin(), rule.given.end(),
                                       [this](Dada dada) { return m_campsDada[dada].indicador == Indicador::Donat; });
        if (fixed) {
            m_campsDada[rule.taken].enabled = false;
            m_campsDada[rule.taken].shown = false;
        }
    }
}

void Calculadora::Esborra_Resultats()
{
    m_resultats = {};
}

void Calculadora::Mostra_Resultats()
{
    for (Mesura mesura : TotesMesures)
        publishResult(mesura);
    const auto &flags = m_sel.values;
    m_totesEnabled = std::count(flags.begin(), flags.end(), false) > 0;
    m_capEnabled = std::count(flags.begin(), flags.end(), true) > 0;
    const auto &values = m_resultats.values;
    if (std::any_of(values.begin(), values.end(), [](float r) { return r > 0; }))
        m_solidAction = SolidAction::Deixar;
    else if (std::all_of(values.begin(), values.end(), [](float r) { return r == 0; }))
        m_solidAction = SolidAction::Tornar;
}

void Calculadora::publishResult(Mesura mesura)
{
    CampResultat &camp = m_campsResultat[mesura];
    const float r = m_resultats[mesura];
    if (!(r > 0)) {
        camp.enabled = false;
        camp.shown = false;
        camp.checked = false;
        return;
    }
    m_resultButtonShown = true;
    camp.enabled = true;
    camp.checked = true;
    camp.shown = true;
    camp.text = shortestForm(Significa(r));
}

SolidAction Calculadora::dataTextChanged(Dada dada, const std::string &text)
{
    m_solidAction = SolidAction::Cap;
    m_campsDada[dada].text = text;
    readDatum(dada);
    return m_solidAction;
}

void Calculadora::readDatum(Dada dada)
{
    m_dades[dada] = valueOf(m_campsDada[dada].text);
    m_campsDada[dada].indicador = givenState(m_dades[dada]);
    Calcula_Concentracions();
}

// Like a text box, a different text raises the change handling at once,
// before the caller goes on.
void Calculadora::writeText(Dada dada, const std::string &text)
{
    if (m_campsDada[dada].text == text)
        return;
    m_campsDada[dada].text = text;
    readDatum(dada);
}

void Calculadora::Prepara_Dades()
{
    for (Dada dada : TotesDades)
        m_campsDada[dada] = {m_campsDada[dada].text, Indicador::Buit, false, false};
    for (Mesura mesura : TotesMesures) {
        if (!m_sel[mesura])
            continue;
        m_dadesShown = true;
        Habilita_Dades();
        for (Dada dada : molarMasses(mesura))
            offer(dada);
    }
}

void Calculadora::Habilita_Dades()
{
    for (Dada dada : MassVolume) {
        CampDada &camp = m_campsDada[dada];
        camp.enabled = true;
        camp.shown = true;
        camp.indicador = givenState(valueOf(camp.text));
    }
}

void Calculadora::offer(Dada dada)
{
    m_campsDada[dada].indicador = Indicador::Ofert;
    m_campsDada[dada].enabled = true;
    m_campsDada[dada].shown = true;
}

void Calculadora::Mostra_Dades()
{
    for (Dada dada : TotesDades) {
        if (!(m_dades[dada] > 0))
            continue;
        m_campsDada[dada].enabled = true;
        m_campsDada[dada].indicador = Indicador::Donat;
        m_campsDada[dada].shown = true;
        writeText(dada, shortForm(m_dades[dada]));
    }
}

void Calculadora::Amaga_Quadres()
{
    m_dadesShown = false;
    for (Dada dada : TotesDades)
        m_campsDada[dada] = {m_campsDada[dada].text, Indicador::Buit, false, false};
    for (Dada dada : TotesDades)
        writeText(dada, std::string());
    for (Mesura mesura : TotesMesures) {
        m_campsResultat[mesura].enabled = false;
        m_campsResultat[mesura].text.clear();
    }
}

void Calculadora::Esborra_Dades()
{
    m_dades = {};
}

SolidAction Calculadora::AccionsEsborrar_Click()
{
    m_solidAction = SolidAction::Cap;
    Amaga_Quadres();
    Esborra_Dades();
    Esborra_Resultats();
    m_totesEnabled = true;
    m_resultButtonShown = false;
    m_resultatsVisibles = true;
    cmdResultats_Click();
    chooseAll(false);
    return m_solidAction;
}

void Calculadora::cmdResultats_Click()
{
    m_resultatsVisibles = !m_resultatsVisibles;
}

SolidAction Calculadora::toggleMeasure(Mesura mesura)
{
    m_solidAction = SolidAction::Cap;
    if (m_sel[mesura]) {
        m_sel[mesura] = false;
        m_resultats[mesura] = 0;
    } else {
        m_sel[mesura] = true;
    }
    rebuildAndRecalculate();
    return m_solidAction;
}

SolidAction Calculadora::selectAll(bool selected)
{
    m_solidAction = SolidAction::Cap;
    chooseAll(selected);
    return m_solidAction;
}

void Calculadora::chooseAll(bool selected)
{
    for (Mesura mesura : TotesMesures)
        m_sel[mesura] = selected;
    rebuildAndRecalculate();
}

void Calculadora::rebuildAndRecalculate()
{
    Prepara_Dades();
    Mostra_Dades();
    Calcula_Concentracions();
}

std::optional<Dada> Calculadora::firstEmptyDatum() const
{
    if (!m_dadesShown)
        return std::nullopt;
    for (Dada dada : TotesDades)
        if (m_campsDada[dada].shown && m_campsDada[dada].text.empty())
            return dada;
    return std::nullopt;
}
