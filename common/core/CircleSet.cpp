#include "common/core/CircleSet.h"

#include <algorithm>
#include <limits>
#include <utility>

namespace {

// Empty, and widened by the first circle covered.
constexpr TwipBox nothingPlaced()
{
    constexpr float Far = std::numeric_limits<float>::max();
    return {Far, Far, -Far, -Far};
}

} // namespace

CircleSet::CircleSet()
    : m_circles(1)
    , m_order{0}
    , m_placed(nothingPlaced())
{
}

void CircleSet::resize(int count)
{
    const int old = this->count();
    if (count < 1)
        count = 1;
    if (count < old)
        m_order.erase(std::remove_if(m_order.begin(), m_order.end(), [count](int i) { return i >= count; }),
                      m_order.end());
    Circle blank = m_circles[0];
    blank.visible = false;
    m_circles.resize(static_cast<std::size_t>(count), blank);
    for (int i = old; i < count; ++i)
        m_order.push_back(i);
}

void CircleSet::place(int i, float left, float top, float size)
{
    Circle &c = (*this)[i];
    cover(c);
    c.left = left;
    c.top = top;
    c.size = size;
    cover(c);
}

void CircleSet::cover(const Circle &c)
{
    if (!(c.size > 0))
        return;
    m_placed.left = std::min(m_placed.left, c.left);
    m_placed.top = std::min(m_placed.top, c.top);
    m_placed.right = std::max(m_placed.right, c.left + c.size);
    m_placed.bottom = std::max(m_placed.bottom, c.top + c.size);
}

TwipBox CircleSet::takePlacedArea()
{
    return std::exchange(m_placed, nothingPlaced());
}

void CircleSet::sendToBack(int i)
{
    auto it = std::find(m_order.begin(), m_order.end(), i);
    std::rotate(m_order.begin(), it, it + 1);
}

void CircleSet::bringToFront(int i)
{
    auto it = std::find(m_order.begin(), m_order.end(), i);
    std::rotate(it, it + 1, m_order.end());
}
