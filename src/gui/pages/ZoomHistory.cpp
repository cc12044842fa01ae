#include "pages/ZoomHistory.h"

void CZoomHistory::Record(Window window) {
    if (m_level < kCapacity)
        m_windows[static_cast<std::size_t>(m_level++)] = window;
}

std::optional<CZoomHistory::Window> CZoomHistory::StepBack() {
    if (m_level <= 1) {
        m_level = 0;
        return std::nullopt;
    }
    --m_level;
    return m_windows[static_cast<std::size_t>(m_level - 1)];
}

void CZoomHistory::Scale(double factor) {
    for (Window& window : m_windows) {
        window.first *= factor;
        window.second *= factor;
    }
}
