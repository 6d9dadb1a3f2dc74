#pragma once

#include <QString>

class ParticleModel;
struct Scene;

// What is wrong with the particles, or an empty text: every value finite,
// every released particle inside the solution.
QString particleFault(const ParticleModel &model, const Scene &scene);

// Whether a result as shown keeps to four significant digits; numbers above
// 9999 keep their whole digits and show no fraction.
bool fourDigitsShown(const QString &text);
