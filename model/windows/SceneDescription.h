#pragma once

#include <QString>

// What the beaker's picture shows at a moment, as a screen reader says it.
struct SceneView {
    int NombreBoles = 0;
    int BolesDissoltes = 0;
    bool SolidCaient = false;
    bool Dissolent = false;
    bool frozen = false;
    bool marking = false;

    bool operator==(const SceneView &o) const
    {
        return NombreBoles == o.NombreBoles && BolesDissoltes == o.BolesDissoltes && SolidCaient == o.SolidCaient &&
               Dissolent == o.Dissolent && frozen == o.frozen && marking == o.marking;
    }
};

// One Catalan sentence per fact: the solid and its phase, the particles
// dissolved, whether the picture is frozen, whether marking is on.
QString describeScene(const SceneView &view);

// What changed between two looks at the scene that a pupil must hear at
// once, or an empty text: the solid has fallen, every particle has
// dissolved, the picture froze or moves again, the solid is back at its
// start, marking went on or off.
QString sceneNews(const SceneView &before, const SceneView &now);
