// CAnnotation: a labelled horizontal line, vertical line or data point of one flight.
#pragma once

#include "framework/Object.h"

#include <cstdint>
#include <string>

class CDataBlock;
class CRecordDocument;

class CAnnotation : public CObject {
    KUBO_DECLARE_SERIAL(CAnnotation)
public:
    enum Kind { kHorizontalLine = 0, kVerticalLine = 1, kDataPoint = 2 };
    static constexpr int kKindCount = 3;

    // Defaults: visible, horizontal line, style 0, alignment 0, at 0 s / 0 m, text
    // str::AnnotationText, black, not bound. owner: the flight whose list will hold it; not owned.
    explicit CAnnotation(CDataBlock* owner = nullptr);

    // The annotation record of the project file; the owner is set by the flight that adopts it.
    void Serialize(CArchive& ar) override;

    // The device's data marker number `number` (1-based within the flight) at time seconds:
    // a visible, data-bound "Small Circle" point, left justified, black, text "M<number>".
    [[nodiscard]] static std::unique_ptr<CAnnotation> MakeDataMarker(CDataBlock* owner, int number,
                                                                     double time);

    [[nodiscard]] CDataBlock* GetOwner() const { return m_pOwner; }
    void SetOwner(CDataBlock* owner) { m_pOwner = owner; }
    [[nodiscard]] CRecordDocument* GetDocument() const;

    // The chart label: the alignment code of the kind, then the first 46 characters of two
    // spaces + text (carriage returns removed, each line feed followed by two spaces).
    [[nodiscard]] std::string GetChartLabel() const;

    // The alignment codes ("|c", "|l" ...) and descriptions of a kind, one per line feed; a
    // kind outside 0-2 has one empty entry.
    [[nodiscard]] static std::string GetAlignmentCodes(int kind);
    [[nodiscard]] static std::string GetAlignmentDescriptions(int kind);
    // The style names of a kind: line styles for 0 and 1, symbols for 2, else one empty entry.
    [[nodiscard]] static std::string GetStyleNames(int kind);

    bool m_bVisible = true;
    std::int32_t m_nKind = kHorizontalLine;
    // Line style index (kinds 0, 1) or symbol index (kind 2): the chart's own type code.
    std::int32_t m_nStyle = 0;
    // Index into the kind's alignment list.
    std::int32_t m_nAlignment = 0;
    double m_dTime = 0.0;     // seconds from the flight's first sample, without offsets
    double m_dAltitude = 0.0; // metres, without offsets
    std::string m_strText;
    std::uint32_t m_crColour = 0; // 0x00BBGGRR
    // The altitude follows the flight's translated data at m_dTime.
    bool m_bBoundToData = false;

private:
    CDataBlock* m_pOwner;
};

// Symbol index of "Small Circle", the device's data markers.
inline constexpr int kDataMarkerSymbol = 15;
