// CUserFormulaDlg: the formula editor for the measurement tool's user calculations, with the
// calculation's title and its "Save as default" choice.
#pragma once

#include "calc/FormulaDlg.h"

class QCheckBox;
class QLineEdit;

class CUserFormulaDlg : public CFormulaDlg {
    Q_OBJECT
public:
    explicit CUserFormulaDlg(QWidget* parent = nullptr);

    // In and out like the formula; the flag starts set.
    std::string m_strTitle;
    bool m_bSaveAsDefault = true;

    [[nodiscard]] QLineEdit* TitleEdit() const { return m_pTitle; }
    [[nodiscard]] QCheckBox* SaveAsDefaultBox() const { return m_pSaveAsDefault; }

protected:
    void DoDataExchange(bool save) override;

private:
    QLineEdit* m_pTitle;
    QCheckBox* m_pSaveAsDefault;
};
