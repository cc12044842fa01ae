// CAltitudeFormulaDlg: the formula editor for altitude formulas (variables PA and PR).
#pragma once

#include "calc/FormulaDlg.h"

class CAltitudeFormulaDlg : public CFormulaDlg {
    Q_OBJECT
public:
    explicit CAltitudeFormulaDlg(QWidget* parent = nullptr);
};
