#include "data/SampleTranslation.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace {
constexpr const char* kPressure = "(X/147.456)+10.555555";
constexpr const char* kAltitude = "ln(PA/PR) * (-29.153) * 293";

struct Display {
    bool ok = false;
    std::vector<float> time;
    std::vector<float> altitude;
    double maximum = -1.0;
};

// Arrays start with marks, so that entries a translation leaves alone stay visible.
Display Translate(const SampleTranslationInput& input, TranslationMethod method,
                  std::int32_t rate = 250) {
    Display d;
    d.time.assign(input.raw.size(), -7.0f);
    d.altitude.assign(input.raw.size(), -9.0f);
    d.ok = TranslateSamples(input, rate, d.time, d.altitude, d.maximum, method);
    return d;
}

void ExpectSameFloats(const std::vector<float>& a, const std::vector<float>& b, const char* what) {
    ASSERT_EQ(a.size(), b.size());
    for (std::size_t i = 0; i < a.size(); ++i)
        ASSERT_EQ(std::bit_cast<std::uint32_t>(a[i]), std::bit_cast<std::uint32_t>(b[i]))
            << what << " " << i << ": " << a[i] << " vs " << b[i];
}

// Every method must give the interpreter's results to the bit, in both forms.
void ExpectAllMethodsAgree(const SampleTranslationInput& input) {
    SCOPED_TRACE(std::string(input.pressureFormula) + " | " + std::string(input.altitudeFormula));
    const Display reference = Translate(input, TranslationMethod::kInterpreted);
    for (TranslationMethod method :
         {TranslationMethod::kCompiledSequential, TranslationMethod::kFastest}) {
        const Display d = Translate(input, method);
        EXPECT_EQ(d.ok, reference.ok);
        EXPECT_EQ(std::bit_cast<std::uint64_t>(d.maximum),
                  std::bit_cast<std::uint64_t>(reference.maximum));
        ExpectSameFloats(d.time, reference.time, "time");
        ExpectSameFloats(d.altitude, reference.altitude, "altitude");
    }

    double referencePressure = -1.0;
    std::vector<TranslatedSample> expected;
    const bool ok =
        EvaluateSamples(input, referencePressure, expected, TranslationMethod::kInterpreted);
    for (TranslationMethod method :
         {TranslationMethod::kCompiledSequential, TranslationMethod::kFastest}) {
        double pressure = -1.0;
        std::vector<TranslatedSample> samples;
        EXPECT_EQ(EvaluateSamples(input, pressure, samples, method), ok);
        EXPECT_EQ(std::bit_cast<std::uint64_t>(pressure),
                  std::bit_cast<std::uint64_t>(referencePressure));
        ASSERT_EQ(samples.size(), expected.size());
        for (std::size_t i = 0; i < samples.size(); ++i) {
            ASSERT_EQ(samples[i].valid, expected[i].valid) << i;
            ASSERT_EQ(std::bit_cast<std::uint64_t>(samples[i].pressure),
                      std::bit_cast<std::uint64_t>(expected[i].pressure))
                << i;
            if (expected[i].valid) {
                ASSERT_EQ(std::bit_cast<std::uint64_t>(samples[i].altitude),
                          std::bit_cast<std::uint64_t>(expected[i].altitude))
                    << i;
            }
        }
    }
}

// A flight-like random walk of raw values, long enough for the shared-value path.
std::vector<std::uint16_t> Walk(std::size_t n, std::uint32_t seed) {
    std::mt19937 random(seed);
    std::vector<std::uint16_t> raw(n);
    int v = 40000;
    for (std::uint16_t& r : raw) {
        v += std::uniform_int_distribution<int>(-40, 40)(random);
        v = v < 30000 ? 30000 : v > 50000 ? 50000 : v;
        r = static_cast<std::uint16_t>(v);
    }
    return raw;
}
} // namespace

TEST(SampleTranslation, DefaultFormulasGiveTimesAltitudesAndMaximum) {
    const std::vector<std::uint16_t> raw = {40000, 39000, 41000};
    const SampleTranslationInput input{kPressure, kAltitude, 40000, raw};
    const Display d = Translate(input, TranslationMethod::kFastest, 1000);
    ASSERT_TRUE(d.ok);
    EXPECT_EQ(d.time, (std::vector<float>{0.0f, 1.0f, 2.0f}));
    // A sample equal to the reference gives -0 and leaves the maximum at +0 when all others
    // are lower.
    EXPECT_TRUE(std::signbit(d.altitude[0]));
    EXPECT_EQ(d.altitude[0], 0.0f);
    const double pr = 40000 / 147.456 + 10.555555;
    const double high = std::log((39000 / 147.456 + 10.555555) / pr) * -29.153 * 293;
    EXPECT_EQ(d.altitude[1], static_cast<float>(high));
    EXPECT_EQ(d.maximum, high);

    const std::vector<std::uint16_t> low = {40000, 41000};
    Display lower = Translate({kPressure, kAltitude, 40000, low}, TranslationMethod::kFastest);
    EXPECT_EQ(std::bit_cast<std::uint64_t>(lower.maximum), 0u);
}

TEST(SampleTranslation, FailuresLeaveEntriesAndMaximumAlone) {
    const std::vector<std::uint16_t> raw = Walk(3000, 1);
    // Reference pressure failing: nothing is written.
    Display d = Translate({"X/0", kAltitude, 40000, raw}, TranslationMethod::kFastest);
    EXPECT_FALSE(d.ok);
    EXPECT_EQ(d.maximum, -1.0);
    EXPECT_EQ(d.time.front(), -7.0f);
    // An altitude failing for some samples: they keep their entries and do not count.
    d = Translate({kPressure, "1/(X-40000)", 40000, raw}, TranslationMethod::kFastest);
    ASSERT_TRUE(d.ok);
    for (std::size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] == 40000) {
            EXPECT_EQ(d.time[i], -7.0f);
            EXPECT_EQ(d.altitude[i], -9.0f);
        } else {
            EXPECT_EQ(d.time[i], SampleTime(250, i));
        }
    }
}

TEST(SampleTranslation, TimesAreExactForLongSlowFlights) {
    EXPECT_EQ(SampleTime(1000, 2), 2.0f);
    EXPECT_EQ(SampleTime(100, 1234), static_cast<float>(123400 * 0.0010000000474974513));
    // 25 500 ms x 100 000 samples exceeds 32 bits.
    EXPECT_EQ(SampleTime(25500, 100000),
              static_cast<float>(2550000000.0 * static_cast<double>(0.001f)));
}

TEST(SampleTranslation, AllMethodsAgreeToTheBit) {
    std::vector<std::uint16_t> walk = Walk(5000, 2);
    std::vector<std::uint16_t> wide(4000);
    std::mt19937 random(3);
    for (std::uint16_t& r : wide)
        r = static_cast<std::uint16_t>(random());
    std::vector<std::uint16_t> shortFlight(walk.begin(), walk.begin() + 50);

    const char* const pairs[][2] = {
        {kPressure, kAltitude},
        // The pressure's status is not checked: PA is what the failing evaluation leaves.
        {"1/(X-40000)", "PA"},
        {"(X*2)+foo", "PA*3"},
        {"X/(X%7)", "ln(PA)"},
        // Altitudes of NaN, infinities and negative zeros.
        {"X-40000", "sqrt(PA)"},
        {"X-40000", "ln(PA)*-1"},
        {"X", "-(PA-PA)"},
        {"X", "zz"},
        {"X", "PA+"},
        // Stateful pairs: assignments carry from sample to sample.
        {"p=(X/147.456)+10.555555", "ln(PA/PR) * (-29.153) * 293"},
        {"n=0", "n=n+1; PA+n"},
        {"s=X", "PA-s"},
        {"X", "m=PA; hypot(m, PR)"},
        {"d=PA", "d"},
        {"X;Q=", "PA"},
        {"X=", "PA"},
    };
    for (const auto& pair : pairs)
        for (const std::vector<std::uint16_t>* raw : {&walk, &wide, &shortFlight})
            ExpectAllMethodsAgree({pair[0], pair[1], 40000, *raw});
}
