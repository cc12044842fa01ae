// A CChartCells that records the cells written, keyed by property and index.
#pragma once

#include "chart/ChartCells.h"

#include <map>
#include <string>
#include <utility>
#include <variant>

class RecordingChart : public CChartCells {
public:
    using Value = std::variant<double, std::int32_t, std::string>;

    void SetCellDouble(int property, int index, double value) override {
        m_cells[{property, index}] = value;
    }
    void SetCellInt(int property, int index, std::int32_t value) override {
        m_cells[{property, index}] = value;
    }
    void SetCellText(int property, int index, const std::string& text) override {
        m_cells[{property, index}] = text;
    }

    [[nodiscard]] bool Has(int property, int index) const {
        return m_cells.count({property, index}) != 0;
    }
    [[nodiscard]] double Double(int property, int index) const {
        return std::get<double>(m_cells.at({property, index}));
    }
    [[nodiscard]] std::int32_t Int(int property, int index) const {
        return std::get<std::int32_t>(m_cells.at({property, index}));
    }
    [[nodiscard]] const std::string& Text(int property, int index) const {
        return std::get<std::string>(m_cells.at({property, index}));
    }
    [[nodiscard]] std::size_t Size() const { return m_cells.size(); }

private:
    std::map<std::pair<int, int>, Value> m_cells;
};
