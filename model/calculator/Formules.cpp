#include "model/calculator/Formules.h"

#include <cfloat>
#include <cmath>

namespace {

struct Valors {
    double s, d, V, rho, Ms, Md;
};

template <typename... D>
constexpr unsigned needs(D... dades)
{
    return ((1u << static_cast<unsigned>(dades)) | ...);
}

struct Formula {
    unsigned needs;
    double (*result)(const Valors &);
};

constexpr Dada S = Dada::Gsolut, D = Dada::Gdt, V = Dada::Vdso, R = Dada::Dens, Ms = Dada::Msolut,
               Md = Dada::Mdt;

// One row per measure, in the order Mesura lists them; within a row, the
// order in which the formulas are tried.
const std::array<std::array<Formula, 3>, 5> Formules{{
    {{
        {needs(S, D), [](const Valors &x) { return 100 * x.s / (x.s + x.d); }},
        {needs(S, V, R), [](const Valors &x) { return 100 * x.s / (x.rho * x.V); }},
        {needs(D, V, R), [](const Valors &x) { return 100 * (x.rho * x.V - x.d) / (x.rho * x.V); }},
    }},
    {{
        {needs(S, V), [](const Valors &x) { return 1000 * x.s / x.V; }},
        {needs(S, D, R), [](const Valors &x) { return 1000 * x.rho * x.s / (x.s + x.d); }},
        {needs(D, V, R), [](const Valors &x) { return 1000 * (x.rho * x.V - x.d) / x.V; }},
    }},
    {{
        {needs(S, V, Ms), [](const Valors &x) { return 1000 * x.s / (x.V * x.Ms); }},
        {needs(S, D, R, Ms), [](const Valors &x) { return 1000 * x.rho * x.s / ((x.s + x.d) * x.Ms); }},
        {needs(D, V, R, Ms), [](const Valors &x) { return 1000 * (x.rho * x.V - x.d) / (x.V * x.Ms); }},
    }},
    {{
        {needs(S, D, Ms), [](const Valors &x) { return 1000 * x.s / (x.Ms * x.d); }},
        {needs(S, V, R, Ms), [](const Valors &x) { return 1000 * x.s / ((x.rho * x.V - x.s) * x.Ms); }},
        {needs(D, V, R, Ms), [](const Valors &x) { return 1000 * (x.rho * x.V - x.d) / (x.Ms * x.d); }},
    }},
    {{
        {needs(S, D, Ms, Md), [](const Valors &x) { return (x.s / x.Ms) / (x.d / x.Md + x.s / x.Ms); }},
        {needs(S, V, R, Ms, Md),
         [](const Valors &x) { return (x.s / x.Ms) / ((x.rho * x.V - x.s) / x.Md + x.s / x.Ms); }},
        {needs(D, V, R, Ms, Md),
         [](const Valors &x) {
             const double solute = (x.rho * x.V - x.d) / x.Ms;
             return solute / (solute + x.d / x.Md);
         }},
    }},
}};

bool applies(const Formula &formula, const Dades &dades)
{
    for (Dada dada : TotesDades)
        if ((formula.needs & needs(dada)) && !(dades[dada] > 0))
            return false;
    return true;
}

struct Band {
    double lower;
    double factor;
    double step;
    bool singleProduct;
};

// Limits are exclusive below; the bands are tried from the top down.
constexpr Band Bands[] = {
    {999.9, 1, 1, true},          {99.99, 10, 0.1, true},         {9.999, 100, 0.01, true},
    {0.9999, 1000, 0.001, true},  {0.09999, 10000, 0.0001, true}, {0.009999, 1e5, 1e-5, false},
    {0.0009999, 1e6, 1e-6, false}, {0.00009999, 1e7, 1e-7, false},
};

// Inconsistent data can give more solute than solution; such a result is no
// result, like one at or below 0.
double possibleOrZero(Mesura mesura, double value)
{
    const double ceiling = mesura == Mesura::Tpc ? 100 : (mesura == Mesura::FrM ? 1 : HUGE_VAL);
    return value > ceiling ? 0 : value;
}

} // namespace

float singleOrZero(double value)
{
    if (!std::isfinite(value) || std::fabs(value) > FLT_MAX)
        return 0;
    return static_cast<float>(value);
}

float evaluateMeasure(Mesura mesura, const Dades &dades)
{
    const Valors x{dades[S], dades[D], dades[V], dades[R], dades[Ms], dades[Md]};
    float result = 0;
    for (const Formula &formula : Formules[static_cast<std::size_t>(mesura)])
        if (applies(formula, dades))
            result = singleOrZero(possibleOrZero(mesura, formula.result(x)));
    return result;
}

float Significa(float XValor)
{
    const double exact = XValor;
    for (const Band &band : Bands) {
        if (!(exact > band.lower))
            continue;
        const double product =
            band.singleProduct ? XValor * static_cast<float>(band.factor) : exact * band.factor;
        return static_cast<float>(std::nearbyint(product) * band.step);
    }
    return 0;
}
