#include "chart/ChartStyles.h"

#include <QPainter>
#include <QPolygonF>

#include <array>
#include <cmath>

namespace chart {
QColor FromColorRef(std::int32_t ref) {
    const auto v = static_cast<std::uint32_t>(ref);
    return QColor(static_cast<int>(v & 0xFFU), static_cast<int>((v >> 8U) & 0xFFU),
                  static_cast<int>((v >> 16U) & 0xFFU));
}

std::int32_t ToColorRef(const QColor& colour) {
    const auto rgb = colour.toRgb();
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(rgb.red()) |
                                     (static_cast<std::uint32_t>(rgb.green()) << 8U) |
                                     (static_cast<std::uint32_t>(rgb.blue()) << 16U));
}

std::int32_t DefaultSubsetColour(int subset) {
    static constexpr std::array<std::int32_t, 8> kTable = {0x00FF00, 0x0000FF, 0xFF0000, 0xFFFF00,
                                                           0xFF00FF, 0x00FFFF, 0x00C000, 0x0000C0};
    return kTable[static_cast<std::size_t>(subset < 0 ? 0 : subset) % kTable.size()];
}

double LineWidth(int style) {
    switch (style) {
    case kMediumSolid:
        return 2.0;
    case kThickSolid:
        return 3.0;
    default:
        return 1.0;
    }
}

QVector<qreal> DashPattern(int style) {
    switch (style) {
    case kDashed:
        return {6, 4};
    case kDotted:
    case kGridLine:
        return {1, 3};
    case kDashDot:
        return {6, 3, 1, 3};
    case kDashDotDot:
        return {6, 3, 1, 3, 1, 3};
    default:
        return {};
    }
}

QPen LinePen(int style, const QColor& colour, double unit) {
    QPen pen(colour, LineWidth(style) * unit);
    pen.setCapStyle(Qt::FlatCap);
    pen.setJoinStyle(Qt::RoundJoin);
    const QVector<qreal> dashes = DashPattern(style);
    if (!dashes.isEmpty())
        pen.setDashPattern(dashes);
    return pen;
}

bool DashOn(const QVector<qreal>& pattern, double width, int col) {
    if (pattern.isEmpty())
        return true;
    double period = 0;
    for (qreal d : pattern)
        period += d * width;
    double pos = std::fmod(static_cast<double>(col), period);
    for (int i = 0; i < pattern.size(); ++i) {
        pos -= pattern[i] * width;
        if (pos < 0)
            return i % 2 == 0;
    }
    return false;
}

double SymbolRadius(int symbol) {
    if (symbol <= 0 || symbol >= kSymbolCount)
        return 0;
    if (symbol <= 12)
        return 4.0;
    if (symbol <= 24)
        return 2.5;
    return 6.0;
}

void DrawSymbol(QPainter& painter, int symbol, QPointF at, const QColor& colour, double unit) {
    const double r = SymbolRadius(symbol) * unit;
    if (r <= 0)
        return;
    const int shape = (symbol - 1) % 12; // 0 plus ... 11 solid down triangle
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(QPen(colour, 1.2 * unit));
    const bool solid = shape == 3 || shape == 5 || shape == 7 || shape == 9 || shape == 11;
    painter.setBrush(solid ? QBrush(colour) : QBrush(Qt::NoBrush));
    const double x = at.x();
    const double y = at.y();
    switch (shape) {
    case 0:
        painter.drawLine(QPointF(x - r, y), QPointF(x + r, y));
        painter.drawLine(QPointF(x, y - r), QPointF(x, y + r));
        break;
    case 1:
        painter.drawLine(QPointF(x - r, y - r), QPointF(x + r, y + r));
        painter.drawLine(QPointF(x - r, y + r), QPointF(x + r, y - r));
        break;
    case 2:
    case 3:
        painter.drawEllipse(at, r, r);
        break;
    case 4:
    case 5:
        painter.drawRect(QRectF(x - r, y - r, 2 * r, 2 * r));
        break;
    case 6:
    case 7:
        painter.drawPolygon(QPolygonF(
            {QPointF(x, y - r), QPointF(x + r, y), QPointF(x, y + r), QPointF(x - r, y)}));
        break;
    case 8:
    case 9:
        painter.drawPolygon(
            QPolygonF({QPointF(x, y - r), QPointF(x + r, y + r), QPointF(x - r, y + r)}));
        break;
    default:
        painter.drawPolygon(
            QPolygonF({QPointF(x, y + r), QPointF(x + r, y - r), QPointF(x - r, y - r)}));
        break;
    }
    painter.restore();
}

Label ParseLabel(const QString& label) {
    Label result;
    if (label.size() >= 2 && label[0] == QLatin1Char('|')) {
        result.code = label[1];
        result.text = label.mid(2);
    } else {
        result.text = label;
    }
    return result;
}
} // namespace chart
