// CChartStateBlock: the chart component's exported settings, kept opaque as a byte array.
#pragma once

#include "framework/Object.h"

#include <cstdint>
#include <vector>

class CChartStateBlock : public CObject {
    KUBO_DECLARE_DYNAMIC(CChartStateBlock)
public:
    // Stored as a byte block (count, then the bytes). Empty means "no settings".
    void Serialize(CArchive& ar) override;

    [[nodiscard]] const std::vector<std::uint8_t>& GetData() const { return m_data; }
    void SetData(std::vector<std::uint8_t> data) { m_data = std::move(data); }
    [[nodiscard]] bool IsEmpty() const { return m_data.empty(); }

private:
    std::vector<std::uint8_t> m_data;
};
