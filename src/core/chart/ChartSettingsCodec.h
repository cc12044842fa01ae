// The versioned binary form of the chart's settings (every property but the bulk x/y data).
#pragma once

#include "chart/ChartPropertyStore.h"

#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <vector>

namespace chart {
// Layout (little-endian): "KBCS", u16 version (1), u32 property count, then per property in
// ascending id order: i32 id, u8 kind, payload. Payloads: Int i32; Text u32 length + UTF-8
// bytes; Doubles/Floats/Ints u32 count + items (f64/f32/i32); Texts u32 count + Texts.
[[nodiscard]] std::vector<std::uint8_t> EncodeSettings(const CChartPropertyStore& store);

// The properties of a block, or nullopt when it is malformed, truncated, of an unknown version
// or carries the bulk data ids or a known id in the wrong kind. Never reads past the block and
// never allocates more than the block's size justifies.
[[nodiscard]] std::optional<std::map<int, CChartPropertyStore::Value>>
DecodeSettings(std::span<const std::uint8_t> block);

inline constexpr std::uint16_t kSettingsVersion = 1;
} // namespace chart
