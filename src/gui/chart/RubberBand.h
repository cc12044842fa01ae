// CRubberBand: the shape the user drags out on the plot, and its drawing.
#pragma once

#include <QPointF>
#include <QRectF>

class QPainter;

class CRubberBand {
public:
    enum class Shape {
        XBand,     // full plot height between the press and the mouse x
        Rectangle, // the rectangle between the press and the mouse
        Line,      // a straight line from the press to the mouse
    };

    // Starts at press (clamped into plot).
    void Begin(QPointF press, const QRectF& plot, Shape shape);
    void Move(QPointF to);
    void End() { m_active = false; }

    [[nodiscard]] bool Active() const { return m_active; }
    // True once the mouse went at least three pixels from the press point.
    [[nodiscard]] bool Dragged() const;
    // The selected area in pixels (the band covers the plot's full height).
    [[nodiscard]] QRectF Area() const;
    [[nodiscard]] Shape GetShape() const { return m_shape; }

    void Paint(QPainter& painter) const;

private:
    [[nodiscard]] QPointF Clamp(QPointF p) const;

    bool m_active = false;
    Shape m_shape = Shape::XBand;
    QRectF m_plot;
    QPointF m_from, m_to;
};
