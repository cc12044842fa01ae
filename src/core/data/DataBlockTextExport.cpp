// The translated text export of a flight, and the per-flight entry point of both text exports.
#include "data/DataBlock.h"
#include "data/SampleTranslation.h"
#include "data/TextNumbers.h"

#include <cstdint>
#include <cstring>
#include <memory>
#include <ostream>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr std::string_view kRule = "#############################################\n";
constexpr std::string_view kColumns = "# Time (sec)\tAltitude\tPressure\tRaw value\n";
constexpr std::string_view kErrorPrefix = "evaluation error ! ";
constexpr std::size_t kRawValues = 65536;
// The text goes to the stream in pieces of about this size: few writes, bounded memory.
constexpr std::size_t kBufferBytes = std::size_t{1} << 20;
// Room for any row: four numbers and their separators.
constexpr std::size_t kRowMaxChars = 4 * (kNumberMaxChars + 1);

// The export's text, collected in one buffer that goes to the stream when full.
class TextBuffer {
public:
    explicit TextBuffer(std::ostream& out)
        : m_out(out), m_buffer(std::make_unique_for_overwrite<char[]>(kBufferBytes)),
          m_end(m_buffer.get()) {}

    // Where at least `bytes` (at most kBufferBytes) may be written; Advance to the end of
    // what was.
    char* Room(std::size_t bytes) {
        if (kBufferBytes - Used() < bytes)
            Flush();
        return m_end;
    }
    void Advance(char* end) { m_end = end; }

    void Text(std::string_view text) {
        if (text.size() > kBufferBytes - Used()) {
            Flush();
            if (text.size() > kBufferBytes) {
                m_out.write(text.data(), static_cast<std::streamsize>(text.size()));
                return;
            }
        }
        std::memcpy(m_end, text.data(), text.size());
        m_end += text.size();
    }
    void General(double value) { m_end = WriteGeneral(Room(kNumberMaxChars), value); }
    void Integer(long long value) { m_end = WriteInteger(Room(kNumberMaxChars), value); }

    void Flush() {
        m_out.write(m_buffer.get(), static_cast<std::streamsize>(Used()));
        m_end = m_buffer.get();
    }

private:
    [[nodiscard]] std::size_t Used() const {
        return static_cast<std::size_t>(m_end - m_buffer.get());
    }

    std::ostream& m_out;
    std::unique_ptr<char[]> m_buffer;
    char* m_end;
};

// "\t<altitude>\t<pressure>\t<raw>\n", the row after its time, formatted once for each raw
// value whose results are valid, from results that depend on the raw value alone.
class RowEndings {
public:
    static constexpr std::uint32_t kNone = UINT32_MAX;

    explicit RowEndings(std::span<const TranslatedSample> byRawValue) : m_slot(kRawValues, kNone) {
        std::uint32_t count = 0;
        for (const TranslatedSample& s : byRawValue)
            count += s.valid ? 1 : 0;
        m_text.resize(std::size_t{count} * kSlotBytes);
        std::uint32_t next = 0;
        for (std::size_t v = 0; v < kRawValues; ++v) {
            if (!byRawValue[v].valid)
                continue;
            char row[kRowMaxChars];
            char* end = row;
            *end++ = '\t';
            end = WriteGeneral(end, byRawValue[v].altitude);
            *end++ = '\t';
            end = WriteGeneral(end, byRawValue[v].pressure);
            *end++ = '\t';
            end = WriteInteger(end, static_cast<long long>(v));
            *end++ = '\n';
            char* slot = m_text.data() + std::size_t{next} * kSlotBytes;
            std::memcpy(slot, row, static_cast<std::size_t>(end - row));
            slot[kSlotBytes - 1] = static_cast<char>(end - row);
            m_slot[v] = next++;
        }
    }

    // Writes the row ending of raw at out, which has room for kSlotBytes; returns its end, or
    // null when raw's results are not valid.
    char* Write(char* out, std::uint16_t raw) const {
        const std::uint32_t slot = m_slot[raw];
        if (slot == kNone)
            return nullptr;
        const char* text = m_text.data() + std::size_t{slot} * kSlotBytes;
        std::memcpy(out, text, kSlotBytes); // a fixed size copies fastest
        return out + static_cast<unsigned char>(text[kSlotBytes - 1]);
    }

    // The longest row ending is 35 characters ("\t-1.23457e-308" twice, "\t65535\n"); the
    // last byte of a slot holds its length.
    static constexpr std::size_t kSlotBytes = 40;

private:
    std::vector<std::uint32_t> m_slot; // by raw value, kNone where not valid
    std::vector<char> m_text;
};
} // namespace

void CDataBlock::ExportText(std::ostream& out, TextExport kind, int index, int total) const {
    if (kind == TextExport::Translated)
        ExportTranslated(out);
    else
        ExportRaw(out, index, total);
}

void CDataBlock::ExportTranslated(std::ostream& out) const {
    TextBuffer text(out);
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
    // nor the text of a whole flight are ever held at once. rate x index is formed in 64 bits,
    // so that long flights at slow rates do not overflow.
    double referencePressure = 0.0;
    bool headerWritten = false;
    const auto startRows = [&] {
        if (!headerWritten) {
            header(true, referencePressure);
            headerWritten = true;
        }
    };
    const std::int64_t rate = m_nSampleRate;
    const SampleTranslationInput input{m_strPressureFormula, m_strAltitudeFormula, m_nReferenceRaw,
                                       m_raw};
    const auto shared = [&](std::span<const TranslatedSample> byRawValue) {
        startRows();
        const RowEndings endings(byRawValue);
        CSecondsCounter seconds(m_nSampleRate);
        for (const std::uint16_t raw : m_raw) {
            char* const row = text.Room(kNumberMaxChars + RowEndings::kSlotBytes);
            char* const end = endings.Write(seconds.WriteNext(row), raw);
            if (end)
                text.Advance(end);
        }
    };
    const auto sequential = [&](std::size_t first, std::span<const TranslatedSample> block) {
        startRows();
        for (std::size_t k = 0; k < block.size(); ++k) {
            const TranslatedSample& sample = block[k];
            if (!sample.valid)
                continue;
            const std::size_t i = first + k;
            char* p = text.Room(kRowMaxChars);
            p = WriteSeconds(p, rate * static_cast<std::int64_t>(i));
            *p++ = '\t';
            p = WriteGeneral(p, sample.altitude);
            *p++ = '\t';
            p = WriteGeneral(p, sample.pressure);
            *p++ = '\t';
            p = WriteInteger(p, m_raw[i]);
            *p++ = '\n';
            text.Advance(p);
        }
    };
    const bool translated = ::EvaluateSamples(input, referencePressure, shared, sequential);
    if (!translated) {
        header(false, 0.0);
        text.Flush();
        return;
    }
    startRows();
    text.Text("\n\n");
    text.Flush();
}
