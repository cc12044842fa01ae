// The translated text export of a flight, and the per-flight entry point of both text exports.
#include "data/DataBlock.h"
#include "data/SampleTranslation.h"

#include <charconv>
#include <cstdint>
#include <ostream>
#include <span>
#include <string>
#include <string_view>

namespace {

constexpr std::string_view kRule = "#############################################\n";
constexpr std::string_view kColumns = "# Time (sec)\tAltitude\tPressure\tRaw value\n";
constexpr std::string_view kErrorPrefix = "evaluation error ! ";
// Rows are collected up to this many bytes before they go to the stream.
constexpr std::size_t kFlushBytes = 1 << 16;

// Appends numbers the way printf writes them in the "C" locale, whatever the process locale:
// %g (6 significant digits, trailing zeros dropped, exponent form outside 1e-4 ... 1e6, the sign
// of -0 and the "nan"/"inf" spellings kept) and %d.
class TextBuilder {
public:
    void General(double value) {
        char buffer[32];
        const auto result =
            std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 6);
        m_text.append(buffer, result.ptr);
    }
    void Integer(long long value) {
        char buffer[24];
        const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
        m_text.append(buffer, result.ptr);
    }
    void Text(std::string_view text) { m_text += text; }
    void Char(char c) { m_text += c; }

    [[nodiscard]] std::size_t Size() const { return m_text.size(); }
    void FlushTo(std::ostream& out) {
        out.write(m_text.data(), static_cast<std::streamsize>(m_text.size()));
        m_text.clear();
    }

private:
    std::string m_text;
};
} // namespace

void CDataBlock::ExportText(std::ostream& out, TextExport kind, int index, int total) const {
    if (kind == TextExport::Translated)
        ExportTranslated(out);
    else
        ExportRaw(out, index, total);
}

void CDataBlock::ExportTranslated(std::ostream& out) const {
    TextBuilder text;
    // The printed integers are the stored 32-bit fields read as signed, as %d reads them.
    const auto header = [&](bool translated, double referencePressure) {
        text.Text(kRule);
        text.Text("# Name:        ");
        text.Text(m_strName);
        text.Text("\n# Date:        ");
        text.Text(m_strDate);
        text.Text("\n# Version:     ");
        text.Integer(static_cast<std::int32_t>(m_nVersion));
        text.Text("\n# Ref. Press:  ");
        if (!translated)
            text.Text(kErrorPrefix);
        text.General(referencePressure);
        text.Text(" (raw: ");
        text.Integer(m_nReferenceRaw);
        text.Text(")\n# Sample Rate: ");
        text.Integer(m_nSampleRate);
        text.Text(" ms\n# Data Count:  ");
        text.Integer(static_cast<std::int32_t>(m_raw.size()));
        text.Text("\n# Altitude:    ");
        text.Text(m_strAltitudeFormula);
        text.Text("\n# Pressure:    ");
        text.Text(m_strPressureFormula);
        text.Text("\n\n");
        if (translated)
            text.Text(kColumns);
    };

    // The rows are written block by block as the samples are evaluated: neither the results
    // nor the text of a whole flight are ever held at once.
    double referencePressure = 0.0;
    bool headerWritten = false;
    const SampleTranslationInput input{m_strPressureFormula, m_strAltitudeFormula, m_nReferenceRaw,
                                       m_raw};
    const bool translated = ::EvaluateSamples(
        input, referencePressure, [&](std::size_t first, std::span<const TranslatedSample> block) {
            if (!headerWritten) {
                header(true, referencePressure);
                headerWritten = true;
            }
            for (std::size_t k = 0; k < block.size(); ++k) {
                const TranslatedSample& sample = block[k];
                if (!sample.valid)
                    continue;
                const std::size_t i = first + k;
                // rate × i in 64 bits, so that long flights at slow rates do not overflow.
                const auto ms =
                    static_cast<std::int64_t>(m_nSampleRate) * static_cast<std::int64_t>(i);
                text.General(static_cast<double>(ms) * 0.001);
                text.Char('\t');
                text.General(sample.altitude);
                text.Char('\t');
                text.General(sample.pressure);
                text.Char('\t');
                text.Integer(m_raw[i]);
                text.Char('\n');
                if (text.Size() >= kFlushBytes)
                    text.FlushTo(out);
            }
        });
    if (!translated) {
        header(false, 0.0);
        text.FlushTo(out);
        return;
    }
    if (!headerWritten)
        header(true, referencePressure);
    text.Text("\n\n");
    text.FlushTo(out);
}
