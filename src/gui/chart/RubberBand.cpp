#include "chart/RubberBand.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

QPointF CRubberBand::Clamp(QPointF p) const {
    return {std::clamp(p.x(), m_plot.left(), m_plot.right()),
            std::clamp(p.y(), m_plot.top(), m_plot.bottom())};
}

void CRubberBand::Begin(QPointF press, const QRectF& plot, Shape shape) {
    m_plot = plot;
    m_shape = shape;
    m_from = m_to = Clamp(press);
    m_active = true;
}

void CRubberBand::Move(QPointF to) {
    m_to = Clamp(to);
}

bool CRubberBand::Dragged() const {
    const QPointF d = m_to - m_from;
    if (m_shape == Shape::XBand)
        return std::fabs(d.x()) >= 3;
    return std::fabs(d.x()) >= 3 || std::fabs(d.y()) >= 3;
}

QRectF CRubberBand::Area() const {
    QRectF r = QRectF(m_from, m_to).normalized();
    if (m_shape == Shape::XBand) {
        r.setTop(m_plot.top());
        r.setBottom(m_plot.bottom());
    }
    return r;
}

void CRubberBand::Paint(QPainter& painter) const {
    if (!m_active)
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    if (m_shape == Shape::Line) {
        painter.setPen(QPen(QColor(200, 0, 0), 1.5, Qt::DashLine));
        painter.drawLine(m_from, m_to);
    } else {
        painter.setPen(QPen(QColor(0, 70, 160), 1, Qt::DashLine));
        painter.setBrush(QColor(0, 90, 200, 40));
        painter.drawRect(Area());
    }
    painter.restore();
}
