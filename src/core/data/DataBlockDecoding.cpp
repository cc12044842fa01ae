// The flight's side of transmission decoding: flight blocks into raw samples and data markers.
#include "data/Annotation.h"
#include "data/DataBlock.h"
#include "data/DeviceProtocol.h"
#include "data/RecordDocument.h"

namespace {
// Raw array positions while decoding: reference high byte, low byte, rate; samples follow.
constexpr std::size_t kFlightHeaderSize = 3;
constexpr std::int32_t kEmptyFlightRateMs = 1000;
} // namespace

int CDataBlock::DecodeBytes(const std::uint8_t* values, std::size_t& remaining) {
    std::vector<std::uint16_t>& raw = m_raw;
    while (remaining > 0) {
        const std::uint8_t v = *values;
        const std::size_t count = raw.size();
        if (v == device::kFlightMark) {
            if (count > 0)
                return 1;
            ++values;
            --remaining;
            continue;
        }
        // A marker needs a sample before it; "count >= 4" is one sample after the header.
        if (v == device::kMarkerFirst && count > kFlightHeaderSize) {
            if (remaining < 2)
                return 0;
            if (values[1] == device::kMarkerSecond) {
                // Computed in double: rate × index can exceed 32 bits on long flights.
                const double time = static_cast<double>(m_nSampleRate) *
                                    static_cast<double>(count - kFlightHeaderSize - 1) * 0.001;
                const int number = static_cast<int>(m_annotations.GetCount()) + 1;
                AppendAnnotation(CAnnotation::MakeDataMarker(this, number, time));
                values += 2;
                remaining -= 2;
                continue;
            }
        }
        if (count >= kFlightHeaderSize) {
            const std::uint16_t previous =
                count == kFlightHeaderSize ? m_nReferenceRaw : raw.back();
            const auto step = static_cast<std::int8_t>(v);
            raw.push_back(static_cast<std::uint16_t>(previous - step));
        } else {
            raw.push_back(v);
            if (count == kFlightHeaderSize - 1) {
                m_nReferenceRaw = static_cast<std::uint16_t>(raw[0] * 256 + raw[1]);
                m_nSampleRate = static_cast<std::int32_t>(raw[2]) * device::kRateUnitMs;
            }
        }
        ++values;
        --remaining;
    }
    return 0;
}

void CDataBlock::FinishDecoding(const std::array<std::uint8_t, 14>& header, int index) {
    // Set directly: finishing a read is not a user edit and must not mark the document.
    m_strName = "Flight " + std::to_string(index + 1);
    m_nVersion = header[1];
    if (const CRecordDocument* doc = GetDocument()) {
        m_strAltitudeFormula = doc->GetDefaultAltitudeFormula();
        m_strPressureFormula = doc->GetDefaultPressureFormula();
    }
    if (m_raw.size() < kFlightHeaderSize) {
        m_nReferenceRaw = 0;
        m_nSampleRate = kEmptyFlightRateMs;
        m_raw.clear();
    } else {
        m_raw.erase(m_raw.begin(), m_raw.begin() + kFlightHeaderSize);
    }
    // A flight without samples keeps no array (a device may send very many of them).
    if (m_raw.empty())
        std::vector<std::uint16_t>().swap(m_raw);
}
