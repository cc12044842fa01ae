// CPESci: the scientific-graph chart (object type 304) that draws the flights.
#pragma once

#include "pages/PEChart.h"

class CPESci : public CPEChart {
    Q_OBJECT
public:
    static constexpr int kObjectType = 304;

    using CPEChart::CPEChart;
    [[nodiscard]] int GetObjectType() const override { return kObjectType; }
};
