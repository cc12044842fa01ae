// Translation of a flight's raw device numbers through its pressure and altitude formulas.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string_view>
#include <vector>

// What a translation reads: the two formula texts, the reference raw value and the samples.
struct SampleTranslationInput {
    std::string_view pressureFormula; // in X, the raw value
    std::string_view altitudeFormula; // in PA (the sample's pressure) and PR (the reference's)
    std::uint16_t referenceRaw = 0;
    std::span<const std::uint16_t> raw;
};

// How the formulas are evaluated. All give the same results to the bit.
enum class TranslationMethod {
    // kShared for a flight long enough to repay the tables by raw value; otherwise kSequential.
    kFastest,
    // When no sample can read what an earlier one left behind (the formulas assign nothing, or
    // only what the same sample reads after assigning it), each distinct raw value is evaluated
    // once and its results are shared by every sample holding it. Otherwise, when the pressure
    // formula's results depend on the raw value alone and the altitude formula reads nothing it
    // assigns, the pressure results are shared and the altitude formula runs sample by sample.
    // Otherwise kSequential.
    kShared,
    // Both formulas as one register program, sample by sample; kCompiled for a pair that may
    // bind more variables than the evaluator has slots.
    kSequential,
    // Compiled formulas on a CFormulaEvaluator, sample by sample.
    kCompiled,
    // CFormulaEvaluator::Evaluate, sample by sample: the reference.
    kInterpreted,
};

// The time of sample `index` in seconds at sampleRate milliseconds per sample, as the display
// holds it: the product rate x index in integers, times the single-precision 0.001, rounded to
// single precision. The product is formed in 64 bits, so that long flights at slow rates do not
// overflow.
[[nodiscard]] float SampleTime(std::int32_t sampleRate, std::size_t index);

// One evaluator serves the whole translation. X is bound to the reference raw value and the
// pressure formula evaluated; if that fails, the function returns false and writes nothing.
// Otherwise PR is bound to the value and, for each sample in order, X is bound to the sample,
// the pressure formula evaluated (its error status not checked: PA is bound to the result as
// the evaluation leaves it) and the altitude formula evaluated. Variables the formulas assign
// stay bound for the following samples.
//
// Display form: time and altitude must hold one entry per sample. Where the altitude formula
// succeeds with a, time[i] = SampleTime(sampleRate, i) and altitude[i] = a in single precision;
// where it fails, both entries are left as they are. maximum = the greatest such a, at least
// 0.0 (NaN never counts).
[[nodiscard]] bool TranslateSamples(const SampleTranslationInput& input, std::int32_t sampleRate,
                                    std::span<float> time, std::span<float> altitude,
                                    double& maximum,
                                    TranslationMethod method = TranslationMethod::kFastest);

// One sample of the exact form: its pressure PA, and its altitude when valid (the altitude
// formula succeeded).
struct TranslatedSample {
    double pressure = 0.0;
    double altitude = 0.0;
    bool valid = false;
};

// Exact form, for the text export: samples gets one entry per sample. referencePressure is PR,
// or 0.0 when the reference evaluation fails (then false is returned and samples left as
// it was).
[[nodiscard]] bool EvaluateSamples(const SampleTranslationInput& input, double& referencePressure,
                                   std::vector<TranslatedSample>& samples,
                                   TranslationMethod method = TranslationMethod::kFastest);

// The exact form streamed, so that a flight of any length costs a bounded amount of memory:
// the samples' results go to sink in order, in blocks of at most kExactBlockSamples, each with
// the index of its first sample. referencePressure is set before the first block; the sink is
// not called when the reference evaluation fails (false) or there are no samples. The results
// are those of the vector form.
inline constexpr std::size_t kExactBlockSamples = 4096;
using ExactSampleSink =
    std::function<void(std::size_t first, std::span<const TranslatedSample> block)>;
[[nodiscard]] bool EvaluateSamples(const SampleTranslationInput& input, double& referencePressure,
                                   const ExactSampleSink& sink,
                                   TranslationMethod method = TranslationMethod::kFastest);

// The streamed exact form for a consumer that can share its own work between samples holding
// the same raw value. When the results depend on the raw value alone and the method shares
// them (as for the display), byRawValue is called once with a table of 65,536 entries, the
// results of raw value v at entry v: every raw value that occurs in the samples has its
// results there, the entries of the others are not valid. sink is then not called. Otherwise
// it is as the form above. Neither is called when the reference evaluation fails (false).
using SharedSampleSink = std::function<void(std::span<const TranslatedSample> byRawValue)>;
[[nodiscard]] bool EvaluateSamples(const SampleTranslationInput& input, double& referencePressure,
                                   const SharedSampleSink& byRawValue, const ExactSampleSink& sink,
                                   TranslationMethod method = TranslationMethod::kFastest);
