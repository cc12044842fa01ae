// Decodes any bytes as a chart settings block: refusal is fine, a crash, a leak or an
// allocation beyond the block's size is not. What decodes encodes to a block that decodes and
// encodes to the same bytes again (bytes, not values: a NaN never equals itself).
#include "chart/ChartSettingsCodec.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace {
std::vector<std::uint8_t> Reencode(const std::map<int, CChartPropertyStore::Value>& values) {
    CChartPropertyStore store;
    store.ReplaceAllExcept(values, {});
    return chart::EncodeSettings(store);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto values = chart::DecodeSettings(std::span<const std::uint8_t>(data, size));
    if (!values)
        return 0;
    const std::vector<std::uint8_t> first = Reencode(*values);
    const auto again = chart::DecodeSettings(first);
    if (!again || Reencode(*again) != first)
        __builtin_trap();
    return 0;
}
