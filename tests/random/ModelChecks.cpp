#include "tests/random/ModelChecks.h"

#include "common/core/NumberForm.h"
#include "model/simulation/ParticleModel.h"

#include <cmath>

namespace {

bool finite(const ParticleSet &p, int i)
{
    for (float v : {p.BolaX()[i], p.BolaY()[i], p.BolaZ()[i], p.VelX()[i], p.VelY()[i], p.VelZ()[i], p.PantX()[i],
                    p.PantY()[i], p.DiamPant()[i]})
        if (!std::isfinite(v))
            return false;
    return true;
}

bool inside(const ParticleModel &m, const Scene &s, int i)
{
    const ParticleSet &p = m.particles();
    const double half = m.DiametreBola() / 2.0;
    const double axisX = 20 * s.Unitat + s.RadiVas;
    const double distance = std::hypot(p.BolaX()[i] + half - axisX, p.BolaZ()[i] + half - s.RadiVas);
    return distance <= s.RadiVas - half + 0.01 && p.BolaY()[i] >= surfaceLevel(s) &&
           p.BolaY()[i] <= floorLevel(s, m.DiametreBola());
}

} // namespace

QString particleFault(const ParticleModel &m, const Scene &scene)
{
    for (int i = 0; i < m.NombreBoles(); ++i) {
        if (!finite(m.particles(), i))
            return QStringLiteral("particle %1 not finite").arg(i);
        if (!m.particles().BolaEnSolid()[i] && !inside(m, scene, i))
            return QStringLiteral("particle %1 outside the beaker").arg(i);
    }
    return {};
}

bool fourDigitsShown(const QString &text)
{
    const std::string s = text.toStdString();
    const double value = readNumber(s);
    if (std::fabs(value) >= 10000)
        return value == std::floor(value) && (std::fabs(value) >= 1e7 || s.find('.') == std::string::npos);
    int digits = 0;
    bool leading = true;
    for (char c : s.substr(0, s.find('E'))) {
        if (c < '0' || c > '9')
            continue;
        leading = leading && c == '0';
        digits += leading ? 0 : 1;
    }
    return digits <= 4;
}
