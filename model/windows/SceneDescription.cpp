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

namespace {

bool atStart(const SceneView &v)
{
    return !v.SolidCaient && !v.Dissolent && v.BolesDissoltes == 0;
}

bool allDissolved(const SceneView &v)
{
    return v.NombreBoles > 0 && v.BolesDissoltes >= v.NombreBoles;
}

} // namespace

QString sceneNews(const SceneView &before, const SceneView &now)
{
    QStringList news;
    if (before.SolidCaient && !now.SolidCaient && !atStart(now))
        news << QStringLiteral("El sòlid ha caigut dins del vas.");
    if (!allDissolved(before) && allDissolved(now))
        news << QStringLiteral("Totes les partícules s'han dissolt.");
    if (!atStart(before) && atStart(now))
        news << QStringLiteral("El sòlid torna a ser a la posició inicial.");
    if (before.frozen != now.frozen)
        news << (now.frozen ? QStringLiteral("Imatge congelada.") : QStringLiteral("Imatge en moviment."));
    if (before.marking != now.marking)
        news << (now.marking ? QStringLiteral("Marcatge de partícules activat.")
                             : QStringLiteral("Marcatge de partícules desactivat."));
    return news.join(QLatin1Char(' '));
}
