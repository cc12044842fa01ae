#include "data/SampleTranslation.h"

#include "calc/CompiledFormula.h"
#include "calc/FormulaEvaluator.h"
#include "calc/TranslationProgram.h"

#include <algorithm>
#include <cstddef>
#include <string>

namespace {
constexpr std::size_t kRawValues = 65536;
// Below this many samples the sequential path costs less than preparing the shared table.
constexpr std::size_t kSharedTableMinSamples = 1024;

using Evaluator = CFormulaEvaluator;

// The translation's evaluator with the interpreter evaluating the texts.
class InterpretedStepper {
public:
    InterpretedStepper(const SampleTranslationInput& input)
        : m_pressure(input.pressureFormula), m_altitude(input.altitudeFormula) {}

    bool Reference(std::uint16_t raw, double& pressure) {
        static_cast<void>(m_evaluator.SetVariable("X", raw));
        pressure = 0.0;
        if (m_evaluator.Evaluate(m_pressure, pressure) != Evaluator::kNoError)
            return false;
        static_cast<void>(m_evaluator.SetVariable("PR", pressure));
        return true;
    }

    bool Sample(std::uint16_t raw, double& pressure, double& altitude) {
        static_cast<void>(m_evaluator.SetVariable("X", raw));
        static_cast<void>(m_evaluator.Evaluate(m_pressure, pressure));
        static_cast<void>(m_evaluator.SetVariable("PA", pressure));
        return m_evaluator.Evaluate(m_altitude, altitude) == Evaluator::kNoError;
    }

private:
    Evaluator m_evaluator;
    std::string m_pressure;
    std::string m_altitude;
};

// The same with compiled programs and prepared names.
class CompiledStepper {
public:
    CompiledStepper(const SampleTranslationInput& input)
        : m_pressure(input.pressureFormula), m_altitude(input.altitudeFormula) {}

    bool Reference(std::uint16_t raw, double& pressure) {
        static_cast<void>(m_evaluator.SetVariable(m_x, raw));
        if (m_pressure.Run(m_evaluator, pressure) != Evaluator::kNoError)
            return false;
        static_cast<void>(m_evaluator.SetVariable(m_pr, pressure));
        return true;
    }

    bool Sample(std::uint16_t raw, double& pressure, double& altitude) {
        static_cast<void>(m_evaluator.SetVariable(m_x, raw));
        static_cast<void>(m_pressure.Run(m_evaluator, pressure));
        static_cast<void>(m_evaluator.SetVariable(m_pa, pressure));
        return m_altitude.Run(m_evaluator, altitude) == Evaluator::kNoError;
    }

private:
    Evaluator m_evaluator;
    CCompiledFormula m_pressure;
    CCompiledFormula m_altitude;
    const Evaluator::VariableName m_x{"X"};
    const Evaluator::VariableName m_pr{"PR"};
    const Evaluator::VariableName m_pa{"PA"};
};

// Which raw values occur in the samples.
std::vector<std::uint8_t> OccurringValues(std::span<const std::uint16_t> raw) {
    std::vector<std::uint8_t> occurs(kRawValues, 0);
    for (const std::uint16_t v : raw)
        occurs[v] = 1;
    return occurs;
}

// The pair's program with the pressure formula evaluated once per distinct raw value, for a
// pair whose pressure results depend on the raw value alone
// (CTranslationProgram::PressureDependsOnRawAlone).
class TabledPressureStepper {
public:
    TabledPressureStepper(CTranslationProgram& program, std::span<const std::uint16_t> raw)
        : m_program(program), m_pressure(kRawValues, 0.0) {
        const std::vector<std::uint8_t> occurs = OccurringValues(raw);
        for (std::size_t v = 0; v < kRawValues; ++v)
            if (occurs[v])
                m_pressure[v] = program.Pressure(static_cast<double>(v));
    }

    bool Sample(std::uint16_t raw, double& pressure, double& altitude) {
        pressure = m_pressure[raw];
        return m_program.SampleWithPressure(raw, pressure, altitude);
    }

private:
    CTranslationProgram& m_program;
    std::vector<double> m_pressure; // by raw value
};

template <class Stepper>
void DisplaySequential(Stepper& stepper, std::span<const std::uint16_t> raw,
                       std::int32_t sampleRate, std::span<float> time, std::span<float> altitude,
                       double& maximum) {
    double highest = maximum; // a local, so that the float stores cannot alias it
    for (std::size_t i = 0; i < raw.size(); ++i) {
        double pressure = 0.0;
        double a = 0.0;
        if (!stepper.Sample(raw[i], pressure, a))
            continue;
        if (a > highest)
            highest = a;
        time[i] = SampleTime(sampleRate, i);
        altitude[i] = static_cast<float>(a);
    }
    maximum = highest;
}

// Each occurring raw value once, for a stepper whose results depend on the raw value alone. The
// order of evaluation does not matter then, and the maximum of equal-comparing values is the
// same whichever comes first (0.0 and -0.0 never replace the starting 0.0).
template <class Stepper>
void DisplayShared(Stepper& stepper, std::span<const std::uint16_t> raw, std::int32_t sampleRate,
                   std::span<float> time, std::span<float> altitude, double& maximum) {
    std::vector<std::uint8_t> valid = OccurringValues(raw);
    std::vector<float> values(kRawValues, 0.0f);
    bool allValid = true;
    for (std::size_t v = 0; v < kRawValues; ++v) {
        if (!valid[v])
            continue;
        double pressure = 0.0;
        double a = 0.0;
        if (!stepper.Sample(static_cast<std::uint16_t>(v), pressure, a)) {
            valid[v] = 0;
            allValid = false;
            continue;
        }
        if (a > maximum)
            maximum = a;
        values[v] = static_cast<float>(a);
    }
    if (allValid) {
        for (std::size_t i = 0; i < raw.size(); ++i) {
            time[i] = SampleTime(sampleRate, i);
            altitude[i] = values[raw[i]];
        }
        return;
    }
    for (std::size_t i = 0; i < raw.size(); ++i) {
        if (!valid[raw[i]])
            continue;
        time[i] = SampleTime(sampleRate, i);
        altitude[i] = values[raw[i]];
    }
}

template <class Stepper>
void ExactSequential(Stepper& stepper, std::span<const std::uint16_t> raw,
                     const ExactSampleSink& sink) {
    std::vector<TranslatedSample> block(std::min(raw.size(), kExactBlockSamples));
    for (std::size_t first = 0; first < raw.size(); first += block.size()) {
        const std::size_t count = std::min(block.size(), raw.size() - first);
        for (std::size_t i = 0; i < count; ++i) {
            TranslatedSample& s = block[i];
            s.valid = stepper.Sample(raw[first + i], s.pressure, s.altitude);
        }
        sink(first, std::span<const TranslatedSample>(block.data(), count));
    }
}

// The results of every occurring raw value, by raw value; the entries of the others not valid.
template <class Stepper>
std::vector<TranslatedSample> SharedTable(Stepper& stepper, std::span<const std::uint16_t> raw) {
    const std::vector<std::uint8_t> occurs = OccurringValues(raw);
    std::vector<TranslatedSample> table(kRawValues);
    for (std::size_t v = 0; v < kRawValues; ++v) {
        if (!occurs[v])
            continue;
        TranslatedSample& s = table[v];
        s.valid = stepper.Sample(static_cast<std::uint16_t>(v), s.pressure, s.altitude);
    }
    return table;
}

void ExactShared(std::span<const TranslatedSample> table, std::span<const std::uint16_t> raw,
                 const ExactSampleSink& sink) {
    std::vector<TranslatedSample> block(std::min(raw.size(), kExactBlockSamples));
    for (std::size_t first = 0; first < raw.size(); first += block.size()) {
        const std::size_t count = std::min(block.size(), raw.size() - first);
        for (std::size_t i = 0; i < count; ++i)
            block[i] = table[raw[first + i]];
        sink(first, std::span<const TranslatedSample>(block.data(), count));
    }
}
} // namespace

float SampleTime(std::int32_t sampleRate, std::size_t index) {
    const std::int64_t product =
        static_cast<std::int64_t>(sampleRate) * static_cast<std::int64_t>(index);
    return static_cast<float>(static_cast<double>(product) * static_cast<double>(0.001f));
}

namespace {
// Evaluates the reference with the stepper the method asks for; if that succeeds, runs
// work(stepper, shared), shared telling whether the stepper's results depend on the raw value
// alone and the method wants them shared. False when the reference evaluation fails.
template <class Work>
bool WithStepper(const SampleTranslationInput& input, TranslationMethod method, double& reference,
                 Work&& work) {
    if (method == TranslationMethod::kInterpreted) {
        InterpretedStepper stepper(input);
        if (!stepper.Reference(input.referenceRaw, reference))
            return false;
        work(stepper, false);
        return true;
    }
    if (method != TranslationMethod::kCompiled) {
        CTranslationProgram program(input.pressureFormula, input.altitudeFormula);
        if (program.Usable()) {
            if (!program.Reference(input.referenceRaw, reference))
                return false;
            const bool share = method == TranslationMethod::kShared ||
                               (method == TranslationMethod::kFastest &&
                                input.raw.size() >= kSharedTableMinSamples);
            if (share && !program.CarriesState()) {
                work(program, true);
            } else if (share && program.PressureDependsOnRawAlone()) {
                TabledPressureStepper stepper(program, input.raw);
                work(stepper, false);
            } else {
                work(program, false);
            }
            return true;
        }
    }
    CompiledStepper stepper(input);
    if (!stepper.Reference(input.referenceRaw, reference))
        return false;
    work(stepper, false);
    return true;
}
} // namespace

bool TranslateSamples(const SampleTranslationInput& input, std::int32_t sampleRate,
                      std::span<float> time, std::span<float> altitude, double& maximum,
                      TranslationMethod method) {
    double reference = 0.0;
    return WithStepper(input, method, reference, [&](auto& stepper, bool shared) {
        maximum = 0.0;
        if (shared)
            DisplayShared(stepper, input.raw, sampleRate, time, altitude, maximum);
        else
            DisplaySequential(stepper, input.raw, sampleRate, time, altitude, maximum);
    });
}

bool EvaluateSamples(const SampleTranslationInput& input, double& referencePressure,
                     const ExactSampleSink& sink, TranslationMethod method) {
    return EvaluateSamples(
        input, referencePressure,
        [&](std::span<const TranslatedSample> table) { ExactShared(table, input.raw, sink); }, sink,
        method);
}

bool EvaluateSamples(const SampleTranslationInput& input, double& referencePressure,
                     std::vector<TranslatedSample>& samples, TranslationMethod method) {
    std::vector<TranslatedSample> all;
    const bool translated = EvaluateSamples(
        input, referencePressure,
        [&](std::size_t first, std::span<const TranslatedSample> block) {
            if (first == 0)
                all.resize(input.raw.size());
            std::copy(block.begin(), block.end(), all.begin() + static_cast<std::ptrdiff_t>(first));
        },
        method);
    if (translated)
        samples = std::move(all);
    return translated;
}

bool EvaluateSamples(const SampleTranslationInput& input, double& referencePressure,
                     const SharedSampleSink& byRawValue, const ExactSampleSink& sink,
                     TranslationMethod method) {
    const bool ok = WithStepper(input, method, referencePressure, [&](auto& stepper, bool shared) {
        if (shared)
            byRawValue(SharedTable(stepper, input.raw));
        else
            ExactSequential(stepper, input.raw, sink);
    });
    if (!ok)
        referencePressure = 0.0;
    return ok;
}
