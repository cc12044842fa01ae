// CFormulaSetDlg: edits a pressure/altitude formula pair with the recently used lists, the
// formula editors behind the "..." buttons and a check of both formulas on OK.
#pragma once

#include "framework/StringArrayEx.h"

#include <QDialog>

#include <string>
#include <string_view>

class CFormulaDlg;
class QComboBox;
class QDialogButtonBox;
class QPushButton;
class RegistryStore;

class CFormulaSetDlg : public QDialog {
    Q_OBJECT
public:
    // The Calculations dialog. registry holds the recently used lists; not owned, may be null
    // (the lists then stay empty and nothing is written).
    explicit CFormulaSetDlg(RegistryStore* registry, QWidget* parent = nullptr);

    // The creator sets both before showing the dialog and reads them after OK; Cancel leaves
    // them as given. After OK both evaluate without error at the fixed test values.
    std::string m_strAltitudeFormula;
    std::string m_strPressureFormula;

    // Exchanges the members with the controls. Saving checks both formulas and takes them only
    // when both pass; a failure has shown str::InvalidPressureFormula or
    // str::InvalidAltitudeFormula, moved the focus to the faulty box and returns false.
    [[nodiscard]] bool UpdateData(bool save);
    // Adds each formula to its recently used list unless the list already holds it.
    void AppendFormulasToRecentLists();

    // "..." beside a box: the formula editor on the box's text and the registry list; on OK
    // the list is written back and the box takes the list and the chosen formula.
    void OnPressureFormulaDialog();
    void OnAltitudeFormulaDialog();

    [[nodiscard]] QComboBox* PressureBox() const { return m_pPressure; }
    [[nodiscard]] QComboBox* AltitudeBox() const { return m_pAltitude; }
    [[nodiscard]] QPushButton* PressureDialogButton() const { return m_pPressureMore; }
    [[nodiscard]] QPushButton* AltitudeDialogButton() const { return m_pAltitudeMore; }

    void accept() override;

protected:
    // For a derived dialog that lays out the controls itself (see PressureBox and the others);
    // nothing is placed yet.
    struct NoLayout {};
    CFormulaSetDlg(RegistryStore* registry, QWidget* parent, NoLayout);

    [[nodiscard]] RegistryStore* Registry() const { return m_pRegistry; }
    [[nodiscard]] QDialogButtonBox* ButtonBox() const { return m_pButtons; }

    // save false: members to controls; save true: controls to members, checking them.
    [[nodiscard]] virtual bool DoDataExchange(bool save);
    void showEvent(QShowEvent* event) override;

private:
    void CreateControls();
    void LayOutCalculations();
    void OnInitDialog();
    void FillLists();
    void RunFormulaDialog(CFormulaDlg& dialog, QComboBox* box, std::string_view listName);

    RegistryStore* m_pRegistry;
    QComboBox* m_pPressure = nullptr;
    QComboBox* m_pAltitude = nullptr;
    QPushButton* m_pPressureMore = nullptr;
    QPushButton* m_pAltitudeMore = nullptr;
    QDialogButtonBox* m_pButtons = nullptr;
    bool m_bInitialised = false;
};
