#pragma once

// What the model's beaker and the launcher's box share about particles: the
// size of their tables, angles, the draw of a direction, and the oblique view
// in which depth shifts a point along the back face's diagonal.
//
// The model works in double precision and the launcher in single; the
// templates keep each program's own rounding.

#include <array>
#include <cmath>

namespace kernel {

// Room for 401 particles, indices 0 … 400.
constexpr int TableSize = 401;

constexpr double Pi = 3.14159265358979;

template <typename Real>
Real cosDegrees(Real degrees)
{
    return static_cast<Real>(std::cos(degrees * Pi / 180));
}

// The three direction cosines of a first angle and a second one drawn (by
// the fraction `u`) where their cosines leave room for a third.
template <typename Real>
std::array<Real, 3> directionCosines(Real angleA, double u)
{
    const Real angleBMin = angleA > 90 ? angleA - 90 : 90 - angleA;
    const Real angleBMax = angleA > 90 ? 270 - angleA : angleA + 90;
    const auto angleB = static_cast<Real>(angleBMin + (angleBMax - angleBMin) * u);
    const Real cosA = cosDegrees(angleA);
    const Real cosB = cosDegrees(angleB);
    const auto rest = static_cast<Real>(1 - double(cosA) * cosA - double(cosB) * cosB);
    return {cosA, cosB, rest > 0 ? std::sqrt(rest) : Real(1)};
}

// The cosines dealt to x, y and z in one of six orders, chosen by a fraction.
template <typename Real>
std::array<Real, 3> dealCosines(const std::array<Real, 3> &cosines, double u)
{
    constexpr int Orders[6][3] = {{0, 1, 2}, {0, 2, 1}, {1, 0, 2}, {1, 2, 0}, {2, 0, 1}, {2, 1, 0}};
    const int *order = Orders[static_cast<int>(u * 6)];
    return {cosines[order[0]], cosines[order[1]], cosines[order[2]]};
}

// The oblique view: a point at fraction `depth` of the way to the back face
// moves by that fraction of the diagonal, right and up.
class ObliqueView {
public:
    void setAngle(double angle)
    {
        if (angle == m_angle)
            return;
        m_angle = angle;
        m_cos = std::cos(angle);
        m_sin = std::sin(angle);
    }

    float screenX(float x, double depth, double diagonal) const
    {
        return static_cast<float>(x + depth * diagonal * m_cos);
    }
    float screenY(float y, double depth, double diagonal) const
    {
        return static_cast<float>(y - depth * diagonal * m_sin);
    }

private:
    double m_angle = 0;
    double m_cos = 1;
    double m_sin = 0;
};

} // namespace kernel
