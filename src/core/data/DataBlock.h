// CDataBlock: one flight — raw samples, reference value, formulas, offsets and annotations.
#pragma once

#include "data/SampleTranslation.h"
#include "data/ViewTreeItem.h"
#include "framework/ObListEx.h"

#include <array>
#include <cstdint>
#include <iosfwd>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

class CAnnotation;
class CRecordDocument;

// The two text exports of a flight.
enum class TextExport { Translated, Raw };

// A visible annotation as the graph shows it: x on the time axis (minutes or seconds) and y in
// the document's altitude unit, both with the flight's effective offsets.
struct AnnotationMark {
    int kind; // CAnnotation::Kind
    double x;
    double y;
    std::int32_t style;
    std::int32_t colour; // 0x00BBGGRR
    std::string label;   // CAnnotation::GetChartLabel
};

// A flight as displayed, without a copy of its samples: the translated arrays and the offsets
// and unit the display applies to them. Point i is what GetDisplayData writes at i, bit for bit.
// The spans stay valid until the flight translates anew (a formula or raw sample change).
struct FlightDisplay {
    std::span<const float> time;     // seconds from the first sample, without offset
    std::span<const float> altitude; // metres, without offset
    float timeOffset = 0.0f;         // seconds
    float altitudeOffset = 0.0f;     // metres
    float altitudeFactor = 1.0f; // metres to the display unit: 1 or CRecordDocument::kFeetFactor

    [[nodiscard]] std::size_t Size() const { return time.size(); }
    [[nodiscard]] float Time(std::size_t i) const {
        return timeOffset == 0.0f ? time[i] : time[i] + timeOffset;
    }
    // In the display unit.
    [[nodiscard]] float Altitude(std::size_t i) const {
        if (altitudeFactor == 1.0f && altitudeOffset == 0.0f)
            return altitude[i];
        return (altitude[i] + altitudeOffset) * altitudeFactor;
    }
};

class CDataBlock : public CViewTreeItem {
    KUBO_DECLARE_SERIAL(CDataBlock)
public:
    // parent: the owning session (null while loading; the session sets itself when it takes the
    // flight).
    explicit CDataBlock(CViewTreeItem* parent = nullptr);
    ~CDataBlock() override;

    // The flight record of the project file; fields missing from older versions keep their
    // defaults.
    void Serialize(CArchive& ar) override;

    [[nodiscard]] std::string GetName() const override { return m_strName; }
    [[nodiscard]] int GetItemType() const override { return kFlight; }
    // HINT_FLIGHT_CHANGED with this flight when update.
    void SetName(const std::string& name, bool update, CView* sender) override;

    [[nodiscard]] bool IsShown() const { return m_bShown; }
    // Unchanged value: false, nothing else. Otherwise stores it, HINT_FLIGHT_CHANGED when update,
    // marks the document modified, true.
    bool SetShown(bool shown, bool update, CView* sender);

    // The document of the owning session, or null for a flight outside any document.
    [[nodiscard]] CRecordDocument* GetDocument() const;

    // --- Offsets (seconds, metres). The effective offset is what the display adds. ---
    [[nodiscard]] bool IsPendingOffsetActive() const { return m_bPendingOffset; }
    [[nodiscard]] float GetPendingTimeOffset() const { return m_fPendingTimeOffset; }
    [[nodiscard]] float GetPendingAltitudeOffset() const { return m_fPendingAltitudeOffset; }
    [[nodiscard]] float GetAppliedTimeOffset() const { return m_fAppliedTimeOffset; }
    [[nodiscard]] float GetAppliedAltitudeOffset() const { return m_fAppliedAltitudeOffset; }
    // (active ? pending : 0) + applied, in single precision as stored.
    [[nodiscard]] float GetEffectiveTimeOffset() const;
    [[nodiscard]] float GetEffectiveAltitudeOffset() const;

    // Stores all three values; true (and the document marked modified) when active differs
    // from the stored flag, or when it is equal and either value differs.
    bool SetPendingOffset(bool active, float timeOffset, float altitudeOffset);
    // Applied offsets to 0 and the pending offset inactive (pending values kept). True.
    bool ResetOffsets();
    // Folds the pending offset (when active) and the deltas into the applied offset, then
    // clears the pending offset. True.
    bool ApplyOffset(float timeDelta, float altitudeDelta);

    // The visible annotations in display order, the time axis in minutes when timeInMinutes.
    // Annotations of a kind outside 0-2 (only an edited file holds them) are left out.
    [[nodiscard]] std::vector<AnnotationMark> GetAnnotationMarks(bool timeInMinutes) const;

    // --- Annotation editing (DataBlockAnnotations.cpp) ---
    // cmd::FlightAnnotation runs EditAnnotations.
    bool OnCmdMsg(unsigned nID, CCmdUI* pCmdUI) override;
    // The Flight Annotations dialog for this flight, titled str::AnnotationsCaption with its
    // name. After OK: the document marked modified, HINT_FLIGHT_CHANGED with this flight and,
    // when the flight is shown, HINT_GRAPH_DATA. Nothing after Cancel. True after OK.
    bool EditAnnotations();
    // The graph's context menu at a point (seconds and metres, the flight's offsets included).
    // cmd::AnnotationEdit runs EditAnnotations and answers false. cmd::AnnotationNewPoint,
    // cmd::AnnotationNewHorizontal and cmd::AnnotationNewVertical make a data point, a
    // horizontal or a vertical line at the point less the effective offsets and open the Edit
    // Annotation dialog on it: OK appends it (the document marked modified) and answers true,
    // Cancel discards it. Any other id does nothing and answers false. The caller tells the
    // graph.
    [[nodiscard]] bool AddAnnotationAt(unsigned commandId, double time, double altitude);

    // --- Fields ---
    [[nodiscard]] const std::string& GetDate() const { return m_strDate; }
    void SetDate(std::string date) { m_strDate = std::move(date); }
    [[nodiscard]] std::uint32_t GetVersion() const { return m_nVersion; }
    void SetVersion(std::uint32_t version) { m_nVersion = version; }
    [[nodiscard]] std::uint16_t GetReferenceRaw() const { return m_nReferenceRaw; }
    void SetReferenceRaw(std::uint16_t raw) { m_nReferenceRaw = raw; }
    // Milliseconds between two samples.
    [[nodiscard]] std::int32_t GetSampleRate() const { return m_nSampleRate; }
    void SetSampleRate(std::int32_t ms) { m_nSampleRate = ms; }
    [[nodiscard]] const std::string& GetAltitudeFormula() const { return m_strAltitudeFormula; }
    void SetAltitudeFormula(std::string formula) { m_strAltitudeFormula = std::move(formula); }
    [[nodiscard]] const std::string& GetPressureFormula() const { return m_strPressureFormula; }
    void SetPressureFormula(std::string formula) { m_strPressureFormula = std::move(formula); }

    // Owning list, in display order; each annotation's owner is this flight.
    [[nodiscard]] const CObListEx<CAnnotation>& GetAnnotations() const { return m_annotations; }
    [[nodiscard]] CObListEx<CAnnotation>& GetAnnotations() { return m_annotations; }
    // Appends an annotation and makes this flight its owner.
    void AppendAnnotation(std::unique_ptr<CAnnotation> annotation);

    // Raw device numbers, oldest first.
    [[nodiscard]] const std::vector<std::uint16_t>& GetRawSamples() const { return m_raw; }
    [[nodiscard]] std::vector<std::uint16_t>& GetRawSamples() { return m_raw; }

    // --- Decoding of a device transmission (DataBlockDecoding.cpp) ---
    // Consumes flight-block values from the front of values, decrementing remaining by the
    // number consumed. Returns 1 when the flight has ended: an end mark 127 was met and left
    // unconsumed. Returns 0 when the values are used up or a 226 at the end needs the next
    // value to decide whether it starts a data marker. Until FinishDecoding the raw array
    // starts with the three flight header values.
    [[nodiscard]] int DecodeBytes(const std::uint8_t* values, std::size_t& remaining);
    // Once per flight after the transmission: name "Flight <index + 1>", version from header
    // value 1, the document's default formulas (kept as they are without a document), and the
    // three flight header values taken off the raw array.
    void FinishDecoding(const std::array<std::uint8_t, 14>& header, int index);

    // --- Text export (DataBlockTextExport.cpp, DataBlockRawExport.cpp) ---
    // The export commands' per-flight call: the translated text, or the raw text with index and
    // total as ExportRaw takes them.
    void ExportText(std::ostream& out, TextExport kind, int index, int total) const;
    // Writes the commented header and one "time\taltitude\tpressure\traw" row per sample whose
    // altitude the formulas yield, in metres and without offsets, evaluated afresh (the
    // translation caches are neither read nor changed). When the pressure formula fails on the
    // reference raw value only the header is written, marked "evaluation error ! ".
    void ExportTranslated(std::ostream& out) const;
    // Writes this flight in the device's line protocol (DataBlockRawExport.cpp). index is the
    // flight's 0-based position in the export and total the number of flights it writes:
    // index 0 writes the name and date lines and the transmission header first, the last
    // flight the end mark 128 after it.
    void ExportRaw(std::ostream& out, int index, int total) const;

    // --- Translation of the raw values (DataBlockTranslation.cpp) ---
    // Fills time (seconds from the first sample) and altitude (document's unit) for every
    // sample, with the effective offsets when applyOffsets. Translates through the formulas
    // only when they differ from those of the last translation. Returns the sample count, or 0
    // with the out arrays untouched when the pressure formula fails on the reference raw value.
    [[nodiscard]] std::size_t GetDisplayData(std::vector<float>& time, std::vector<float>& altitude,
                                             bool applyOffsets) const;
    // The same points without copying them (the graph reads them once into its chart); nullopt
    // when the pressure formula fails on the reference raw value.
    [[nodiscard]] std::optional<FlightDisplay> GetDisplayView(bool applyOffsets) const;
    // The first displayed point (offsets applied) when there are at least 2 samples, else 0, 0.
    void GetStartPoint(float& time, float& altitude) const;
    // The highest translated altitude in the document's unit; negative (-1 m converted) when
    // the pressure formula fails on the reference raw value.
    [[nodiscard]] double GetMaxAltitude() const;
    // Samples × sample rate as FormatSeconds writes it ("2 min 3.4 sec").
    [[nodiscard]] std::string GetDurationText() const;
    // The next request translates and measures anew.
    void InvalidateDerived();
    // The exact translation for the text export, through the formulas without the caches: PR
    // and, per sample in order, PA and (when the altitude formula succeeded, `valid`) the
    // altitude in metres, all in double precision. False when the pressure formula fails on the
    // reference raw value: referencePressure is then 0.0 and samples is left as it was.
    [[nodiscard]] bool EvaluateSamples(double& referencePressure,
                                       std::vector<TranslatedSample>& samples) const;

private:
    void MarkModified() const;
    // Remakes the time and altitude arrays; false when the pressure formula fails on the
    // reference raw value.
    [[nodiscard]] bool Translate() const;
    // Translates when the formulas changed; false when the translation failed.
    [[nodiscard]] bool EnsureTranslated() const;

    std::string m_strName;
    bool m_bShown = false;
    std::string m_strDate;
    std::uint32_t m_nVersion = 0;
    std::uint16_t m_nReferenceRaw = 0;
    std::int32_t m_nSampleRate = 10;
    std::string m_strAltitudeFormula;
    std::string m_strPressureFormula;
    bool m_bPendingOffset = false;
    float m_fPendingTimeOffset = 0.0f;
    float m_fPendingAltitudeOffset = 0.0f;
    float m_fAppliedTimeOffset = 0.0f;
    float m_fAppliedAltitudeOffset = 0.0f;
    CObListEx<CAnnotation> m_annotations{true};
    std::vector<std::uint16_t> m_raw;

    // Translation caches, never stored, made on the first request: a flight that is never
    // shown or measured (a transmission of many empty flights) does not pay for them.
    // Empty formula texts mean "not translated yet". No display arrays are kept: the display
    // transform is applied where the points are read (FlightDisplay), so a shown flight costs
    // its raw and translated samples only.
    struct DerivedCache {
        double maxAltitude = -1.0;   // metres; -1: not computed
        std::string durationText;    // empty: not computed
        std::vector<float> time;     // seconds, one per sample
        std::vector<float> altitude; // metres, one per sample
        std::string translatedAltitudeFormula;
        std::string translatedPressureFormula;
    };
    DerivedCache& Derived() const;
    mutable std::unique_ptr<DerivedCache> m_pDerived;
};
