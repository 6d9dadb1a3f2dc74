#pragma once

#include "model/calculator/Formules.h"

#include <functional>
#include <optional>
#include <string>

// What the calculator needs from the dissolution picture.
struct SolidLink {
    // The solid has not been dropped: no particle released and not falling.
    std::function<bool()> solidAtStart;
    // The commands "Dissoldre sòlid" and "Tornar sòlid a posició inicial".
    std::function<void()> dissoldreSolid;
    std::function<void()> tornarSolid;
};

// An indicator beside a box: empty, offered (three-state boxes only) or given.
enum class Indicador { Buit, Ofert, Donat };

// A datum as the window shows it: the text typed, the value read from it, its
// indicator, and whether the pair is enabled and the text box shown.
struct CampDada {
    std::string text;
    Indicador indicador = Indicador::Buit;
    bool enabled = true;
    bool shown = true;
};

struct CampResultat {
    std::string text;
    bool checked = false;
    bool enabled = true;
    bool shown = true;
};

// The concentration calculator: the measures chosen in "Concentració en:",
// the data frame with its three-of-four rule, the results frame and its
// button, and the clear command. It holds the whole state the window shows;
// the window only renders it and reports what the pupil does.
class Calculadora {
public:
    explicit Calculadora(SolidLink solidLink = {});

    // The pupil's actions.
    void dataTextChanged(Dada dada, const std::string &text);
    void toggleMeasure(Mesura mesura);
    void selectAll(bool selected);
    void AccionsEsborrar_Click();
    void cmdResultats_Click();

    float dada(Dada dada) const { return dades[dada]; }
    float resultat(Mesura mesura) const { return resultats[mesura]; }
    const CampDada &camp(Dada dada) const { return m_dades[dada]; }
    const CampResultat &camp(Mesura mesura) const { return m_resultats[mesura]; }
    bool seleccionada(Mesura mesura) const { return Sel[mesura]; }
    bool resultatsVisibles() const { return ResultatsVisibles; }
    bool dadesShown() const { return m_dadesShown; }
    bool resultButtonShown() const { return m_resultButtonShown; }
    bool totesEnabled() const { return m_totesEnabled; }
    bool capEnabled() const { return m_capEnabled; }
    // The first offered datum whose box is still empty: where the pupil types next.
    std::optional<Dada> firstEmptyDatum() const;

private:
    void Calcula_Concentracions();
    void Limita_Dades();
    void Esborra_Resultats();
    void Mostra_Resultats();
    void publishResult(Mesura mesura);

    void readDatum(Dada dada);
    void writeText(Dada dada, const std::string &text);
    void Prepara_Dades();
    void Habilita_Dades();
    void offer(Dada dada);
    void Mostra_Dades();
    void Amaga_Quadres();
    void Esborra_Dades();
    void rebuildAndRecalculate();

    SolidLink solid;
    Dades dades;
    Resultats resultats;
    KeyedArray<Mesura, bool, TotesMesures.size()> Sel;
    KeyedArray<Dada, CampDada, TotesDades.size()> m_dades;
    KeyedArray<Mesura, CampResultat, TotesMesures.size()> m_resultats;
    bool ResultatsVisibles = false;
    bool m_dadesShown = false;
    bool m_resultButtonShown = false;
    bool m_totesEnabled = true;
    bool m_capEnabled = false;
};
