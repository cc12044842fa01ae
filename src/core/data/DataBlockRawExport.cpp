// The raw export: a flight written back in the device's line protocol.
#include "data/DataBlock.h"
#include "data/DeviceProtocol.h"

#include <cstdio>
#include <ostream>
#include <string>

namespace {
// Lines are collected up to this many bytes before they go to the stream.
constexpr std::size_t kFlushBytes = 1 << 16;

// Writes "%03d\n" lines (printf semantics: at least three digits, a sign when negative)
// through a buffer of about kFlushBytes, so that a flight's text is never held whole. The
// owner calls Flush at the end.
class LineWriter {
public:
    explicit LineWriter(std::ostream& out) : m_out(out) { m_text.reserve(kFlushBytes + 64); }
    LineWriter(const LineWriter&) = delete;
    LineWriter& operator=(const LineWriter&) = delete;

    void Number(long long value) {
        char line[32];
        const int length = std::snprintf(line, sizeof line, "%03lld\n", value);
        m_text.append(line, static_cast<std::size_t>(length));
        if (m_text.size() >= kFlushBytes)
            Flush();
    }
    void Text(const std::string& text) {
        Flush();
        m_out.write(text.data(), static_cast<std::streamsize>(text.size()));
        m_out.put('\n');
    }
    void Flush() {
        m_out.write(m_text.data(), static_cast<std::streamsize>(m_text.size()));
        m_text.clear();
    }

private:
    std::ostream& m_out;
    std::string m_text;
};

constexpr int kUnusedHeaderValue = 255;
constexpr int kUnusedHeaderCount = 7;
} // namespace

void CDataBlock::ExportRaw(std::ostream& out, int index, int total) const {
    LineWriter lines(out);
    const int rateUnits = m_nSampleRate / device::kRateUnitMs;
    if (index == 0) {
        lines.Text(m_strName);
        lines.Text(m_strDate);
        lines.Number(device::kStartMark);
        lines.Number(m_nVersion & 0xFFu);
        lines.Number(rateUnits);
        lines.Number(device::kFlightMark);
        lines.Number(total & 0xFF);
        lines.Number(0); // progress bound: not known to the export
        lines.Number(0);
        for (int i = 0; i < kUnusedHeaderCount; ++i)
            lines.Number(kUnusedHeaderValue);
        lines.Number(device::kFlightMark);
    }
    lines.Number(m_nReferenceRaw >> 8);
    lines.Number(m_nReferenceRaw & 0xFF);
    lines.Number(rateUnits);
    // The inverse of the decoder's steps; steps outside -128..127 come back modulo 256.
    unsigned previous = m_nReferenceRaw;
    for (const std::uint16_t sample : m_raw) {
        lines.Number((previous - sample) & 0xFFu);
        previous = sample;
    }
    lines.Number(device::kFlightMark);
    if (index + 1 == total)
        lines.Number(device::kEndMark);
    lines.Flush();
}
