#pragma once

#include <array>
#include <cstddef>

enum class Dada { Gsolut, Gdt, Vdso, Dens, Msolut, Mdt };
enum class Mesura { Tpc, Gpl, Molar, Molal, FrM };

constexpr std::array<Dada, 6> TotesDades{Dada::Gsolut, Dada::Gdt,    Dada::Vdso,
                                         Dada::Dens,   Dada::Msolut, Dada::Mdt};
constexpr std::array<Mesura, 5> TotesMesures{Mesura::Tpc, Mesura::Gpl, Mesura::Molar, Mesura::Molal,
                                             Mesura::FrM};

// A fixed-size table indexed by one of the enums above.
template <typename Key, typename Value, std::size_t N>
struct KeyedArray {
    std::array<Value, N> values{};

    constexpr Value &operator[](Key key) { return values[static_cast<std::size_t>(key)]; }
    constexpr const Value &operator[](Key key) const { return values[static_cast<std::size_t>(key)]; }
};

using Dades = KeyedArray<Dada, float, TotesDades.size()>;
using Resultats = KeyedArray<Mesura, float, TotesMesures.size()>;

// A double that single precision cannot hold (infinite, NaN or too large)
// becomes 0, which the calculator treats as "nothing there".
float singleOrZero(double value);

// The measure from its three formulas: every one whose data are all above 0
// overwrites the result, so the last applicable one wins; 0 when none applies
// or when the result is impossible (a percentage above 100, a fraction above 1).
float evaluateMeasure(Mesura mesura, const Dades &dades);

// Rounds to four significant figures (whole digits kept above 9999);
// 0.00009999 or less gives 0.
float Significa(float XValor);
