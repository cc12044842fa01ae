// CPESciEx: the Graph page's chart — measurement markers painted over it, and navigation keys
// drawn at once.
#pragma once

#include "pages/PESci.h"

#include <functional>

class QPainter;

class CPESciEx : public CPESci {
    Q_OBJECT
public:
    // Paints the measurement markers over the chart (client coordinates).
    using MarkerPainter = std::function<void(QPainter&)>;

    using CPESci::CPESci;

    // While set, every paint ends with the marker painter (when one is given).
    void SetMarkerFlag(bool on) { m_bMarkers = on; }
    [[nodiscard]] bool GetMarkerFlag() const { return m_bMarkers; }
    void SetMarkerPainter(MarkerPainter painter) { m_markerPainter = std::move(painter); }

    // A property that holds one double (a zoom window bound): its value, 0 when it holds none
    // or several; and setting it to value alone.
    [[nodiscard]] double GetOne(int property) const;
    void SetOne(int property, double value);

protected:
    void paintEvent(QPaintEvent* event) override;
    // Z, the arrows, Page Up/Down, Home and End are handled with the key-redraw switch (2185)
    // at 1, so the component draws their effect at once, then back at 2; other keys go to the
    // component unchanged.
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool m_bMarkers = false;
    MarkerPainter m_markerPainter;
};
