#pragma once

#include "common/core/CircleSet.h"

#include <QHash>
#include <QImage>
#include <utility>

class QPainter;

// A picture box's drawing: a persistent image drawn once per scene, in twips,
// and over it the particle circles, painted in stacking order. Drawing is
// aliased so that flood fills meet exact colours.
class Surface {
public:
    Surface();

    void resize(float widthTwips, float heightTwips);
    // Device pixels per pixel of the image; a change clears the drawing.
    void setPixelRatio(qreal ratio);
    qreal pixelRatio() const { return m_ratio; }
    float widthTwips() const { return m_width; }
    float heightTwips() const { return m_height; }

    void setBackground(Rgb colour);
    Rgb background() const { return m_background; }
    void clear();

    // In the design's pixels; on screen lines grow with the zoom.
    void setLineWidth(int pixels);
    void drawLine(float x1, float y1, float x2, float y2, Rgb colour);
    // An aspect below 1 flattens the ellipse: radius across, radius × aspect tall.
    void drawEllipse(float cx, float cy, float radius, Rgb colour, float aspect);
    // Angles in radians, counter-clockwise on screen from the positive x axis.
    void drawArc(float cx, float cy, float radius, Rgb colour, double start, double end, float aspect);
    Rgb pointColour(float x, float y) const;
    // Paints every pixel connected to the seed that has the seed's colour.
    void floodFill(float x, float y, Rgb fill);

    const QImage &image() const { return m_image; }
    CircleSet &circles() { return m_circles; }
    const CircleSet &circles() const { return m_circles; }

    void paint(QPainter &painter) const;

    using SpriteKey = std::pair<quint64, qint32>;

private:
    const QImage &sprite(const SpriteKey &key, const Circle &circle, qreal pixelRatio) const;
    QImage drawSprite(const Circle &circle, qreal pixelRatio) const;
    QRectF ellipseRect(float cx, float cy, float radius, float aspect) const;
    QPoint devicePixel(float x, float y) const;
    qreal lineWidth() const;

    float m_width = 0;
    float m_height = 0;
    int m_lineWidth = 1;
    qreal m_ratio = 1;
    Rgb m_background{255, 255, 255};
    QImage m_image;
    CircleSet m_circles;
    static constexpr qsizetype MostSpriteBytes = 16 << 20;
    mutable QHash<SpriteKey, QImage> m_sprites;
    mutable QHash<SpriteKey, QImage> m_olderSprites;
    mutable qsizetype m_spriteBytes = 0;
};
