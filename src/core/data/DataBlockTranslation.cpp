// CDataBlock's translation of raw device values to time and altitude, and its derived figures.
#include "calc/TextHelpers.h"
#include "data/Annotation.h"
#include "data/DataBlock.h"
#include "data/RecordDocument.h"
#include "data/SampleTranslation.h"

#include <cmath>

namespace {
// The sample an annotation at `seconds` belongs to: rounded to the nearest sample, clamped to
// 0 ... n - 1 (n > 0). NaN and times before the flight give 0.
std::size_t SampleIndex(double seconds, std::int32_t rate, std::size_t n) {
    const double position = seconds * 1000.0 / rate + 0.5;
    if (!(position >= 1.0))
        return 0;
    if (position >= static_cast<double>(n - 1))
        return n - 1;
    return static_cast<std::size_t>(position);
}
} // namespace

bool CDataBlock::Translate() const {
    DerivedCache& d = Derived();
    const std::size_t n = m_raw.size();
    d.time.resize(n, 0.0f);
    d.altitude.resize(n, 0.0f);
    // A sample the altitude formula fails on keeps its previous entries and stays out of the
    // maximum; the pressure formula failing on the reference leaves everything as it was.
    const SampleTranslationInput input{m_strPressureFormula, m_strAltitudeFormula, m_nReferenceRaw,
                                       m_raw};
    if (!TranslateSamples(input, m_nSampleRate, d.time, d.altitude, d.maxAltitude))
        return false;

    if (n > 0) {
        for (CAnnotation* note : m_annotations)
            if (note->m_bBoundToData)
                note->m_dAltitude = d.altitude[SampleIndex(note->m_dTime, m_nSampleRate, n)];
    }
    d.translatedAltitudeFormula = m_strAltitudeFormula;
    d.translatedPressureFormula = m_strPressureFormula;
    return true;
}

bool CDataBlock::EnsureTranslated() const {
    DerivedCache& d = Derived();
    if ((m_strAltitudeFormula != d.translatedAltitudeFormula ||
         m_strPressureFormula != d.translatedPressureFormula) &&
        !Translate())
        return false;
    // Also without a translation (both formulas empty), so that every sample has a value.
    d.time.resize(m_raw.size(), 0.0f);
    d.altitude.resize(m_raw.size(), 0.0f);
    return true;
}

std::optional<FlightDisplay> CDataBlock::GetDisplayView(bool applyOffsets) const {
    if (!EnsureTranslated())
        return std::nullopt;
    const CRecordDocument* doc = GetDocument();
    const DerivedCache& d = Derived();
    FlightDisplay view;
    view.time = d.time;
    view.altitude = d.altitude;
    view.timeOffset = applyOffsets ? GetEffectiveTimeOffset() : 0.0f;
    view.altitudeOffset = applyOffsets ? GetEffectiveAltitudeOffset() : 0.0f;
    view.altitudeFactor = doc && doc->GetShowFeet() != 0 ? CRecordDocument::kFeetFactor : 1.0f;
    return view;
}

std::size_t CDataBlock::GetDisplayData(std::vector<float>& time, std::vector<float>& altitude,
                                       bool applyOffsets) const {
    const std::optional<FlightDisplay> view = GetDisplayView(applyOffsets);
    if (!view)
        return 0;
    const std::size_t n = view->Size();
    time.resize(n);
    altitude.resize(n);
    for (std::size_t i = 0; i < n; ++i) {
        time[i] = view->Time(i);
        altitude[i] = view->Altitude(i);
    }
    return n;
}

void CDataBlock::GetStartPoint(float& time, float& altitude) const {
    time = 0.0f;
    altitude = 0.0f;
    const std::optional<FlightDisplay> view = GetDisplayView(true);
    if (view && view->Size() > 1) {
        time = view->Time(0);
        altitude = view->Altitude(0);
    }
}

double CDataBlock::GetMaxAltitude() const {
    const DerivedCache& d = Derived();
    if (d.maxAltitude < 0)
        static_cast<void>(EnsureTranslated());
    const CRecordDocument* doc = GetDocument();
    return d.maxAltitude * (doc ? doc->GetDisplayFactor() : 1.0);
}

std::string CDataBlock::GetDurationText() const {
    DerivedCache& d = Derived();
    if (d.durationText.empty()) {
        const auto ms =
            static_cast<std::int64_t>(m_nSampleRate) * static_cast<std::int64_t>(m_raw.size());
        d.durationText = FormatSeconds(static_cast<double>(ms) * 0.001);
    }
    return d.durationText;
}

void CDataBlock::InvalidateDerived() {
    m_pDerived.reset();
}

CDataBlock::DerivedCache& CDataBlock::Derived() const {
    if (!m_pDerived)
        m_pDerived = std::make_unique<DerivedCache>();
    return *m_pDerived;
}

bool CDataBlock::EvaluateSamples(double& referencePressure,
                                 std::vector<TranslatedSample>& samples) const {
    const SampleTranslationInput input{m_strPressureFormula, m_strAltitudeFormula, m_nReferenceRaw,
                                       m_raw};
    return ::EvaluateSamples(input, referencePressure, samples);
}
