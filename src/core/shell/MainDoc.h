// CMainDoc: the project document — its sessions and the settings the records read through it.
#pragma once

#include <string>

#include "framework/Document.h"
#include "framework/ObListEx.h"

class CDataModule;

class CMainDoc : public CDocument {
    KUBO_DECLARE_DYNAMIC(CMainDoc)
public:
    // Altitudes are shown in feet as metres × this single-precision factor.
    static constexpr float kFeetFactor = 3.28084f;

    explicit CMainDoc(CUiServices* ui = nullptr);
    ~CMainDoc() override;

    // The sessions in tree order; the document owns them.
    [[nodiscard]] const CObListEx<CDataModule>& GetSessions() const { return m_sessions; }
    [[nodiscard]] CObListEx<CDataModule>& GetSessions() { return m_sessions; }

    // Show feet: 0 metres, nonzero feet.
    [[nodiscard]] std::uint32_t GetShowFeet() const { return m_nShowFeet; }
    void SetShowFeet(std::uint32_t showFeet) { m_nShowFeet = showFeet; }
    // Metres → display units factor: 3.28084f widened in feet mode, else 1.0.
    [[nodiscard]] double GetDisplayFactor() const {
        return m_nShowFeet ? static_cast<double>(kFeetFactor) : 1.0;
    }

    // The formulas a newly read flight gets: pressure in X, altitude in PA and PR.
    [[nodiscard]] const std::string& GetDefaultPressureFormula() const {
        return m_strDefaultPressureFormula;
    }
    void SetDefaultPressureFormula(std::string formula) {
        m_strDefaultPressureFormula = std::move(formula);
    }
    [[nodiscard]] const std::string& GetDefaultAltitudeFormula() const {
        return m_strDefaultAltitudeFormula;
    }
    void SetDefaultAltitudeFormula(std::string formula) {
        m_strDefaultAltitudeFormula = std::move(formula);
    }

private:
    CObListEx<CDataModule> m_sessions{true};
    std::uint32_t m_nShowFeet = 0;
    std::string m_strDefaultPressureFormula = "(X/147.456)+10.555555";
    std::string m_strDefaultAltitudeFormula = "ln(PA/PR) * (-29.153) * 293";
};
