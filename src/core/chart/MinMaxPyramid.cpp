#include "chart/MinMaxPyramid.h"

void CMinMaxPyramid::BuildLevels() {
    m_levels.clear();
    const std::size_t blocks = (m_values.size() + kBlock - 1) / kBlock;
    if (blocks == 0)
        return;
    std::vector<MinMax> level(blocks);
    for (std::size_t b = 0; b < blocks; ++b)
        level[b] = Scan(b * kBlock, std::min(m_values.size(), (b + 1) * kBlock));
    m_levels.push_back(std::move(level));
    while (m_levels.back().size() > 1) {
        const std::vector<MinMax>& below = m_levels.back();
        std::vector<MinMax> up((below.size() + 1) / 2);
        for (std::size_t i = 0; i < up.size(); ++i) {
            up[i] = below[2 * i];
            if (2 * i + 1 < below.size())
                up[i].Add(below[2 * i + 1]);
        }
        m_levels.push_back(std::move(up));
    }
}

MinMax CMinMaxPyramid::Scan(std::size_t first, std::size_t last) const {
    MinMax r;
    if (m_missing.empty()) {
        for (std::size_t i = first; i < last; ++i)
            r.Add(m_values[i]);
    } else {
        for (std::size_t i = first; i < last; ++i)
            if (!m_missing[i])
                r.Add(m_values[i]);
    }
    return r;
}

MinMax CMinMaxPyramid::Query(std::size_t first, std::size_t last) const {
    last = std::min(last, m_values.size());
    if (first >= last)
        return {};
    std::size_t b0 = (first + kBlock - 1) / kBlock; // first whole block
    std::size_t b1 = last / kBlock;                 // end of whole blocks
    if (b0 >= b1)
        return Scan(first, last);
    MinMax r = Scan(first, b0 * kBlock);
    r.Add(Scan(b1 * kBlock, last));
    // Bottom-up walk: an odd left end or an odd right end is a node that lies wholly inside.
    for (std::size_t level = 0; b0 < b1; ++level) {
        const std::vector<MinMax>& nodes = m_levels[level];
        if (b0 & 1U)
            r.Add(nodes[b0++]);
        if (b1 & 1U)
            r.Add(nodes[--b1]);
        b0 >>= 1U;
        b1 >>= 1U;
    }
    return r;
}
