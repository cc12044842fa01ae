// CZoomHistory: the x windows the user zoomed from, for Zoom Out.
#pragma once

#include <array>
#include <optional>
#include <utility>

class CZoomHistory {
public:
    static constexpr int kCapacity = 50;
    using Window = std::pair<double, double>; // x minimum, maximum in time-axis units

    [[nodiscard]] int Level() const { return m_level; }
    // Remembers the window a zoom left; once full, further zooms are not recorded.
    void Record(Window window);
    // One step back: the window to show again, or nullopt when the whole data should be shown
    // (at level 1 or 0, which empties the history).
    [[nodiscard]] std::optional<Window> StepBack();
    void Clear() { m_level = 0; }
    // The time axis changed unit: every recorded window is multiplied by factor.
    void Scale(double factor);

private:
    std::array<Window, kCapacity> m_windows{};
    int m_level = 0;
};
