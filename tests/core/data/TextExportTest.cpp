#include "data/DataBlock.h"
#include "shell/MainDoc.h"
#include "support/AllocationLimit.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdio>
#include <random>
#include <sstream>
#include <streambuf>

namespace {

// Formulas whose values are easy to work out by hand: PA = X / 10, altitude = (PA - PR) × 100.
std::unique_ptr<CDataBlock> MakeFlight(std::vector<std::uint16_t> samples,
                                       std::uint16_t reference = 100, int rate = 250) {
    auto made = std::make_unique<CDataBlock>();
    CDataBlock& flight = *made;
    flight.SetName("Hang \xC3\xBC"
                   "ber Tal",
                   false, nullptr); // UTF-8 passes through unchanged
    flight.SetDate("06.12.2026 17:10");
    flight.SetVersion(7);
    flight.SetReferenceRaw(reference);
    flight.SetSampleRate(rate);
    flight.SetPressureFormula("X/10");
    flight.SetAltitudeFormula("(PA-PR)*100");
    flight.GetRawSamples() = std::move(samples);
    return made;
}

std::string Header(const CDataBlock& flight, const std::string& referencePressure) {
    return "#############################################\n"
           "# Name:        " +
           flight.GetName() + "\n# Date:        " + flight.GetDate() +
           "\n# Version:     " + std::to_string(flight.GetVersion()) +
           "\n# Ref. Press:  " + referencePressure +
           " (raw: " + std::to_string(flight.GetReferenceRaw()) +
           ")\n# Sample Rate: " + std::to_string(flight.GetSampleRate()) +
           " ms\n# Data Count:  " + std::to_string(flight.GetRawSamples().size()) +
           "\n# Altitude:    " + flight.GetAltitudeFormula() +
           "\n# Pressure:    " + flight.GetPressureFormula() + "\n\n";
}

constexpr const char* kColumns = "# Time (sec)\tAltitude\tPressure\tRaw value\n";

template <class... Args>
std::string Printf(const char* format, Args... args) {
    char text[160];
    std::snprintf(text, sizeof text, format, args...);
    return text;
}

// %g of value as glibc writes it, which the export writes on every platform (Windows' C
// library drops the sign of a NaN).
std::string G(double value) {
    if (std::isnan(value))
        return std::signbit(value) ? "-nan" : "nan";
    return Printf("%g", value);
}

std::string Translated(const CDataBlock& flight) {
    std::ostringstream out;
    flight.ExportTranslated(out);
    return out.str();
}

// Output that is only measured: its length and a hash of its bytes.
class MeasuringSink final : public std::streambuf {
public:
    std::size_t size = 0;
    std::uint64_t hash = 1469598103934665603u;

protected:
    std::streamsize xsputn(const char* data, std::streamsize n) override {
        for (std::streamsize i = 0; i < n; ++i)
            Take(data[i]);
        return n;
    }
    int_type overflow(int_type c) override {
        if (!traits_type::eq_int_type(c, traits_type::eof()))
            Take(traits_type::to_char_type(c));
        return traits_type::not_eof(c);
    }

private:
    void Take(char c) {
        ++size;
        hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211u;
    }
};

} // namespace

// Whole exports of short flights: the header with the reference pressure, the columns, and a
// row per sample in printf's general form (six significant digits, trailing zeros dropped,
// exponent form for large and small values). A sample whose altitude fails is left out; a
// reference pressure that fails leaves the marked header alone.
TEST(TranslatedExport, HeaderAndRowsAsPrintfWritesThem) {
    struct Case {
        const char* what;
        std::vector<std::uint16_t> samples;
        std::uint16_t reference;
        int rate;
        std::string pressure;
        std::string altitude;
        const char* referencePressure;
        const char* rows; // nullptr: no column line either
    };
    const std::string pa = "(PA-PR)*100";
    const std::string failed = "evaluation error ! 0";
    // clang-format off
    const Case cases[] = {
        {"by hand", {100, 90, 125}, 100, 250, "X/10", pa, "10",
         "0\t0\t10\t100\n0.25\t-100\t9\t90\n0.5\t250\t12.5\t125\n"},
        {"general form", {1, 3, 65535}, 7, 100000, "X/7", "PA*PA*1000000", "1",
         "0\t20408.2\t0.142857\t1\n100\t183673\t0.428571\t3\n200\t8.76497e+13\t9362.14\t65535\n"},
        {"small values", {1, 12000}, 7, 100000, "X/1000000000", "PA", "7e-09",
         "0\t1e-09\t1e-09\t1\n100\t1.2e-05\t1.2e-05\t12000\n"},
        {"default formulas keep the sign of zero", {300}, 300, 1000,
         CMainDoc::kBuiltInPressureFormula, CMainDoc::kBuiltInAltitudeFormula, "12.5901",
         "0\t-0\t12.5901\t300\n"},
        {"altitude fails where the sample is the reference", {100, 50, 100, 200}, 100, 250, "X/10",
         "100/(PA-PR)", "10", "0.25\t-20\t5\t50\n0.75\t10\t20\t200\n"},
        {"empty flight", {}, 100, 250, "X/10", pa, "10", ""},
        {"reference pressure fails", {90, 110}, 100, 250, "1/(X-100)", pa, failed.c_str(), nullptr},
        {"no pressure formula", {90, 110}, 100, 250, "", pa, failed.c_str(), nullptr},
        // A formula too long to evaluate (a loaded project's) is kept, and its translation fails.
        {"overlong pressure formula", {90, 110}, 100, 250, std::string(5000, '1'), pa,
         failed.c_str(), nullptr},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const auto made = MakeFlight(c.samples, c.reference, c.rate);
        CDataBlock& flight = *made;
        flight.SetPressureFormula(c.pressure);
        flight.SetAltitudeFormula(c.altitude);
        const std::string rows = c.rows ? kColumns + std::string(c.rows) + "\n\n" : "";
        EXPECT_EQ(Translated(flight), Header(flight, c.referencePressure) + rows);
    }

    // rate × index beyond 32 bits still gives the right time.
    const auto slow = MakeFlight(std::vector<std::uint16_t>(3, 100), 100, 2000000000);
    const std::string text = Translated(*slow);
    EXPECT_NE(text.find("\n4e+06\t0\t10\t100\n\n\n"), std::string::npos) << text;
}

// The rows of the export against the straightforward formatting, printf's, of the
// interpreter's results: flights long enough for the shared tables and short, formulas that
// carry state between samples, fail, or give -0, infinities, NaN, huge and tiny values, at
// regular and unusual sample rates. Offsets never reach the export.
TEST(TranslatedExport, RowsAsPrintfWritesTheInterpretersResults) {
    struct Pair {
        const char* pressure;
        const char* altitude;
    };
    const Pair pairs[] = {
        {CMainDoc::kBuiltInPressureFormula, CMainDoc::kBuiltInAltitudeFormula},
        {"p=X/147.456; p+10.555555", "r=PA/PR; ln(r) * (-29.153) * 293"},
        {"X/10", "s=PR; PR=PA; (PA-s)*100"},
        {"X/10", "PR=PR+(PA-PR)/1000; (PA-PR)*100"},
        {"X/10", "100/(PA-PR)"},
        {"X-40000", "sqrt(PA)*ln(PA)"},
        {"X*1e300", "PA*PA"},
        {"X*1e-320", "PA/1e10"},
        {"X/0.7", "(PA-PR)*1e-7"},
    };
    const std::int32_t rates[] = {100, 1, 333, 2'000'000'000, -250};
    const std::size_t lengths[] = {0, 1, 700, 5000};
    std::mt19937 random(15);
    for (const Pair& pair : pairs) {
        for (const std::size_t length : lengths) {
            std::vector<std::uint16_t> samples(length);
            for (std::uint16_t& v : samples)
                v = static_cast<std::uint16_t>(40000 + random() % 400);
            const std::int32_t rate = rates[random() % std::size(rates)];
            const auto made = MakeFlight(samples, 40100, rate);
            CDataBlock& flight = *made;
            flight.SetPressureFormula(pair.pressure);
            flight.SetAltitudeFormula(pair.altitude);
            flight.SetPendingOffset(true, 12.5f, -30.0f);
            flight.ApplyOffset(1.0f, 2.0f);

            double reference = 0.0;
            std::vector<TranslatedSample> results;
            const SampleTranslationInput input{pair.pressure, pair.altitude, 40100, samples};
            ASSERT_TRUE(
                ::EvaluateSamples(input, reference, results, TranslationMethod::kInterpreted));
            std::string expected = Header(flight, Printf("%g", reference)) + kColumns;
            for (std::size_t i = 0; i < length; ++i)
                if (results[i].valid)
                    expected +=
                        G(static_cast<double>(std::int64_t{rate} * static_cast<std::int64_t>(i)) *
                          0.001) +
                        "\t" + G(results[i].altitude) + "\t" + G(results[i].pressure) + "\t" +
                        std::to_string(samples[i]) + "\n";
            ASSERT_EQ(Translated(flight), expected + "\n\n")
                << pair.pressure << " | " << pair.altitude << ", " << length << " samples";
        }
    }
}

// The raw export built a flight's whole text in one string and the translated export held
// every sample's results: a large flight ran out of memory. Both stream, so no allocation
// grows with the flight, and the bytes are those of an export without the limit.
TEST(TextExport, LargeFlightsExportWithinBoundedMemory) {
    const auto made = MakeFlight(std::vector<std::uint16_t>(1'000'000, 123));
    for (std::uint16_t& v : made->GetRawSamples())
        v = static_cast<std::uint16_t>(100 + (&v - made->GetRawSamples().data()) % 400);
    for (const TextExport command : {TextExport::Raw, TextExport::Translated}) {
        MeasuringSink free, limited;
        std::ostream freeOut(&free), limitedOut(&limited);
        made->ExportText(freeOut, command, 0, 1);
        {
            AllocationLimit limit(2u << 20); // the export's text is twice that, and more
            EXPECT_NO_THROW(made->ExportText(limitedOut, command, 0, 1))
                << static_cast<int>(command);
        }
        EXPECT_GT(free.size, 4'000'000u);
        EXPECT_EQ(limited.size, free.size) << static_cast<int>(command);
        EXPECT_EQ(limited.hash, free.hash) << static_cast<int>(command);
    }
}

TEST(TranslatedExport, LeavesTheTranslationCachesAlone) {
    const auto made = MakeFlight({100, 90});
    CDataBlock& flight = *made;
    std::vector<float> time, altitude;
    ASSERT_EQ(flight.GetDisplayData(time, altitude, false), 2u);
    flight.SetAltitudeFormula("(PA-PR)*10");
    (void)Translated(flight);
    EXPECT_DOUBLE_EQ(flight.GetMaxAltitude(), 0.0); // the old translation's maximum
    ASSERT_EQ(flight.GetDisplayData(time, altitude, false), 2u);
    EXPECT_FLOAT_EQ(altitude[1], -10.0f);
}

TEST(TranslatedExport, DoesNotDependOnTheNumericLocale) {
    const char* previous = std::setlocale(LC_NUMERIC, nullptr);
    const std::string saved = previous ? previous : "C";
    if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8") && !std::setlocale(LC_NUMERIC, "fr_FR.UTF-8"))
        GTEST_SKIP() << "no locale with a decimal comma installed";
    const auto made = MakeFlight({125});
    const CDataBlock& flight = *made;
    const std::string text = Translated(flight);
    std::setlocale(LC_NUMERIC, saved.c_str());
    EXPECT_NE(text.find("0\t250\t12.5\t125\n"), std::string::npos) << text;
}
