// CMainDoc: the project document — its sessions and the settings the records read through it.
#pragma once

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

    // Takes session out of the project. With notify: hint 11 before and hint 12 after, with the
    // session and sender. With deleteIt the session is destroyed afterwards, else the caller
    // owns it. Does not mark the document modified. False (nothing changed) when the session
    // is not in the list.
    bool RemoveSession(CDataModule* session, bool deleteIt, bool notify, CView* sender);

private:
    CObListEx<CDataModule> m_sessions{true};
    std::uint32_t m_nShowFeet = 0;
};
