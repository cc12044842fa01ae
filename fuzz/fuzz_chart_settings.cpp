// Decodes any bytes as a chart settings block: refusal is fine, a crash, a leak or an
// allocation beyond the block's size is not. What decodes survives an encode and decode.
#include "chart/ChartSettingsCodec.h"

#include <cstddef>
#include <cstdint>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto values = chart::DecodeSettings(std::span<const std::uint8_t>(data, size));
    if (!values)
        return 0;
    CChartPropertyStore store;
    store.ReplaceAllExcept(*values, {});
    const auto again = chart::DecodeSettings(chart::EncodeSettings(store));
    if (!again || *again != *values)
        __builtin_trap();
    return 0;
}
