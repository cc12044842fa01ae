// The Graph page's offset sliders: their ranges, steps and positions for a flight's offsets.
#pragma once

#include <cstdint>

struct SliderSetup {
    int minimum = 0;
    int maximum = 0;
    int lineStep = 1; // one arrow-key press
    int position = 0;
};

// The horizontal slider, in whole seconds: the range covers ±3600 s and 1.1 × the offset, the
// step is the sample period in whole seconds (at least 1).
[[nodiscard]] SliderSetup TimeOffsetSlider(float pendingSeconds, std::int32_t sampleRateMs);
// The vertical slider, in tenths of a metre with up positive (position −10 × offset): the range
// covers ±10000 and 1.1 × the position, the step is 10 (one metre).
[[nodiscard]] SliderSetup AltitudeOffsetSlider(float pendingMetres);
