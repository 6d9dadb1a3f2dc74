#pragma once

#include "Formules.h"

#include <QObject>
#include <functional>

class Concentracio;
class QAction;
class QCheckBox;
class QLineEdit;

// What the calculator needs from the dissolution picture.
struct SolidLink {
    // The solid has not been dropped: no particle released and not falling.
    std::function<bool()> solidAtStart;
    // The commands "Dissoldre sòlid" and "Tornar sòlid a posició inicial".
    std::function<void()> dissoldreSolid;
    std::function<void()> tornarSolid;
};

// The concentration calculator of the main window: the data and results
// frames, the results button, the Concentració menu and the clear command.
// It connects itself to those controls and lives as long as the window.
class Calculadora : public QObject {
    Q_OBJECT

public:
    Calculadora(Concentracio &window, SolidLink solidLink);

    float dada(Dada dada) const { return dades[dada]; }
    float resultat(Mesura mesura) const { return resultats[mesura]; }
    bool seleccionada(Mesura mesura) const { return Sel[mesura]; }
    bool resultatsVisibles() const { return ResultatsVisibles; }

private:
    void Calcula_Concentracions();
    void Limita_Dades();
    void Esborra_Resultats();
    void Mostra_Resultats();
    void publishResult(Mesura mesura);

    void dataTextChanged(Dada dada);
    void Prepara_Dades();
    void Habilita_Dades();
    void offer(Dada dada);
    void Mostra_Dades();
    void Amaga_Quadres();
    void Esborra_Dades();
    void AccionsEsborrar_Click();
    void cmdResultats_Click();

    void toggleMeasure(Mesura mesura);
    void selectAll(bool selected);
    void rebuildAndRecalculate();

    QCheckBox *chk(Dada dada) const;
    QLineEdit *txt(Dada dada) const;
    QCheckBox *chk(Mesura mesura) const;
    QLineEdit *txt(Mesura mesura) const;
    QAction *item(Mesura mesura) const;

    Concentracio &finestra;
    SolidLink solid;
    Dades dades;
    Resultats resultats;
    KeyedArray<Mesura, bool, TotesMesures.size()> Sel;
    bool ResultatsVisibles = false;
};
