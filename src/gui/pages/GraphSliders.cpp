#include "pages/GraphSliders.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {
// Truncated towards zero; values beyond the int range (only an edited project holds them) and
// NaN stop at the range's ends and 0 instead of being undefined.
int Truncate(double value) {
    if (std::isnan(value))
        return 0;
    constexpr double lo = std::numeric_limits<int>::min();
    constexpr double hi = std::numeric_limits<int>::max();
    return static_cast<int>(std::trunc(std::clamp(value, lo, hi)));
}

SliderSetup Setup(double value, int bound, int lineStep) {
    const int widened = Truncate(1.1 * value);
    return {std::min(widened, -bound), std::max(widened, bound), lineStep, Truncate(value)};
}
} // namespace

SliderSetup TimeOffsetSlider(float pendingSeconds, std::int32_t sampleRateMs) {
    return Setup(pendingSeconds, 3600, std::max(sampleRateMs / 1000, 1));
}

SliderSetup AltitudeOffsetSlider(float pendingMetres) {
    return Setup(-10.0 * static_cast<double>(pendingMetres), 10000, 10);
}
