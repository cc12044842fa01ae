// The marks of the altimeter's value stream, shared by the decoder and the raw export.
#pragma once

#include <cstdint>

namespace device {
inline constexpr std::uint8_t kStartMark = 126;   // starts the transmission header
inline constexpr std::uint8_t kFlightMark = 127;  // starts a flight block and ends the one before
inline constexpr std::uint8_t kEndMark = 128;     // ends the transmission
inline constexpr std::uint8_t kMarkerFirst = 226; // 226 followed by 30 is a data marker
inline constexpr std::uint8_t kMarkerSecond = 30;
inline constexpr std::int32_t kRateUnitMs = 100; // the header's rate counts tenths of a second
} // namespace device
