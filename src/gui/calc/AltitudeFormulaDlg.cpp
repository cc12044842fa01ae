#include "calc/AltitudeFormulaDlg.h"

CAltitudeFormulaDlg::CAltitudeFormulaDlg(QWidget* parent)
    : CFormulaDlg(496,
                  {tr("Define Altitude Formula"), tr("Altitude &Formula:"),
                   tr("&Recently used altitude formulas:"),
                   tr("PA is calculated altitude pressure\nPR is calculated reference pressure")},
                  {{1033, QStringLiteral("PA")}, {1034, QStringLiteral("PR")}}, parent) {}
