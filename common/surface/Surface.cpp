#include "common/surface/Surface.h"

#include "common/core/ScreenScale.h"
#include "common/surface/Colour.h"

#include <QPainter>
#include <cmath>
#include <utility>
#include <vector>

namespace {

// Sprites are cached per quarter pixel of size (of the design's pixels, so
// zoomed circles take no more sizes), so a few hundred circles of a handful
// of sizes cost a few images, made once.
Surface::SpriteKey spriteKey(const Circle &c, qreal pixelRatio)
{
    const auto quarters = static_cast<quint64>(std::lround(c.size / TwipsPerPixel * 4)) & 0xFFFF;
    const auto ratio = static_cast<quint64>(std::lround(pixelRatio * 4)) & 0xFF;
    return {quarters | ratio << 16 | static_cast<quint64>(c.fill.value()) << 24, c.border.value()};
}

} // namespace

Surface::Surface()
{
    resize(TwipsPerPixel, TwipsPerPixel);
}

void Surface::resize(float widthTwips, float heightTwips)
{
    m_width = widthTwips;
    m_height = heightTwips;
    const QSizeF pixels(std::max(1, twipsToPixels(widthTwips)), std::max(1, twipsToPixels(heightTwips)));
    m_image = QImage((pixels * m_ratio).toSize(), QImage::Format_RGB32);
    m_image.setDevicePixelRatio(m_ratio);
    clear();
}

void Surface::setPixelRatio(qreal ratio)
{
    m_ratio = ratio;
    resize(m_width, m_height);
}

// The device pixel at the centre of the pixel that holds the point, so that
// reads and fills land where they did at a ratio of 1.
QPoint Surface::devicePixel(float x, float y) const
{
    const auto device = [this](float twips) { return static_cast<int>(std::floor((twipsToPixels(twips) + 0.5) * m_ratio)); };
    return {device(x), device(y)};
}

void Surface::setBackground(Rgb colour)
{
    m_background = colour;
}

void Surface::clear()
{
    m_image.fill(toColour(m_background));
}

void Surface::setLineWidth(int pixels)
{
    m_lineWidth = std::max(1, pixels);
}

qreal Surface::lineWidth() const
{
    return m_lineWidth * zoom();
}

void Surface::drawLine(float x1, float y1, float x2, float y2, Rgb colour)
{
    QPainter p(&m_image);
    p.setPen(QPen(toColour(colour), lineWidth(), Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(twipsToPixelsF(x1), twipsToPixelsF(y1)), QPointF(twipsToPixelsF(x2), twipsToPixelsF(y2)));
}

QRectF Surface::ellipseRect(float cx, float cy, float radius, float aspect) const
{
    const double rx = twipsToPixelsF(aspect <= 1 ? radius : radius / aspect);
    const double ry = twipsToPixelsF(aspect <= 1 ? radius * aspect : radius);
    return QRectF(twipsToPixelsF(cx) - rx, twipsToPixelsF(cy) - ry, 2 * rx, 2 * ry);
}

void Surface::drawEllipse(float cx, float cy, float radius, Rgb colour, float aspect)
{
    QPainter p(&m_image);
    p.setPen(QPen(toColour(colour), lineWidth()));
    p.drawEllipse(ellipseRect(cx, cy, radius, aspect));
}

void Surface::drawArc(float cx, float cy, float radius, Rgb colour, double start, double end, float aspect)
{
    constexpr double SixteenthsPerRadian = 180.0 * 16 / M_PI;
    double span = end - start;
    if (span <= 0)
        span += 2 * M_PI;
    QPainter p(&m_image);
    p.setPen(QPen(toColour(colour), lineWidth()));
    p.drawArc(ellipseRect(cx, cy, radius, aspect), static_cast<int>(std::lround(start * SixteenthsPerRadian)),
              static_cast<int>(std::lround(span * SixteenthsPerRadian)));
}

Rgb Surface::pointColour(float x, float y) const
{
    const QPoint at = devicePixel(x, y);
    if (!m_image.rect().contains(at))
        return {};
    const QRgb c = m_image.pixel(at);
    return {qRed(c), qGreen(c), qBlue(c)};
}

void Surface::floodFill(float x, float y, Rgb fill)
{
    const QPoint seed = devicePixel(x, y);
    if (!m_image.rect().contains(seed))
        return;
    const QRgb target = m_image.pixel(seed);
    const QRgb paint = toColour(fill).rgb();
    if (target == paint)
        return;
    const int w = m_image.width();
    const int h = m_image.height();
    std::vector<QPoint> stack{seed};
    while (!stack.empty()) {
        const QPoint p = stack.back();
        stack.pop_back();
        auto *line = reinterpret_cast<QRgb *>(m_image.scanLine(p.y()));
        if (line[p.x()] != target)
            continue;
        int left = p.x();
        while (left > 0 && line[left - 1] == target)
            --left;
        int right = p.x();
        while (right < w - 1 && line[right + 1] == target)
            ++right;
        for (int i = left; i <= right; ++i)
            line[i] = paint;
        for (int dy : {-1, 1}) {
            const int ny = p.y() + dy;
            if (ny < 0 || ny >= h)
                continue;
            const auto *next = reinterpret_cast<const QRgb *>(m_image.constScanLine(ny));
            for (int i = left; i <= right; ++i)
                if (next[i] == target && (i == left || next[i - 1] != target))
                    stack.emplace_back(i, ny);
        }
    }
}

QImage Surface::drawSprite(const Circle &circle, qreal pixelRatio) const
{
    const double diameter = std::max(1.0, std::round(double(circle.size) / TwipsPerPixel * 4) / 4 * zoom());
    // The outline grows with the zoom like every other line.
    const double outline = zoom();
    const int side = static_cast<int>(std::ceil((diameter + 1) * pixelRatio));
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    image.setDevicePixelRatio(pixelRatio);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(toColour(circle.border), outline));
    p.setBrush(toColour(circle.fill));
    p.drawEllipse(QRectF(outline / 2, outline / 2, diameter - outline, diameter - outline));
    return image;
}

// The launcher's particles each have a colour of their own and change size
// with depth: left to grow, the cache would take hundreds of megabytes on a
// large screen. So it is kept in two generations: when the newer is full it
// becomes the older, and what is still drawn moves back from there unredrawn.
// A generation holds what 400 particles use at the normal size (less, and the
// launcher's tick redraws sprites: 0.46 instead of 0.24 ms at 1152 pixels),
// and grows with the area of a zoomed sprite.
const QImage &Surface::sprite(const SpriteKey &key, const Circle &circle, qreal pixelRatio) const
{
    auto found = m_sprites.constFind(key);
    if (found != m_sprites.cend())
        return *found;
    const auto older = m_olderSprites.constFind(key);
    const QImage image = older != m_olderSprites.cend() ? *older : drawSprite(circle, pixelRatio);
    if (m_spriteBytes + image.sizeInBytes() > MostSpriteBytes * zoom() * zoom()) {
        m_olderSprites = std::exchange(m_sprites, {});
        m_spriteBytes = 0;
    }
    m_spriteBytes += image.sizeInBytes();
    return *m_sprites.insert(key, image);
}

void Surface::paint(QPainter &painter) const
{
    painter.drawImage(QPoint(0, 0), m_image);
    const qreal ratio = painter.device() ? painter.device()->devicePixelRatioF() : 1.0;
    // While the particles move only their part of the picture is painted again.
    const QRectF clip = painter.hasClipping() ? painter.clipBoundingRect() : QRectF();
    // Neighbours in the stacking mostly share a look, so the lookup is skipped.
    SpriteKey previous;
    const QImage *image = nullptr;
    for (int i : m_circles.stacking()) {
        const Circle &c = m_circles[i];
        if (!c.visible || c.size <= 0)
            continue;
        const QPoint at(twipsToPixels(c.left), twipsToPixels(c.top));
        const qreal side = twipsToPixelsF(c.size) + 1;
        if (!clip.isNull() && !clip.intersects(QRectF(at, QSizeF(side, side))))
            continue;
        const SpriteKey key = spriteKey(c, ratio);
        if (!image || key != previous)
            image = &sprite(key, c, ratio);
        previous = key;
        painter.drawImage(at, *image);
    }
}
