#include "tests/random/ModelChecks.h"

#include "common/core/NumberForm.h"
#include "model/simulation/ParticleModel.h"

#include <cmath>

namespace {

bool finite(const ParticleModel &m, int i)
{
    for (float v : {m.BolaX[i], m.BolaY[i], m.BolaZ[i], m.VelX[i], m.VelY[i], m.VelZ[i], m.PantX[i], m.PantY[i],
                    m.DiamPant[i]})
        if (!std::isfinite(v))
            return false;
    return true;
}

bool inside(const ParticleModel &m, int i)
{
    const Scene &s = m.scene;
    const double half = m.DiametreBola / 2.0;
    const double axisX = 20 * s.Unitat + s.RadiVas;
    const double distance = std::hypot(m.BolaX[i] + half - axisX, m.BolaZ[i] + half - s.RadiVas);
    return distance <= s.RadiVas - half + 0.01 && m.BolaY[i] >= surfaceLevel(s) && m.BolaY[i] <= floorLevel(s, m.DiametreBola);
}

} // namespace

QString particleFault(const ParticleModel &m)
{
    for (int i = 0; i < m.NombreBoles; ++i) {
        if (!finite(m, i))
            return QStringLiteral("particle %1 not finite").arg(i);
        if (!m.BolaEnSolid[i] && !inside(m, i))
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
