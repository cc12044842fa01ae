// CRecordDocument: what sessions, flights and annotations ask of the document that holds them.
#pragma once

#include "framework/Document.h"

#include <cstdint>
#include <string>

// Records change their document only through CDocument (the modified flag and UpdateAllViews)
// and read these settings from it; the project document implements them. So core/data never
// needs core/shell.
class CRecordDocument : public CDocument {
    KUBO_DECLARE_DYNAMIC(CRecordDocument)
public:
    // Altitudes are shown in feet as metres × this single-precision factor.
    static constexpr float kFeetFactor = 3.28084f;

    using CDocument::CDocument;

    // The display unit: 0 metres, nonzero feet.
    [[nodiscard]] virtual std::uint32_t GetShowFeet() const = 0;
    // Metres → display units factor: kFeetFactor widened in feet mode, else 1.0.
    [[nodiscard]] double GetDisplayFactor() const {
        return GetShowFeet() ? static_cast<double>(kFeetFactor) : 1.0;
    }
    // The formulas a flight takes when it is read from the device.
    [[nodiscard]] virtual const std::string& GetDefaultAltitudeFormula() const = 0;
    [[nodiscard]] virtual const std::string& GetDefaultPressureFormula() const = 0;
};
