// Synthetic subsets for the chart tests.
#pragma once

#include "chart/ChartComponent.h"
#include "chart/ChartPropertyIds.h"

#include <cstdint>
#include <random>
#include <vector>

namespace charttest {
// A random walk of n points at x = 0, 1, 2, ...
inline std::vector<float> RandomWalk(std::size_t n, std::uint32_t seed) {
    std::mt19937 rng(seed);
    std::normal_distribution<float> step(0.0f, 1.0f);
    std::vector<float> y(n);
    float v = 0;
    for (float& p : y) {
        v += step(rng);
        p = v;
    }
    return y;
}

// Puts subsets (all of the same length) into chart at x = 0, 1, 2, ... and reinitialises.
inline void SetSubsets(ChartComponent& chart, const std::vector<std::vector<float>>& ys) {
    const std::size_t n = ys.empty() ? 0 : ys.front().size();
    std::vector<float> x, y;
    for (const auto& subset : ys) {
        for (std::size_t i = 0; i < n; ++i) {
            x.push_back(static_cast<float>(i));
            y.push_back(subset[i]);
        }
    }
    chart.SetInt(chart::kSubsetCount, static_cast<int>(ys.size()));
    chart.SetInt(chart::kPointsPerSubset, static_cast<int>(n));
    chart.SetVector(chart::kXData, std::span<const float>(x));
    chart.SetVector(chart::kYData, std::span<const float>(y));
    const double null = chart::kDefaultNullValue;
    chart.SetVector(chart::kNullYValue, std::span<const double>(&null, 1));
    chart.SetVector(chart::kNullXValue, std::span<const double>(&null, 1));
    chart.Reinitialize();
}

inline double GetDouble(const ChartComponent& chart, int id) {
    double v = 0;
    if (chart.GetVector(id, nullptr) != 1)
        return -1e300;
    static_cast<void>(chart.GetVector(id, &v));
    return v;
}
} // namespace charttest
