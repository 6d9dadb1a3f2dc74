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
};

// One Catalan sentence per fact: the solid and its phase, the particles
// dissolved, whether the picture is frozen, whether marking is on.
QString describeScene(const SceneView &view);
