// libFuzzer target: compiled formulas and the translation's register programs and shortcuts
// against the interpreter, step by step, to the bit; and the translated export's text against
// printf's of the interpreter's results.
#include "calc/CompiledFormula.h"
#include "calc/FormulaEvaluator.h"
#include "calc/TranslationProgram.h"
#include "data/DataBlock.h"
#include "data/SampleTranslation.h"

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <span>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace {
constexpr char kSeparator = '|';
constexpr std::size_t kMaxTexts = 16;

std::uint64_t Bits(double v) {
    return std::bit_cast<std::uint64_t>(v);
}

[[noreturn]] void Differ(const char* what, std::string_view text) {
    std::fprintf(stderr, "compiled form differs from the interpreter in %s on \"", what);
    for (const char c : text)
        std::fprintf(stderr, c >= 32 && c < 127 ? "%c" : "\\x%02x", static_cast<unsigned char>(c));
    std::fprintf(stderr, "\"\n");
    std::abort();
}

// Both evaluators must be in the same state after every step: outcome and variable table.
void Compare(const CFormulaEvaluator& interpreted, const CFormulaEvaluator& compiled, int code,
             int compiledCode, double result, double compiledResult, std::string_view text) {
    if (code != compiledCode || interpreted.GetErrorCode() != compiled.GetErrorCode())
        Differ("the error code", text);
    if (Bits(result) != Bits(compiledResult))
        Differ("the result", text);
    if (interpreted.GetErrorPosition() != compiled.GetErrorPosition())
        Differ("the error position", text);
    if (interpreted.GetErrorToken() != compiled.GetErrorToken())
        Differ("the error token", text);
    for (int i = 0; i < CFormulaEvaluator::kVariableSlots; ++i) {
        if (interpreted.GetSlotName(i) != compiled.GetSlotName(i))
            Differ("a variable's name", text);
        if (Bits(interpreted.GetSlotValue(i)) != Bits(compiled.GetSlotValue(i)))
            Differ("a variable's value", text);
    }
}

void BindBoth(CFormulaEvaluator& a, CFormulaEvaluator& b, const char* name, double value) {
    if (a.SetVariable(name, value) != b.SetVariable(name, value))
        Differ("binding", name);
}

// One sample's outcome.
struct Outcome {
    std::uint64_t pressure = 0;
    bool valid = false;
    std::uint64_t altitude = 0;
    friend bool operator==(const Outcome&, const Outcome&) = default;
};

// The program's variables must be the evaluator's: the same names bound to the same values.
void CompareVariables(const CFormulaEvaluator& evaluator, const CTranslationProgram& program,
                      std::string_view text) {
    int bound = 0;
    for (int i = 0; i < CFormulaEvaluator::kVariableSlots; ++i) {
        const std::string_view name = evaluator.GetSlotName(i);
        if (name.empty())
            continue;
        ++bound;
        double value = 0.0;
        if (!program.LookupVariable(name, value) || Bits(value) != Bits(evaluator.GetSlotValue(i)))
            Differ("a variable of the translation program", text);
    }
    if (bound != program.VariableCount())
        Differ("the number of variables of the translation program", text);
}

bool SameFloats(const std::vector<float>& a, const std::vector<float>& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](float x, float y) {
        return std::bit_cast<std::uint32_t>(x) == std::bit_cast<std::uint32_t>(y);
    });
}

bool SameSamples(const std::vector<TranslatedSample>& a, const std::vector<TranslatedSample>& b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i].valid != b[i].valid || Bits(a[i].pressure) != Bits(b[i].pressure) ||
            (a[i].valid && Bits(a[i].altitude) != Bits(b[i].altitude)))
            return false;
    return true;
}

// The translation of raw (reference first) through the pair: the register program against an
// evaluator doing the same, step by step, variables included; its claims that samples carry
// no state, or that the pressure results depend on the raw value alone, checked by evaluating
// in another order; and every translation method against the interpreter.
void CheckPair(std::string_view pressure, std::string_view altitude,
               const std::vector<std::uint16_t>& raw) {
    const std::string shown = std::string(pressure) + " | " + std::string(altitude);
    const std::uint16_t reference = raw.empty() ? 0 : raw.front();
    const std::span<const std::uint16_t> samples =
        raw.empty() ? std::span<const std::uint16_t>() : std::span(raw).subspan(1);

    CTranslationProgram program(pressure, altitude);
    if (program.Usable()) {
        CFormulaEvaluator evaluator;
        static_cast<void>(evaluator.SetVariable("X", reference));
        double expected = 0.0;
        const bool ok = evaluator.Evaluate(pressure, expected) == CFormulaEvaluator::kNoError;
        double actual = 0.0;
        if (program.Reference(reference, actual) != ok || Bits(actual) != Bits(expected))
            Differ("the reference pressure", shown);
        if (ok) {
            static_cast<void>(evaluator.SetVariable("PR", expected));
            CompareVariables(evaluator, program, shown);
            std::vector<Outcome> forward;
            for (const std::uint16_t v : samples) {
                Outcome want;
                double pa = 0.0;
                double a = 0.0;
                static_cast<void>(evaluator.SetVariable("X", v));
                static_cast<void>(evaluator.Evaluate(pressure, pa));
                static_cast<void>(evaluator.SetVariable("PA", pa));
                want.valid = evaluator.Evaluate(altitude, a) == CFormulaEvaluator::kNoError;
                want.pressure = Bits(pa);
                want.altitude = Bits(a);
                Outcome got;
                got.valid = program.Sample(v, pa, a);
                got.pressure = Bits(pa);
                got.altitude = Bits(a);
                if (!(got == want))
                    Differ("a sample of the translation program", shown);
                CompareVariables(evaluator, program, shown);
                forward.push_back(want);
            }
            if (!program.CarriesState()) {
                CTranslationProgram backward(pressure, altitude);
                double ignored = 0.0;
                static_cast<void>(backward.Reference(reference, ignored));
                for (std::size_t i = samples.size(); i-- > 0;) {
                    Outcome got;
                    double pa = 0.0;
                    double a = 0.0;
                    got.valid = backward.Sample(samples[i], pa, a);
                    got.pressure = Bits(pa);
                    got.altitude = Bits(a);
                    if (!(got == forward[i]))
                        Differ("a sample it claims to carry no state", shown);
                }
            }
            if (program.PressureDependsOnRawAlone()) {
                CTranslationProgram tabled(pressure, altitude);
                double ignored = 0.0;
                static_cast<void>(tabled.Reference(reference, ignored));
                std::vector<double> table(samples.size());
                for (std::size_t i = samples.size(); i-- > 0;)
                    table[i] = tabled.Pressure(samples[i]);
                for (std::size_t i = 0; i < samples.size(); ++i) {
                    Outcome got;
                    double a = 0.0;
                    got.valid = tabled.SampleWithPressure(samples[i], table[i], a);
                    got.pressure = Bits(table[i]);
                    got.altitude = Bits(a);
                    if (!(got == forward[i]))
                        Differ("a sample with the pressure it claims depends on raw alone", shown);
                }
            }
        }
    }

    const SampleTranslationInput input{pressure, altitude, reference, samples};
    double expectedReference = -1.0;
    std::vector<TranslatedSample> expected;
    const bool ok =
        EvaluateSamples(input, expectedReference, expected, TranslationMethod::kInterpreted);
    std::vector<float> expectedTime(samples.size(), -1.0f);
    std::vector<float> expectedAltitude(samples.size(), -1.0f);
    double expectedMaximum = -1.0;
    static_cast<void>(TranslateSamples(input, 100, expectedTime, expectedAltitude, expectedMaximum,
                                       TranslationMethod::kInterpreted));
    for (const TranslationMethod method :
         {TranslationMethod::kFastest, TranslationMethod::kShared, TranslationMethod::kSequential,
          TranslationMethod::kCompiled}) {
        double referencePressure = -1.0;
        std::vector<TranslatedSample> got;
        if (EvaluateSamples(input, referencePressure, got, method) != ok ||
            Bits(referencePressure) != Bits(expectedReference) || !SameSamples(got, expected))
            Differ("the exact translation", shown);
        std::vector<float> time(samples.size(), -1.0f);
        std::vector<float> height(samples.size(), -1.0f);
        double maximum = -1.0;
        static_cast<void>(TranslateSamples(input, 100, time, height, maximum, method));
        if (Bits(maximum) != Bits(expectedMaximum) || !SameFloats(time, expectedTime) ||
            !SameFloats(height, expectedAltitude))
            Differ("the display translation", shown);
    }
}
} // namespace

// The rows of the translated export of the samples (the reference's row and those after the
// columns line) must be printf's of the interpreter's results, byte for byte.
void CheckExport(std::string_view pressure, std::string_view altitude, std::uint16_t reference,
                 const std::vector<std::uint16_t>& samples, std::int32_t rate) {
    const SampleTranslationInput input{pressure, altitude, reference, samples};
    double referencePressure = 0.0;
    std::vector<TranslatedSample> results;
    const bool ok =
        EvaluateSamples(input, referencePressure, results, TranslationMethod::kInterpreted);
    char row[160];
    std::string expected;
    std::snprintf(row, sizeof row, "# Ref. Press:  %s%g (raw: %d)\n",
                  ok ? "" : "evaluation error ! ", referencePressure, reference);
    expected += row;
    if (ok) {
        expected += "# Time (sec)\tAltitude\tPressure\tRaw value\n";
        for (std::size_t i = 0; i < samples.size(); ++i) {
            if (!results[i].valid)
                continue;
            const auto ms = static_cast<std::int64_t>(rate) * static_cast<std::int64_t>(i);
            std::snprintf(row, sizeof row, "%g\t%g\t%g\t%d\n", static_cast<double>(ms) * 0.001,
                          results[i].altitude, results[i].pressure, samples[i]);
            expected += row;
        }
        expected += "\n\n";
    }

    CDataBlock flight;
    flight.SetPressureFormula(std::string(pressure));
    flight.SetAltitudeFormula(std::string(altitude));
    flight.SetReferenceRaw(reference);
    flight.SetSampleRate(rate);
    flight.GetRawSamples() = samples;
    std::ostringstream out;
    flight.ExportTranslated(out);
    std::string text = out.str();
    // Past the header lines that hold the formula texts, which may contain line feeds.
    const std::size_t referenceLine = text.find("# Ref. Press:  ");
    const std::size_t rateLine = text.find("# Sample Rate: ", referenceLine);
    const std::size_t rows = ok ? text.rfind("# Time (sec)") : text.size();
    if (referenceLine == std::string::npos || rateLine == std::string::npos ||
        rows == std::string::npos)
        Differ("the export's header", std::string(pressure) + " | " + std::string(altitude));
    text = text.substr(referenceLine, rateLine - referenceLine) +
           (ok ? text.substr(rows) : std::string());
    if (text != expected)
        Differ("the export's text", std::string(pressure) + " | " + std::string(altitude));
}

// Input: a control byte, then by its bit 5:
// - clear: up to three doubles (8 bytes each), then formula texts separated by '|', compiled and
//   interpreted step by step. Control bits 0-1: how many of X, PA, PR are bound to the doubles;
//   bit 2: the table is filled nearly full first, so that assignments of new names run out of
//   slots; bit 3: the texts run a second time (each program again, after its own assignments);
//   bit 4: X is rebound before every step, as the translation rebinds it per sample.
// - set: a count byte n, n raw values (2 bytes each, the first the reference), then the
//   pressure formula, '|' and the altitude formula: a translation, and its export. Bit 6: a
//   sample rate (4 bytes) follows the count, and the export's flight repeats the samples to
//   1,100, so that distinct values are shared.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const std::uint8_t control = data[0];
    std::size_t offset = 1;
    if (control & 32u) {
        std::vector<std::uint16_t> raw;
        const std::size_t n = offset < size ? data[offset++] : 0;
        std::int32_t rate = 100;
        if ((control & 64u) && offset + 4 <= size) {
            std::memcpy(&rate, data + offset, sizeof rate);
            offset += 4;
        }
        for (std::size_t i = 0; i < n && offset + 2 <= size; ++i, offset += 2)
            raw.push_back(static_cast<std::uint16_t>(data[offset] | (data[offset + 1] << 8)));
        const std::string_view rest(reinterpret_cast<const char*>(data + offset), size - offset);
        const std::size_t bar = rest.find(kSeparator);
        const std::string_view pressure = rest.substr(0, bar);
        const std::string_view altitude = bar == std::string_view::npos ? "" : rest.substr(bar + 1);
        CheckPair(pressure, altitude, raw);
        if (raw.empty())
            return 0;
        std::vector<std::uint16_t> samples(raw.begin() + 1, raw.end());
        if ((control & 64u) && !samples.empty())
            for (std::size_t i = 0; samples.size() < 1100; ++i)
                samples.push_back(samples[i]);
        CheckExport(pressure, altitude, raw.front(), samples, rate);
        return 0;
    }
    static const char* const kNames[] = {"X", "PA", "PR"};
    CFormulaEvaluator interpreted;
    CFormulaEvaluator compiled;
    double x = 0.0;
    for (std::size_t i = 0; i < (control & 3u) && offset + 8 <= size; ++i, offset += 8) {
        double value = 0.0;
        std::memcpy(&value, data + offset, sizeof value);
        BindBoth(interpreted, compiled, kNames[i], value);
        if (i == 0)
            x = value;
    }
    if (control & 4u)
        for (int i = 0; i < CFormulaEvaluator::kVariableSlots - 5; ++i)
            BindBoth(interpreted, compiled, ("f" + std::to_string(i)).c_str(), i);

    std::vector<std::string> texts;
    std::vector<CCompiledFormula> programs;
    const std::string_view rest(reinterpret_cast<const char*>(data + offset), size - offset);
    for (std::size_t start = 0; texts.size() < kMaxTexts;) {
        const std::size_t end = rest.find(kSeparator, start);
        texts.emplace_back(rest.substr(start, end == std::string_view::npos ? end : end - start));
        if (end == std::string_view::npos)
            break;
        start = end + 1;
    }
    programs.reserve(texts.size());
    for (const std::string& text : texts)
        programs.emplace_back(text);

    const int passes = (control & 8u) ? 2 : 1;
    int step = 0;
    for (int pass = 0; pass < passes; ++pass) {
        for (std::size_t i = 0; i < texts.size(); ++i, ++step) {
            if (control & 16u)
                BindBoth(interpreted, compiled, "X", x + step);
            double result = 1.5;
            double compiledResult = -2.5;
            const int code = interpreted.Evaluate(texts[i], result);
            const int compiledCode = programs[i].Run(compiled, compiledResult);
            Compare(interpreted, compiled, code, compiledCode, result, compiledResult, texts[i]);
        }
    }
    return 0;
}
