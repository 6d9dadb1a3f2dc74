#pragma once

#include <cstdint>
#include <vector>

struct Rgb {
    int r = 0;
    int g = 0;
    int b = 0;

    // Red in the low byte.
    constexpr std::int32_t value() const { return r + 256 * g + 65536 * b; }
    constexpr bool operator==(const Rgb &o) const { return r == o.r && g == o.g && b == o.b; }
    constexpr bool operator!=(const Rgb &o) const { return !(*this == o); }
};

// One particle's circle, in twips of its picture box.
struct Circle {
    float left = 0;
    float top = 0;
    float size = 0;
    Rgb fill;
    Rgb border;
    bool visible = false;
};

// A rectangle in twips; empty when it has no area.
struct TwipBox {
    float left = 0;
    float top = 0;
    float right = 0;
    float bottom = 0;

    bool empty() const { return !(right > left && bottom > top); }
};

// The circles a picture box paints over its drawing, with their stacking
// order. Element 0 is the template that survives every rebuild.
class CircleSet {
public:
    CircleSet();

    int count() const { return static_cast<int>(m_circles.size()); }
    Circle &operator[](int i) { return m_circles[static_cast<std::size_t>(i)]; }
    const Circle &operator[](int i) const { return m_circles[static_cast<std::size_t>(i)]; }

    // New circles are hidden copies of the template, stacked in front.
    void resize(int count);
    void place(int i, float left, float top, float size);
    void sendToBack(int i);
    void bringToFront(int i);

    // Back to front.
    const std::vector<int> &stacking() const { return m_order; }

    // What placing circles has covered, at their old places and their new,
    // since the last call; empty when nothing was placed.
    TwipBox takePlacedArea();

private:
    void cover(const Circle &c);

    std::vector<Circle> m_circles;
    std::vector<int> m_order;
    TwipBox m_placed;
};
