// CMainDoc: the project document — its sessions and the settings the records read through it.
#pragma once

#include "data/RecordDocument.h"
#include "framework/ArchiveStream.h"
#include "framework/ChartStateBlock.h"
#include "framework/CommTimeouts.h"
#include "framework/ObListEx.h"
#include "framework/PortSetupBlock.h"
#include "framework/SafeFile.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

class CArchive;
class CDataModule;
class CView;
class Clock;
class RegistryStore;

class CMainDoc : public CRecordDocument {
    KUBO_DECLARE_DYNAMIC(CMainDoc)
public:
    // The version written to project files; versions 1 to it are read.
    static constexpr std::uint16_t kFileVersion = 6;
    // The built-in default formulas.
    static constexpr const char* kBuiltInPressureFormula = "(X/147.456)+10.555555";
    static constexpr const char* kBuiltInAltitudeFormula = "ln(PA/PR) * (-29.153) * 293";

    // The graph page's chart, through which saving takes the current chart settings and
    // loading hands them over. Registered by the graph page; not owned.
    class ChartLink {
    public:
        virtual ~ChartLink() = default;
        [[nodiscard]] virtual std::vector<std::uint8_t> ExportChartState() = 0;
        virtual void ImportChartState(std::span<const std::uint8_t> state) = 0;
    };

    // Sets the built-in settings, then loads the registry's (machine-wide formulas, then the
    // user's values) when registry is given. registry is not owned and must outlive the
    // document; it is also where SaveSettings writes.
    explicit CMainDoc(CUiServices* ui = nullptr, RegistryStore* registry = nullptr);
    ~CMainDoc() override;

    // The sessions in tree order; the document owns them.
    [[nodiscard]] const CObListEx<CDataModule>& GetSessions() const { return m_sessions; }
    [[nodiscard]] CObListEx<CDataModule>& GetSessions() { return m_sessions; }

    // Takes session out of the list: false when it is not there. With notify,
    // HINT_SESSION_REMOVING before and HINT_SESSION_REMOVED after (the session as hint object,
    // sender not told); with deleteIt the session is destroyed afterwards, else the caller owns it.
    // Marks the document modified: the project no longer holds what its file does.
    bool RemoveSession(CDataModule* session, bool deleteIt, bool notify, CView* sender);

    // Show feet: 0 metres, nonzero feet.
    [[nodiscard]] std::uint32_t GetShowFeet() const override { return m_nShowFeet; }
    void SetShowFeet(std::uint32_t showFeet) { m_nShowFeet = showFeet; }

    // --- Display units ---
    [[nodiscard]] double ToDisplayUnits(double metres) const { return metres * GetDisplayFactor(); }
    [[nodiscard]] float ToDisplayUnits(float metres) const {
        return m_nShowFeet ? metres * kFeetFactor : metres;
    }
    [[nodiscard]] double FromDisplayUnits(double value) const { return value / GetDisplayFactor(); }
    [[nodiscard]] float FromDisplayUnits(float value) const {
        return m_nShowFeet ? value / kFeetFactor : value;
    }
    // An altitude already in display units: "%.1f ft" or "%.1f m", with a '.' whatever the C
    // locale.
    [[nodiscard]] std::string FormatAltitude(double value) const;
    // "feet"/"m" (long form) or "ft"/"m", from the string table.
    [[nodiscard]] std::string GetUnitName(bool longForm) const;

    // --- Settings ---
    // 0-based port position: 0 = COM1.
    [[nodiscard]] std::uint32_t GetPortIndex() const { return m_nPortIndex; }
    void SetPortIndex(std::uint32_t index) { m_nPortIndex = index; }
    // The serial device chosen where ports are not numbered (empty: use the index).
    [[nodiscard]] const std::string& GetPortName() const { return m_strPortName; }
    void SetPortName(std::string name) { m_strPortName = std::move(name); }
    [[nodiscard]] const CPortSetupBlock& GetPortSetup() const { return m_portSetup; }
    void SetPortSetup(const CPortSetupBlock& setup) { m_portSetup = setup; }
    [[nodiscard]] const CommTimeouts& GetCommTimeouts() const { return m_timeouts; }

    [[nodiscard]] const std::string& GetDefaultAltitudeFormula() const override {
        return m_strDefaultAltitudeFormula;
    }
    void SetDefaultAltitudeFormula(std::string formula) {
        m_strDefaultAltitudeFormula = std::move(formula);
    }
    [[nodiscard]] const std::string& GetDefaultPressureFormula() const override {
        return m_strDefaultPressureFormula;
    }
    void SetDefaultPressureFormula(std::string formula) {
        m_strDefaultPressureFormula = std::move(formula);
    }

    // The two user calculations of the measurement tool; index 1 or 2 (others read empty and
    // are not stored).
    [[nodiscard]] std::string GetUserFormula(int index) const;
    [[nodiscard]] std::string GetUserTitle(int index) const;
    void SetUserFormula(int index, std::string formula);
    void SetUserTitle(int index, std::string title);

    // The chart settings block of the project file.
    [[nodiscard]] const CChartStateBlock& GetChartState() const { return m_chartState; }
    [[nodiscard]] CChartStateBlock& GetChartState() { return m_chartState; }
    void SetChartLink(ChartLink* link) { m_pChartLink = link; }

    // The ANSI code page of project file texts (setting AnsiCodePage; default Windows-1252).
    [[nodiscard]] const std::string& GetAnsiCodePage() const { return m_strAnsiCodePage; }
    // The characters of text that the project file cannot hold (CCodePage::Unrepresentable).
    [[nodiscard]] std::string GetUnstorableCharacters(const std::string& text) const;
    // A name the user typed for a session or flight, as it is to be taken: the name itself when
    // the project file holds every character of it (or nobody can be asked). Otherwise the user
    // is asked (str::NameNotStorable): Yes gives the name as the file will hold it, those
    // characters replaced by '?'; No gives nullopt, and the name is to be edited again.
    [[nodiscard]] std::optional<std::string> AcceptTypedName(const std::string& typed) const;

    // --- Registry ---
    [[nodiscard]] RegistryStore* GetRegistry() const { return m_pRegistry; }
    // Machine-wide formulas, then the user's values; missing or mistyped values keep the
    // current ones.
    void LoadSettings(RegistryStore& store);
    // Writes the formulas, unit, port index, port set-up and serial device (also when empty) to
    // the user hive. False when the key cannot be opened or a value not written.
    bool SaveSettings(RegistryStore& store) const;
    // Writes user calculation index's formula and title as the user's defaults
    // (Formula_User1/Formula_User1t or Formula_User2/Formula_User2t). False when the key cannot
    // be opened or a value not written, or for an index other than 1 or 2.
    bool SaveUserCalculation(RegistryStore& store, int index) const;

    // --- Commands ---
    // Read Data, Insert Empty Session, Settings, Import project file and Import raw text file
    // (cmd::DataReadData ...): carried out with pCmdUI null, always enabled otherwise.
    bool OnCmdMsg(unsigned nID, CCmdUI* pCmdUI) override;

    // The serial device a device read opens: "\\.\COM<index + 1>" on Windows; elsewhere the
    // chosen device name, or "/dev/ttyS<index>" when none was chosen.
    [[nodiscard]] std::string GetPortDevice() const {
        return PortDevice(m_nPortIndex, m_strPortName);
    }
    [[nodiscard]] static std::string PortDevice(std::uint32_t portIndex,
                                                const std::string& portName);
    // The tick counter of device reads (the steady clock unless set). Not owned.
    void SetClock(Clock* clock);

    // --- Contents and files ---
    // HINT_CLEAR, then every session destroyed. Settings, user calculations and chart settings
    // stay.
    virtual void DeleteContents();
    // New: empties the project; the path is forgotten and the document unmodified.
    virtual bool OnNewDocument();
    // Reads the whole file first; only when it is sound is the project replaced. Failures are
    // reported to the user and leave the document unchanged; a file whose content cannot be
    // read is reported as not a project (or damaged), with what was found.
    virtual bool OnOpenDocument(const std::string& path);
    // HINT_SAVE, then the project written through a temporary file renamed over path. Failures are
    // reported to the user; the old file stays untouched.
    virtual bool OnSaveDocument(const std::string& path);
    // The project file record: version, chart block, user calculations, sessions. Loading
    // appends the sessions read; on failure nothing of the document has changed.
    void Serialize(CArchive& ar) override;

    // The file checks of the framework's open and save. Loading: an empty file fails with the
    // end-of-file cause, saying it is empty. Saving: a file with its read-only attribute (no write
    // permission bit) fails with access denied. Other failures carry the system's cause. Throw
    // CFileException.
    [[nodiscard]] virtual std::unique_ptr<CArchiveInput> GetFileForLoad(const std::string& path);
    [[nodiscard]] virtual std::unique_ptr<CSafeFile> GetFileForSave(const std::string& path);

private:
    struct LoadedProject;
    [[nodiscard]] LoadedProject ReadProject(CArchive& ar);
    void Adopt(LoadedProject& project);
    void ReportError(const std::exception& error) const;
    // "Not enough memory for PATH." in a message box.
    void ReportOutOfMemory(const std::string& path) const;

    void OnDataReadData(unsigned id);
    void OnDataInsertEmptySession(unsigned id);
    void OnDataSettings(unsigned id);
    void OnFileImportProject(unsigned id);
    void OnFileImportRawText(unsigned id);
    // Appends session as the last one and tells the views with HINT_SESSION_ADDED.
    void AppendSession(std::unique_ptr<CDataModule> session);
    // A kept device read or raw import: marks the document modified, then appends session
    // (HINT_SESSION_ADDED) or, with separate, session holding flight 1 and one new session for
    // each further flight (HINT_REBUILD).
    void AppendReadSession(std::unique_ptr<CDataModule> session, bool separate);

    CObListEx<CDataModule> m_sessions{true};
    std::uint32_t m_nPortIndex = 0;
    CPortSetupBlock m_portSetup;
    CommTimeouts m_timeouts;
    std::string m_strDefaultAltitudeFormula = kBuiltInAltitudeFormula;
    std::string m_strDefaultPressureFormula = kBuiltInPressureFormula;
    std::uint32_t m_nShowFeet = 0;
    std::string m_strUserFormula1;
    std::string m_strUserFormula2;
    std::string m_strUserTitle1;
    std::string m_strUserTitle2;
    CChartStateBlock m_chartState;

    std::string m_strPortName;
    std::string m_strAnsiCodePage;
    RegistryStore* m_pRegistry;
    ChartLink* m_pChartLink = nullptr;
    Clock* m_pClock = nullptr; // null: the process's steady clock
};
