#include "common/core/CircleSet.h"

#include <algorithm>

CircleSet::CircleSet()
    : m_circles(1)
    , m_order{0}
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
    c.left = left;
    c.top = top;
    c.size = size;
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
