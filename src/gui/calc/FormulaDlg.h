// CFormulaDlg: the base of the formula editors — a multi-line formula edit with buttons that
// insert functions and variables, and the user's list of formulas.
#pragma once

#include "framework/StringArrayEx.h"

#include <QDialog>

#include <string>
#include <vector>

class QDialogButtonBox;
class QGridLayout;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QVBoxLayout;

class CFormulaDlg : public QDialog {
    Q_OBJECT
public:
    // The opener sets both before showing the dialog and reads them after OK. The formula is
    // one line (statements separated by ';'); the list comes back in the list box's sorted
    // order, duplicates kept. Cancel leaves both as the opener gave them. Nothing is validated.
    std::string m_strFormula;
    CStringArrayEx m_recentList;

    // Replaces the edit's selection (or inserts at the caret) with name, or with
    // "name(placeholder)" and then selects the placeholder so that typing replaces it. The
    // edit takes the focus.
    void Insert(const QString& name, const QString& placeholder = {});

    [[nodiscard]] QPlainTextEdit* FormulaEdit() const { return m_pEdit; }
    [[nodiscard]] QListWidget* ListBox() const { return m_pList; }
    [[nodiscard]] QPushButton* DeleteButton() const { return m_pDelete; }
    [[nodiscard]] QPushButton* GetButton() const { return m_pGet; }
    [[nodiscard]] QPushButton* AddButton() const { return m_pAdd; }

    // ADD: the edit's formula joins the list in sorted position and becomes its only selected
    // item (a duplicate is added again).
    void OnAdd();
    // DEL: with items selected, asks str::DeleteFormulas and on Yes deletes them.
    void OnDelete();
    // GET: with exactly one item selected, takes it into the edit; a non-empty edit is
    // overwritten only after Yes to str::OverwriteFormula.
    void OnGet();

    void accept() override;

protected:
    // A button that inserts a bare variable name.
    struct VariableButton {
        int id;
        QString name;
    };
    struct Texts {
        QString title;     // window title
        QString group;     // "Pressure &Formula:"
        QString listGroup; // "&Recently used pressure formulas:"
        QString help;      // what the variables mean
    };
    CFormulaDlg(int templateId, const Texts& texts, const std::vector<VariableButton>& variables,
                QWidget* parent);

    // save false: members to controls; save true: controls to members.
    virtual void DoDataExchange(bool save);
    // Room below the formula group for a derived dialog's own controls.
    [[nodiscard]] QVBoxLayout* ExtraLayout() const { return m_pExtra; }

    void showEvent(QShowEvent* event) override;

private:
    void OnInitDialog();
    void UpdateListButtons();
    void SetEditFormula(const std::string& formula);
    [[nodiscard]] std::string EditFormula() const;

    QPlainTextEdit* m_pEdit;
    QListWidget* m_pList;
    QPushButton* m_pDelete;
    QPushButton* m_pGet;
    QPushButton* m_pAdd;
    QVBoxLayout* m_pExtra;
    bool m_bInitialised = false;
};
