#include "data/Annotation.h"
#include "data/DataBlock.h"
#include "data/DataModule.h"
#include "data/SampleTranslation.h"
#include "shell/MainDoc.h"
#include "support/ProjectBuilder.h"

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

double DefaultAltitude(double raw, double reference) {
    const double pa = raw / 147.456 + 10.555555;
    const double pr = reference / 147.456 + 10.555555;
    return std::log(pa / pr) * -29.153 * 293;
}

struct FlightInDocument {
    CMainDoc doc;
    CDataBlock* flight = testing_project::AddFlight(*testing_project::AddSession(doc));
};

// Pressure = raw value, altitude = pressure: the arrays show the raw values themselves.
void UseIdentityFormulas(CDataBlock& flight) {
    flight.SetPressureFormula("X");
    flight.SetAltitudeFormula("PA+0*PR");
}

std::uint64_t Bits(double value) {
    return std::bit_cast<std::uint64_t>(value);
}

std::vector<std::uint32_t> Bits(const std::vector<float>& values) {
    std::vector<std::uint32_t> bits;
    for (float v : values)
        bits.push_back(std::bit_cast<std::uint32_t>(v));
    return bits;
}

// Validity, pressure and (for valid samples only) altitude, as bit patterns.
std::vector<std::uint64_t> Bits(const std::vector<TranslatedSample>& samples) {
    std::vector<std::uint64_t> bits;
    for (const TranslatedSample& s : samples) {
        bits.push_back(s.valid);
        bits.push_back(Bits(s.pressure));
        bits.push_back(s.valid ? Bits(s.altitude) : 0);
    }
    return bits;
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

CAnnotation* AddBound(CDataBlock& flight, double time) {
    auto note = std::make_unique<CAnnotation>();
    note->m_bBoundToData = true;
    note->m_dTime = time;
    note->m_dAltitude = -999;
    CAnnotation* raw = note.get();
    flight.AppendAnnotation(std::move(note));
    return raw;
}
} // namespace

TEST(Translation, DefaultFormulasGiveTimesAltitudesAndMaximum) {
    CDataBlock flight;
    flight.SetPressureFormula(kPressure);
    flight.SetAltitudeFormula(kAltitude);
    flight.SetSampleRate(1000);
    flight.SetReferenceRaw(5000);
    flight.GetRawSamples() = {5000, 4000, 6000};

    std::vector<float> time, altitude;
    ASSERT_EQ(flight.GetDisplayData(time, altitude, true), 3u);
    EXPECT_EQ(time, (std::vector<float>{0.0f, 1.0f, 2.0f}));
    // At the reference: 0 x -29.153 x 293, a negative zero.
    EXPECT_EQ(altitude[0], 0.0f);
    EXPECT_TRUE(std::signbit(altitude[0]));
    EXPECT_EQ(altitude[1], static_cast<float>(DefaultAltitude(4000, 5000)));
    EXPECT_EQ(altitude[2], static_cast<float>(DefaultAltitude(6000, 5000)));
    EXPECT_EQ(flight.GetMaxAltitude(), DefaultAltitude(4000, 5000));
    EXPECT_EQ(flight.GetDurationText(), "3.0 sec");

    // No altitude above the reference: the maximum stays a positive 0.
    CDataBlock low;
    low.SetPressureFormula(kPressure);
    low.SetAltitudeFormula(kAltitude);
    low.SetReferenceRaw(5000);
    low.GetRawSamples() = {5000, 6000};
    EXPECT_EQ(low.GetMaxAltitude(), 0.0);
    EXPECT_FALSE(std::signbit(low.GetMaxAltitude()));
}

TEST(Translation, DurationIsSamplesTimesRate) {
    CDataBlock flight;
    flight.SetSampleRate(100);
    flight.GetRawSamples().assign(1234, 0);
    EXPECT_EQ(flight.GetDurationText(), "2 min 3.4 sec");
    // Cached until invalidated.
    flight.SetSampleRate(1000);
    EXPECT_EQ(flight.GetDurationText(), "2 min 3.4 sec");
    flight.InvalidateDerived();
    EXPECT_EQ(flight.GetDurationText(), "20 min 34.0 sec");

    // rate x samples beyond 32 bits.
    CDataBlock slow;
    slow.SetSampleRate(1000000);
    slow.GetRawSamples().assign(5000, 0);
    EXPECT_EQ(slow.GetDurationText(), "83333 min 20.0 sec");
}

TEST(Translation, EmptyFormulasGiveZeroForEverySample) {
    CDataBlock flight;
    flight.GetRawSamples() = {1, 2, 3, 4};
    std::vector<float> time{7.0f}, altitude;
    ASSERT_EQ(flight.GetDisplayData(time, altitude, true), 4u);
    EXPECT_EQ(time, std::vector<float>(4, 0.0f));
    EXPECT_EQ(altitude, std::vector<float>(4, 0.0f));
    EXPECT_EQ(flight.GetMaxAltitude(), -1.0);
}

TEST(Translation, FailingPressureFormulaOnTheReferenceGivesNothing) {
    FlightInDocument p;
    CDataBlock& flight = *p.flight;
    flight.SetPressureFormula("1/(X-7)");
    flight.SetAltitudeFormula("PA");
    flight.SetReferenceRaw(7);
    flight.GetRawSamples() = {1, 2};

    std::vector<float> time{9.0f}, altitude{9.0f};
    EXPECT_EQ(flight.GetDisplayData(time, altitude, true), 0u);
    EXPECT_EQ(time, std::vector<float>{9.0f});
    EXPECT_EQ(altitude, std::vector<float>{9.0f});
    EXPECT_EQ(flight.GetMaxAltitude(), -1.0);
    p.doc.SetShowFeet(1);
    EXPECT_EQ(flight.GetMaxAltitude(), -3.2808399200439453);
    float t = 5, a = 5;
    flight.GetStartPoint(t, a);
    EXPECT_EQ(t, 0.0f);
    EXPECT_EQ(a, 0.0f);

    // The next request tries again.
    flight.SetReferenceRaw(8);
    EXPECT_EQ(flight.GetDisplayData(time, altitude, true), 2u);
}

TEST(Translation, SamplesTheAltitudeFormulaFailsOnKeepTheirPreviousValues) {
    CDataBlock flight;
    flight.SetSampleRate(1000);
    flight.SetPressureFormula("X");
    flight.SetAltitudeFormula("PA");
    flight.GetRawSamples() = {1, 2, 3};
    std::vector<float> time, altitude;
    ASSERT_EQ(flight.GetDisplayData(time, altitude, false), 3u);
    flight.SetAltitudeFormula("100/(PA-2)");
    ASSERT_EQ(flight.GetDisplayData(time, altitude, false), 3u);
    EXPECT_EQ(time, (std::vector<float>{0.0f, 1.0f, 2.0f}));
    EXPECT_EQ(altitude, (std::vector<float>{-100.0f, 2.0f, 100.0f}));
    // The failing sample keeps its altitude 2 but takes no part in the maximum.
    flight.InvalidateDerived();
    flight.SetAltitudeFormula("-abs(100/(PA-2))");
    EXPECT_EQ(flight.GetMaxAltitude(), 0.0);
}

TEST(Translation, TranslatesAgainOnlyWhenAFormulaTextChanges) {
    CDataBlock flight;
    UseIdentityFormulas(flight);
    flight.GetRawSamples() = {1, 2};
    std::vector<float> time, altitude;
    ASSERT_EQ(flight.GetDisplayData(time, altitude, false), 2u);
    EXPECT_EQ(altitude, (std::vector<float>{1.0f, 2.0f}));

    flight.GetRawSamples()[0] = 5;
    ASSERT_EQ(flight.GetDisplayData(time, altitude, false), 2u);
    EXPECT_EQ(altitude, (std::vector<float>{1.0f, 2.0f}));
    flight.SetPressureFormula("x"); // the comparison is case-sensitive
    ASSERT_EQ(flight.GetDisplayData(time, altitude, false), 2u);
    EXPECT_EQ(altitude, (std::vector<float>{5.0f, 2.0f}));

    flight.GetRawSamples()[0] = 7;
    flight.InvalidateDerived();
    ASSERT_EQ(flight.GetDisplayData(time, altitude, false), 2u);
    EXPECT_EQ(altitude, (std::vector<float>{7.0f, 2.0f}));
}

TEST(Translation, DisplayArraysCarryOffsetsAndUnit) {
    FlightInDocument p;
    CDataBlock& flight = *p.flight;
    UseIdentityFormulas(flight);
    flight.SetSampleRate(500);
    flight.GetRawSamples() = {10, 20};
    ASSERT_TRUE(flight.SetPendingOffset(true, 5.0f, 100.0f));

    std::vector<float> time, altitude;
    ASSERT_EQ(flight.GetDisplayData(time, altitude, true), 2u);
    EXPECT_EQ(time, (std::vector<float>{5.0f, 5.5f}));
    EXPECT_EQ(altitude, (std::vector<float>{110.0f, 120.0f}));
    ASSERT_EQ(flight.GetDisplayData(time, altitude, false), 2u);
    EXPECT_EQ(time, (std::vector<float>{0.0f, 0.5f}));
    EXPECT_EQ(altitude, (std::vector<float>{10.0f, 20.0f}));

    const float feet = CMainDoc::kFeetFactor;
    p.doc.SetShowFeet(1);
    ASSERT_EQ(flight.GetDisplayData(time, altitude, true), 2u);
    EXPECT_EQ(altitude, (std::vector<float>{110.0f * feet, 120.0f * feet}));
    EXPECT_EQ(flight.GetMaxAltitude(), 20.0 * 3.2808399200439453);

    float t = 0, a = 0;
    flight.GetStartPoint(t, a);
    EXPECT_EQ(t, 5.0f);
    EXPECT_EQ(a, 110.0f * feet);
    flight.ApplyOffset(1.0f, 0.0f);
    flight.GetStartPoint(t, a);
    EXPECT_EQ(t, 6.0f);

    flight.GetRawSamples().resize(1);
    flight.InvalidateDerived();
    flight.GetStartPoint(t, a);
    EXPECT_EQ(t, 0.0f);
    EXPECT_EQ(a, 0.0f);
}

TEST(Translation, BoundAnnotationsTakeTheAltitudeOfTheirSample) {
    CDataBlock flight;
    UseIdentityFormulas(flight);
    flight.SetSampleRate(1000);
    CAnnotation* atTwo = AddBound(flight, 2.26);
    CAnnotation* before = AddBound(flight, -5);
    CAnnotation* after = AddBound(flight, 100);
    CAnnotation* nan = AddBound(flight, std::nan(""));
    CAnnotation* free = AddBound(flight, 1);
    free->m_bBoundToData = false;

    // No samples: nothing to take.
    std::vector<float> time, altitude;
    EXPECT_EQ(flight.GetDisplayData(time, altitude, true), 0u);
    EXPECT_EQ(atTwo->m_dAltitude, -999);

    flight.GetRawSamples() = {10, 20, 30, 40};
    flight.InvalidateDerived();
    ASSERT_EQ(flight.GetDisplayData(time, altitude, true), 4u);
    EXPECT_EQ(atTwo->m_dAltitude, 30);
    EXPECT_EQ(before->m_dAltitude, 10);
    EXPECT_EQ(after->m_dAltitude, 40);
    EXPECT_EQ(nan->m_dAltitude, 10);
    EXPECT_EQ(free->m_dAltitude, -999);
}

namespace {
struct Display {
    bool ok = false;
    std::vector<float> time;
    std::vector<float> altitude;
    double maximum = -1.0;
};

// Arrays start with marks, so that entries a translation leaves alone stay visible.
Display Translate(const SampleTranslationInput& input, TranslationMethod method) {
    Display d;
    d.time.assign(input.raw.size(), -7.0f);
    d.altitude.assign(input.raw.size(), -9.0f);
    d.ok = TranslateSamples(input, 250, d.time, d.altitude, d.maximum, method);
    return d;
}

// Every method must give the interpreter's results to the bit, in both forms.
void ExpectAllMethodsAgree(const SampleTranslationInput& input) {
    SCOPED_TRACE(std::string(input.pressureFormula) + " | " + std::string(input.altitudeFormula));
    const Display reference = Translate(input, TranslationMethod::kInterpreted);
    double referencePressure = -1.0;
    std::vector<TranslatedSample> expected;
    const bool ok =
        EvaluateSamples(input, referencePressure, expected, TranslationMethod::kInterpreted);
    for (TranslationMethod method : {TranslationMethod::kCompiled, TranslationMethod::kSequential,
                                     TranslationMethod::kShared, TranslationMethod::kFastest}) {
        const Display d = Translate(input, method);
        EXPECT_EQ(d.ok, reference.ok);
        EXPECT_EQ(Bits(d.maximum), Bits(reference.maximum));
        EXPECT_EQ(Bits(d.time), Bits(reference.time));
        EXPECT_EQ(Bits(d.altitude), Bits(reference.altitude));

        double pressure = -1.0;
        std::vector<TranslatedSample> samples;
        EXPECT_EQ(EvaluateSamples(input, pressure, samples, method), ok);
        EXPECT_EQ(Bits(pressure), Bits(referencePressure));
        EXPECT_EQ(Bits(samples), Bits(expected));
    }
}
} // namespace

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
        // Assignments read in the same sample, or carried to the next.
        {"p=(X/147.456)+10.555555", "ln(PA/PR) * (-29.153) * 293"},
        {"n=0", "n=n+1; PA+n"},
        {"s=X", "PA-s"},
        {"X", "m=PA; hypot(m, PR)"},
        {"d=PA", "d"},
        {"X;Q=", "PA"},
        {"X=", "PA"},
        // State carried by a failure that skips an assignment, by a reference that follows
        // the pressure (its pressure formula shared by raw value), and by more names than the
        // evaluator's register form takes.
        {"1/(X-40000); q=X", "q+PA"},
        {"p=X/147.456; p+10.555555", "PR=PR+(PA-PR)/1000; ln(PA/PR) * (-29.153) * 293"},
        {"v1=1;v2=2;v3=3;v4=4;v5=5;v6=6;v7=7;v8=8;v9=9;v10=1;v11=1;v12=1;v13=1;v14=1;v15=1;"
         "v16=1;v17=1;v18=1;v19=1;v20=1;v21=1;v22=1;v23=1;v24=1;v25=1;v26=1;v27=1;v28=1;v29=1;"
         "v30=1;v31=1;v32=1;v33=1;v34=1;v35=1;v36=1;v37=1;v38=1;v39=1;v40=1;v41=1;v42=1;v43=1;"
         "v44=1;v45=1;v46=1;v47=1;X",
         "w=PA; w+v47"},
    };
    for (const auto& pair : pairs)
        for (const std::vector<std::uint16_t>* raw : {&walk, &wide, &shortFlight})
            ExpectAllMethodsAgree({pair[0], pair[1], 40000, *raw});
}
