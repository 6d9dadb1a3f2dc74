// Any six data, as singles: every measure is finite and possible, and its
// rounded form shows at most four significant digits (numbers above 9999
// keep their whole digits and have no fraction, written in the exponent
// form from ten million on).
#include "model/calculator/Formules.h"
#include "FuzzChecks.h"
#include "common/core/NumberForm.h"

#include <cmath>
#include <cstdint>
#include <cstring>

namespace {

float ceiling(Mesura mesura)
{
    return mesura == Mesura::Tpc ? 100.f : (mesura == Mesura::FrM ? 1.f : HUGE_VALF);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    Dades dades;
    if (size != sizeof dades.values)
        return 0;
    std::memcpy(dades.values.data(), data, size);
    for (Mesura mesura : TotesMesures) {
        const float result = evaluateMeasure(mesura, dades);
        const std::string detail = shortestForm(result);
        require(std::isfinite(result), "finite result", detail);
        require(result <= ceiling(mesura), "possible result", detail);
        const float shown = Significa(result);
        const std::string text = shortestForm(shown);
        require(std::isfinite(shown) && shown >= 0 && shown <= ceiling(mesura), "possible rounded result", text);
        if (shown < 10000)
            require(significantDigits(text) <= 4, "four digits shown", detail + " -> " + text);
        else
            require(shown == std::floor(shown) && (shown >= 1e7f || text.find('.') == std::string::npos),
                    "whole digits only", detail + " -> " + text);
    }
    return 0;
}
