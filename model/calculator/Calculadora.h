#pragma once

#include "model/calculator/Formules.h"

#include <optional>
#include <string>

// What the solid must do after a pupil's action: nothing; drop, if it still
// rests at its start ("Dissoldre sòlid"), because a result appeared; or go
// back ("Tornar sòlid a posició inicial"), because no result is left.
enum class SolidAction { Cap, Deixar, Tornar };

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
    // The pupil's actions; those that recalculate say what the solid must do.
    SolidAction dataTextChanged(Dada dada, const std::string &text);
    SolidAction toggleMeasure(Mesura mesura);
    SolidAction selectAll(bool selected);
    SolidAction AccionsEsborrar_Click();
    void cmdResultats_Click();

    float dada(Dada dada) const { return m_dades[dada]; }
    float resultat(Mesura mesura) const { return m_resultats[mesura]; }
    const CampDada &camp(Dada dada) const { return m_campsDada[dada]; }
    const CampResultat &camp(Mesura mesura) const { return m_campsResultat[mesura]; }
    bool seleccionada(Mesura mesura) const { return m_sel[mesura]; }
    bool resultatsVisibles() const { return m_resultatsVisibles; }
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
    void chooseAll(bool selected);

    // The values read from the data and the results calculated; beside them
    // the fields the window shows.
    Dades m_dades;
    Resultats m_resultats;
    KeyedArray<Mesura, bool, TotesMesures.size()> m_sel;
    KeyedArray<Dada, CampDada, TotesDades.size()> m_campsDada;
    KeyedArray<Mesura, CampResultat, TotesMesures.size()> m_campsResultat;
    SolidAction m_solidAction = SolidAction::Cap;
    bool m_resultatsVisibles = false;
    bool m_dadesShown = false;
    bool m_resultButtonShown = false;
    bool m_totesEnabled = true;
    bool m_capEnabled = false;
};
