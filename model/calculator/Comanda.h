#pragma once

#include "model/calculator/Formules.h"

#include <optional>

// What the pupil can ask of the model through its menus, whoever carries it out.
enum class Comanda {
    ArxiuText, ArxiuInformExem, ArxiuInformFitxa, ArxiuSortir,
    AccionsEsborrar, AccionsCongelar, AccionsMarcar, AccionsSolid, AccionsInici,
    EinesPsolidA, EinesPsolidD, EinesDiamAfAu, EinesDiamAfDi,
    ConceTpc, ConceGpl, ConceMolar, ConceMolal, ConceFrM, ConceTotes, ConceCap,
    FinPre, FinTeo, FinProp, FinGuia, Ajuda,
};

// A menu item as the window shows it.
struct EstatComanda {
    bool enabled = true;
    bool checked = false;
};

constexpr int NombreComandes = static_cast<int>(Comanda::Ajuda) + 1;

// The Concentració menu's item for each measure.
constexpr KeyedArray<Mesura, Comanda, TotesMesures.size()> ComandaMesura{
    {Comanda::ConceTpc, Comanda::ConceGpl, Comanda::ConceMolar, Comanda::ConceMolal, Comanda::ConceFrM}};

// The measure whose item a command is, if it is one.
constexpr std::optional<Mesura> mesuraTriada(Comanda command)
{
    for (Mesura mesura : TotesMesures)
        if (ComandaMesura[mesura] == command)
            return mesura;
    return std::nullopt;
}
