// CPEChart: the chart component as the pages hold it — settings blocks in and out, and the
// right button turned into a context-menu request to the holder.
#pragma once

#include "chart/ChartComponent.h"

#include <cstdint>
#include <vector>

// The component's right-button press never reaches the chart's own handling: it is reported by
// contextMenuRequested with the point in screen coordinates, which the page connects to.
class CPEChart : public ChartComponent {
    Q_OBJECT
public:
    using ChartComponent::ChartComponent;

    // The component's object type (304 for the scientific graph).
    [[nodiscard]] virtual int GetObjectType() const = 0;

    // The settings (every property but the bulk data) into state; true on success.
    bool ExportState(std::vector<std::uint8_t>& state) const;
    // An empty state imports nothing and answers 0; otherwise 1 when the block was taken and 0
    // when it was refused (malformed or of another version), the chart unchanged.
    int ImportState(const std::vector<std::uint8_t>& state);
};
