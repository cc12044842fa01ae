// CDataViewInfo: the information page — the current flight's facts, its Calculations and the
// comments of its session.
#pragma once

#include "pages/DataView.h"
#include "shell/InfoPageState.h"

class CCommentRuler;
class CRichEditorView;
class QFrame;
class QLabel;
class QLineEdit;
class QPrinter;
class QPushButton;
class RegistryStore;

// Shows what the tree's single selected item says (HINT_SELECTION): the flight's date of
// reading, sample rate, device version, flight time and highest altitude, and its session's
// comments in the editor with the ruler below. Which comments are loaded and stored, and when,
// is InfoPageState's rule. Comments that hold content the editor cannot keep are shown
// read-only with a notice and an "Edit anyway" button. The page's editor becomes the frame's
// active view when the page does, so the Edit and Format commands reach it; the page itself
// passes on page setup, print and print preview.
class CDataViewInfo : public CDataView {
    Q_OBJECT
    KUBO_DECLARE_DYNAMIC(CDataViewInfo)
public:
    explicit CDataViewInfo(QWidget* parent = nullptr);
    // Writes the page margins back to the registry the document was loaded with.
    ~CDataViewInfo() override;

    void OnUpdate(CView* pSender, long lHint, CObject* pHint) override;
    // The first time: the page margins from the registry; then a refresh.
    void OnInitialUpdate() override;
    bool OnCmdMsg(unsigned nID, CCmdUI* pCmdUI) override;
    [[nodiscard]] QWidget* GetCommandView() override;

    // The printer page setup and printing use; not owned (the application's).
    void SetPrinter(QPrinter* printer);
    // Replaces the editor's selection with text (the measurement tool's "Copy to Info"); false,
    // and nothing inserted, while no comments are open for editing.
    [[nodiscard]] bool InsertIntoComments(const QString& text);
    // Button "&Calculations...": the current flight's formulas.
    void OnCalculations();

    [[nodiscard]] CRichEditorView& Editor() const { return *m_pEditor; }
    [[nodiscard]] CCommentRuler& Ruler() const { return *m_pRuler; }
    [[nodiscard]] const InfoPageState& State() const { return m_state; }

private:
    void Refresh();
    void ShowNotice();

    CRichEditorView* m_pEditor;
    CCommentRuler* m_pRuler = nullptr;
    InfoPageState m_state;
    QLineEdit* m_pDate = nullptr;
    QLineEdit* m_pSampleRate = nullptr;
    QLineEdit* m_pVersion = nullptr;
    QLineEdit* m_pFlightTime = nullptr;
    QLineEdit* m_pMaxAltitude = nullptr;
    QPushButton* m_pCalculations = nullptr;
    QFrame* m_pNotice = nullptr;
    QLabel* m_pNoticeText = nullptr;
    RegistryStore* m_pSettings = nullptr; // where the page margins came from
};
