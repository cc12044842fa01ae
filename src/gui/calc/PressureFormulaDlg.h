// CPressureFormulaDlg: the formula editor for pressure formulas (variable X).
#pragma once

#include "calc/FormulaDlg.h"

class CPressureFormulaDlg : public CFormulaDlg {
    Q_OBJECT
public:
    explicit CPressureFormulaDlg(QWidget* parent = nullptr);
};
