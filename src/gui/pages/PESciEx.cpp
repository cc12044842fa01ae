#include "pages/PESciEx.h"

#include "chart/ChartPropertyIds.h"

#include <QKeyEvent>
#include <QPainter>

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
