#include "pages/PESciEx.h"

#include "chart/ChartPropertyIds.h"

#include <QKeyEvent>
#include <QPainter>

#include <span>

namespace {
// The key-redraw switch: 1 while the component handles a navigation key, 2 otherwise.
constexpr int kRedrawNow = 1;
constexpr int kRedrawQueued = 2;

bool IsNavigationKey(int key) {
    switch (key) {
    case Qt::Key_Z:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_End:
    case Qt::Key_Home:
        return true;
    default:
        return false;
    }
}
} // namespace

double CPESciEx::GetOne(int property) const {
    double value = 0;
    if (GetVector(property, nullptr) == 1)
        static_cast<void>(GetVector(property, &value));
    return value;
}

void CPESciEx::SetOne(int property, double value) {
    SetVector(property, std::span<const double>(&value, 1));
}

void CPESciEx::paintEvent(QPaintEvent* event) {
    CPESci::paintEvent(event);
    if (m_bMarkers && m_markerPainter) {
        QPainter painter(this);
        m_markerPainter(painter);
    }
}

void CPESciEx::keyPressEvent(QKeyEvent* event) {
    if (!IsNavigationKey(event->key())) {
        CPESci::keyPressEvent(event);
        return;
    }
    SetInt(chart::kKeyRedraw, kRedrawNow);
    CPESci::keyPressEvent(event);
    SetInt(chart::kKeyRedraw, kRedrawQueued);
}
