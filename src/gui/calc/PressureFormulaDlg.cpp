#include "calc/PressureFormulaDlg.h"

CPressureFormulaDlg::CPressureFormulaDlg(QWidget* parent)
    : CFormulaDlg(495,
                  {tr("Define Pressure Formula"), tr("Pressure &Formula:"),
                   tr("&Recently used pressure formulas:"), tr("X is number read from the device")},
                  {{1064, QStringLiteral("X")}}, parent) {}
