#include "Calculadora.h"

#include "Concentracio.h"
#include "NumberForm.h"

#include <algorithm>
#include <vector>

namespace {

constexpr std::array<Dada, 4> MassVolume{Dada::Gsolut, Dada::Gdt, Dada::Vdso, Dada::Dens};

// When the three checked data fix the fourth, the fourth is taken away.
struct ThreeOfFour {
    std::array<Dada, 3> checked;
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

float readDatum(const QString &text)
{
    return singleOrZero(readNumber(text.toStdString()));
}

QString shortText(float value)
{
    return QString::fromStdString(shortForm(value));
}

Qt::CheckState givenState(float value)
{
    return value > 0 ? Qt::Checked : Qt::PartiallyChecked;
}

int at(Dada dada)
{
    return static_cast<int>(dada);
}

int at(Mesura mesura)
{
    return static_cast<int>(mesura);
}

} // namespace

Calculadora::Calculadora(Concentracio &window, SolidLink solidLink)
    : QObject(&window)
    , finestra(window)
    , solid(std::move(solidLink))
{
    for (Dada dada : TotesDades)
        connect(txt(dada), &QLineEdit::textChanged, this, [this, dada] { dataTextChanged(dada); });
    for (Mesura mesura : TotesMesures)
        connect(item(mesura), &QAction::triggered, this, [this, mesura] { toggleMeasure(mesura); });
    connect(finestra.ConceTotes, &QAction::triggered, this, [this] { selectAll(true); });
    connect(finestra.ConceCap, &QAction::triggered, this, [this] { selectAll(false); });
    connect(finestra.AccionsEsborrar, &QAction::triggered, this, &Calculadora::AccionsEsborrar_Click);
    connect(finestra.cmdResultats, &QPushButton::clicked, this, &Calculadora::cmdResultats_Click);
}

QCheckBox *Calculadora::chk(Dada dada) const
{
    return finestra.dataChecks().at(at(dada));
}

QLineEdit *Calculadora::txt(Dada dada) const
{
    return finestra.dataTexts().at(at(dada));
}

QCheckBox *Calculadora::chk(Mesura mesura) const
{
    return finestra.resultChecks().at(at(mesura));
}

QLineEdit *Calculadora::txt(Mesura mesura) const
{
    return finestra.resultTexts().at(at(mesura));
}

QAction *Calculadora::item(Mesura mesura) const
{
    const std::array<QAction *, 5> items{finestra.ConceTpc, finestra.ConceGpl, finestra.ConceMolar, finestra.ConceMolal, finestra.ConceFrM};
    return items[at(mesura)];
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
        const bool fixed = std::all_of(rule.checked.begin(), rule.checked.end(),
                                       [this](Dada dada) { return chk(dada)->checkState() == Qt::Checked; });
        if (fixed) {
            chk(rule.taken)->setEnabled(false);
            txt(rule.taken)->hide();
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
    finestra.ConceTotes->setEnabled(std::count(flags.begin(), flags.end(), false) > 0);
    finestra.ConceCap->setEnabled(std::count(flags.begin(), flags.end(), true) > 0);
    const auto &values = resultats.values;
    if (std::all_of(values.begin(), values.end(), [](float r) { return r == 0; }) && solid.tornarSolid)
        solid.tornarSolid();
}

void Calculadora::publishResult(Mesura mesura)
{
    const float r = resultats[mesura];
    if (!(r > 0)) {
        chk(mesura)->setEnabled(false);
        txt(mesura)->hide();
        chk(mesura)->setCheckState(Qt::Unchecked);
        return;
    }
    finestra.cmdResultats->show();
    chk(mesura)->setEnabled(true);
    chk(mesura)->setCheckState(Qt::Checked);
    txt(mesura)->show();
    txt(mesura)->setText(QString::fromStdString(shortestForm(Significa(r))));
    if (solid.solidAtStart && solid.solidAtStart() && solid.dissoldreSolid)
        solid.dissoldreSolid();
}

void Calculadora::dataTextChanged(Dada dada)
{
    dades[dada] = readDatum(txt(dada)->text());
    chk(dada)->setCheckState(givenState(dades[dada]));
    Calcula_Concentracions();
}

void Calculadora::Prepara_Dades()
{
    for (Dada dada : TotesDades) {
        chk(dada)->setCheckState(Qt::Unchecked);
        chk(dada)->setEnabled(false);
        txt(dada)->hide();
    }
    for (Mesura mesura : TotesMesures) {
        if (!Sel[mesura])
            continue;
        finestra.frDades->show();
        Habilita_Dades();
        for (Dada dada : molarMasses(mesura))
            offer(dada);
    }
}

void Calculadora::Habilita_Dades()
{
    for (Dada dada : MassVolume) {
        chk(dada)->setEnabled(true);
        txt(dada)->show();
        chk(dada)->setCheckState(givenState(readDatum(txt(dada)->text())));
    }
}

void Calculadora::offer(Dada dada)
{
    chk(dada)->setCheckState(Qt::PartiallyChecked);
    chk(dada)->setEnabled(true);
    chk(dada)->show();
    txt(dada)->show();
}

void Calculadora::Mostra_Dades()
{
    for (Dada dada : TotesDades) {
        if (!(dades[dada] > 0))
            continue;
        chk(dada)->setEnabled(true);
        chk(dada)->setCheckState(Qt::Checked);
        txt(dada)->show();
        // Writing a different text runs the change handling before the loop goes on.
        txt(dada)->setText(shortText(dades[dada]));
    }
}

void Calculadora::Amaga_Quadres()
{
    finestra.frDades->hide();
    for (Dada dada : TotesDades) {
        chk(dada)->setEnabled(false);
        chk(dada)->setCheckState(Qt::Unchecked);
        txt(dada)->hide();
    }
    for (Dada dada : TotesDades)
        txt(dada)->clear();
    finestra.frResultats->hide();
    for (Mesura mesura : TotesMesures) {
        chk(mesura)->setEnabled(false);
        txt(mesura)->clear();
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
    finestra.ConceTotes->setEnabled(true);
    finestra.cmdResultats->hide();
    ResultatsVisibles = true;
    cmdResultats_Click();
    selectAll(false);
}

void Calculadora::cmdResultats_Click()
{
    ResultatsVisibles = !ResultatsVisibles;
    finestra.frResultats->setVisible(ResultatsVisibles);
    finestra.cmdResultats->setText(ResultatsVisibles ? QStringLiteral("Ocultar resultats")
                                              : QStringLiteral("Veure resultats"));
}

void Calculadora::toggleMeasure(Mesura mesura)
{
    if (Sel[mesura]) {
        Sel[mesura] = false;
        resultats[mesura] = 0;
    } else {
        Sel[mesura] = true;
    }
    item(mesura)->setChecked(Sel[mesura]);
    rebuildAndRecalculate();
}

void Calculadora::selectAll(bool selected)
{
    for (Mesura mesura : TotesMesures) {
        Sel[mesura] = selected;
        item(mesura)->setChecked(selected);
    }
    rebuildAndRecalculate();
}

void Calculadora::rebuildAndRecalculate()
{
    Prepara_Dades();
    Mostra_Dades();
    Calcula_Concentracions();
}
