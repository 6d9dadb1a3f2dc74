#include "model/windows/SceneDescription.h"

#include <QStringList>

namespace {

QString particles(int n)
{
    return n == 1 ? QStringLiteral("1 partícula") : QStringLiteral("%1 partícules").arg(n);
}

QString phase(const SceneView &v)
{
    if (v.SolidCaient)
        return QStringLiteral("cau dins del vas");
    // The last release is seen one tick before the flag drops.
    if (v.Dissolent && v.BolesDissoltes < v.NombreBoles)
        return QStringLiteral("s'està dissolent");
    if (v.BolesDissoltes > 0)
        return QStringLiteral("s'ha dissolt");
    return QStringLiteral("és en repòs damunt del vas");
}

QString dissolved(int n)
{
    if (n == 0)
        return QStringLiteral("Cap partícula dissolta.");
    return n == 1 ? QStringLiteral("1 partícula dissolta.") : QStringLiteral("%1 partícules dissoltes.").arg(n);
}

} // namespace

QString describeScene(const SceneView &v)
{
    return QStringList{
        QStringLiteral("Un sòlid de %1 %2.").arg(particles(v.NombreBoles), phase(v)),
        dissolved(v.BolesDissoltes),
        v.frozen ? QStringLiteral("Imatge congelada.") : QStringLiteral("Imatge en moviment."),
        v.marking ? QStringLiteral("Marcatge de partícules activat.")
                  : QStringLiteral("Marcatge de partícules desactivat."),
    }
        .join(QLatin1Char(' '));
}
