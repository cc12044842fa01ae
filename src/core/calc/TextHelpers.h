// Short texts for times and measured values: rounding, "1 min 2.5 sec", typed durations.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// value rounded to a multiple of 1/steps, halves away from zero: RoundTo(2.25, 10) is 2.3 as
// far as the binary value allows. steps × value is truncated to 32 bits; beyond that range it
// saturates (and a NaN gives 0) instead of being undefined.
[[nodiscard]] double RoundTo(double value, std::int32_t steps);
// The same in single precision: the division is by steps converted to float.
[[nodiscard]] float RoundTo(float value, std::int32_t steps);

// "%s%d min %.1f sec" with the sign ("-" or nothing), whole minutes and the remaining seconds
// when the magnitude is above 60 s, else "%s%.1f sec". No hours: 7322.5 gives
// "122 min 2.5 sec". The decimal point is '.' whatever the C locale.
[[nodiscard]] std::string FormatSeconds(double seconds);

// Seconds of a duration text such as "1h 30m", "1.5 min", "250 ms" or "-1 min 30.0 sec"
// (units d, h, m/min, s, ms/mili, us/micro; a last number without a unit is seconds).
// errorIndex, when given, receives -1 on success or the index, counted from the character
// after an optional leading "-", of the character where parsing stopped; the value gathered
// up to there is returned.
[[nodiscard]] double ParseDuration(std::string_view text, std::int32_t* errorIndex = nullptr);
