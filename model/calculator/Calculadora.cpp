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

Calculadora::Calculadora(SolidLink solidLink)
    : solid(std::move(solidLink))
{
}

void Calculadora::Calcula_Concentracions()
{
    Esborra_Resultats();
    for (Mesura mesura : TotesMesures) {
        if (!Sel[mesura])
            continue;
        Limita_Dades();
        resultats[mesura] = evaluateMeasure(mesura, dades);
    }
    Mostra_Resultats();
}

void Calculadora::Limita_Dades()
{
    for (const ThreeOfFour &rule : ThreeOfFourRules) {
        const bool fixed = std::all_of(rule.given.begin(), rule.given.end(),
                                       [this](Dada dada) { return m_dades[dada].indicador == Indicador::Donat; });
        if (fixed) {
            m_dades[rule.taken].enabled = false;
            m_dades[rule.taken].shown = false;
        }
    }
}

void Calculadora::Esborra_Resultats()
{
    resultats = {};
}

void Calculadora::Mostra_Resultats()
{
    for (Mesura mesura : TotesMesures)
        publishResult(mesura);
    const auto &flags = Sel.values;
    m_totesEnabled = std::count(flags.begin(), flags.end(), false) > 0;
    m_capEnabled = std::count(flags.begin(), flags.end(), true) > 0;
    const auto &values = resultats.values;
    if (std::all_of(values.begin(), values.end(), [](float r) { return r == 0; }) && solid.tornarSolid)
        solid.tornarSolid();
}

void Calculadora::publishResult(Mesura mesura)
{
    CampResultat &camp = m_resultats[mesura];
    const float r = resultats[mesura];
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
    if (solid.solidAtStart && solid.solidAtStart() && solid.dissoldreSolid)
        solid.dissoldreSolid();
}

void Calculadora::dataTextChanged(Dada dada, const std::string &text)
{
    m_dades[dada].text = text;
    readDatum(dada);
}

void Calculadora::readDatum(Dada dada)
{
    dades[dada] = valueOf(m_dades[dada].text);
    m_dades[dada].indicador = givenState(dades[dada]);
    Calcula_Concentracions();
}

// Like a text box, a different text raises the change handling at once,
// before the caller goes on.
void Calculadora::writeText(Dada dada, const std::string &text)
{
    if (m_dades[dada].text == text)
        return;
    m_dades[dada].text = text;
    readDatum(dada);
}

void Calculadora::Prepara_Dades()
{
    for (Dada dada : TotesDades)
        m_dades[dada] = {m_dades[dada].text, Indicador::Buit, false, false};
    for (Mesura mesura : TotesMesures) {
        if (!Sel[mesura])
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
        CampDada &camp = m_dades[dada];
        camp.enabled = true;
        camp.shown = true;
        camp.indicador = givenState(valueOf(camp.text));
    }
}

void Calculadora::offer(Dada dada)
{
    m_dades[dada].indicador = Indicador::Ofert;
    m_dades[dada].enabled = true;
    m_dades[dada].shown = true;
}

void Calculadora::Mostra_Dades()
{
    for (Dada dada : TotesDades) {
        if (!(dades[dada] > 0))
            continue;
        m_dades[dada].enabled = true;
        m_dades[dada].indicador = Indicador::Donat;
        m_dades[dada].shown = true;
        writeText(dada, shortForm(dades[dada]));
    }
}

void Calculadora::Amaga_Quadres()
{
    m_dadesShown = false;
    for (Dada dada : TotesDades)
        m_dades[dada] = {m_dades[dada].text, Indicador::Buit, false, false};
    for (Dada dada : TotesDades)
        writeText(dada, std::string());
    for (Mesura mesura : TotesMesures) {
        m_resultats[mesura].enabled = false;
        m_resultats[mesura].text.clear();
    }
}

void Calculadora::Esborra_Dades()
{
    dades = {};
}

void Calculadora::AccionsEsborrar_Click()
{
    Amaga_Quadres();
    Esborra_Dades();
    Esborra_Resultats();
    m_totesEnabled = true;
    m_resultButtonShown = false;
    ResultatsVisibles = true;
    cmdResultats_Click();
    selectAll(false);
}

void Calculadora::cmdResultats_Click()
{
    ResultatsVisibles = !ResultatsVisibles;
}

void Calculadora::toggleMeasure(Mesura mesura)
{
    if (Sel[mesura]) {
        Sel[mesura] = false;
        resultats[mesura] = 0;
    } else {
        Sel[mesura] = true;
    }
    rebuildAndRecalculate();
}

void Calculadora::selectAll(bool selected)
{
    for (Mesura mesura : TotesMesures)
        Sel[mesura] = selected;
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
        if (m_dades[dada].shown && m_dades[dada].text.empty())
            return dada;
    return std::nullopt;
}
