// CMinMaxPyramid: block minima and maxima of a float series, for range queries in O(log n).
#pragma once

#include <cstddef>
#include <limits>
#include <span>
#include <vector>

struct MinMax {
    float min = std::numeric_limits<float>::infinity();
    float max = -std::numeric_limits<float>::infinity();
    [[nodiscard]] bool Empty() const { return min > max; }
    void Add(float v) {
        if (v < min)
            min = v;
        if (v > max)
            max = v;
    }
    void Add(const MinMax& o) {
        if (o.min < min)
            min = o.min;
        if (o.max > max)
            max = o.max;
    }
};

class CMinMaxPyramid {
public:
    // Level 0 holds blocks of kBlock values; each further level merges pairs of the one below.
    static constexpr std::size_t kBlock = 32;

    CMinMaxPyramid() = default;
    // values must outlive the pyramid (it keeps the span); isMissing(i) excludes value i.
    template <typename IsMissing>
    void Build(std::span<const float> values, IsMissing isMissing);

    // Minimum and maximum of values[first, last) without missing ones; empty when none.
    [[nodiscard]] MinMax Query(std::size_t first, std::size_t last) const;

    [[nodiscard]] std::size_t Size() const { return m_values.size(); }

private:
    void BuildLevels();
    [[nodiscard]] MinMax Scan(std::size_t first, std::size_t last) const;

    std::span<const float> m_values;
    std::vector<bool> m_missing; // empty when nothing is missing
    std::vector<std::vector<MinMax>> m_levels;
};

template <typename IsMissing>
void CMinMaxPyramid::Build(std::span<const float> values, IsMissing isMissing) {
    m_values = values;
    m_missing.clear();
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (isMissing(i)) {
            if (m_missing.empty())
                m_missing.assign(values.size(), false);
            m_missing[i] = true;
        }
    }
    BuildLevels();
}
