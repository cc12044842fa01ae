#include "calc/FormulaSetDlg.h"

#include "calc/AltitudeFormulaDlg.h"
#include "calc/DialogMessages.h"
#include "calc/FormulaSetValidation.h"
#include "calc/PressureFormulaDlg.h"
#include "calc/RecentFormulaLists.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
void SetList(QComboBox* box, const CStringArrayEx& list) {
    const QString text = box->currentText();
    box->clear();
    for (const std::string& item : list)
        box->addItem(QString::fromStdString(item));
    box->setEditText(text);
}
} // namespace

CFormulaSetDlg::CFormulaSetDlg(RegistryStore* registry, QWidget* parent)
    : QDialog(parent), m_pRegistry(registry) {
    CreateControls();
    LayOutCalculations();
}

CFormulaSetDlg::CFormulaSetDlg(RegistryStore* registry, QWidget* parent, NoLayout)
    : QDialog(parent), m_pRegistry(registry) {
    CreateControls();
}

void CFormulaSetDlg::CreateControls() {
    auto makeBox = [this](int id) {
        auto* box = new QComboBox(this);
        box->setObjectName(QStringLiteral("combo%1").arg(id));
        box->setEditable(true);
        box->setInsertPolicy(QComboBox::NoInsert);
        box->setDuplicatesEnabled(true);
        box->setMinimumContentsLength(32);
        box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        return box;
    };
    auto makeMore = [this](int id) {
        auto* button = new QPushButton(QStringLiteral("..."), this);
        button->setObjectName(QStringLiteral("button%1").arg(id));
        button->setAutoDefault(false);
        button->setMaximumWidth(button->fontMetrics().horizontalAdvance(QStringLiteral("....")) +
                                16);
        return button;
    };
    m_pPressure = makeBox(1015);
    m_pPressureMore = makeMore(1060);
    m_pAltitude = makeBox(1016);
    m_pAltitudeMore = makeMore(1061);
    m_pButtons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_pButtons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("buttonOk"));
    m_pButtons->button(QDialogButtonBox::Ok)->setDefault(true);
    m_pButtons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("buttonCancel"));

    connect(m_pPressureMore, &QPushButton::clicked, this, &CFormulaSetDlg::OnPressureFormulaDialog);
    connect(m_pAltitudeMore, &QPushButton::clicked, this, &CFormulaSetDlg::OnAltitudeFormulaDialog);
    connect(m_pButtons, &QDialogButtonBox::accepted, this, &CFormulaSetDlg::accept);
    connect(m_pButtons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void CFormulaSetDlg::LayOutCalculations() {
    setWindowTitle(tr("Calculations"));
    auto* group = new QGroupBox(tr("Calculations"), this);
    auto* pressureLabel = new QLabel(tr("&Pressure:"), group);
    pressureLabel->setBuddy(m_pPressure);
    auto* altitudeLabel = new QLabel(tr("&Altitude:"), group);
    altitudeLabel->setBuddy(m_pAltitude);

    auto* grid = new QGridLayout(group);
    grid->addWidget(pressureLabel, 0, 0);
    grid->addWidget(m_pPressure, 0, 1);
    grid->addWidget(m_pPressureMore, 0, 2);
    grid->addWidget(new QLabel(tr("X is number read from the device"), group), 1, 1, 1, 2);
    grid->addWidget(altitudeLabel, 2, 0);
    grid->addWidget(m_pAltitude, 2, 1);
    grid->addWidget(m_pAltitudeMore, 2, 2);
    grid->addWidget(new QLabel(tr("(in meters)"), group), 3, 1, 1, 2);
    grid->addWidget(
        new QLabel(tr("PA is calculated altitude pressure\nPR is calculated reference pressure"),
                   group),
        4, 1, 1, 2);
    grid->setColumnStretch(1, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(m_pButtons);
}

void CFormulaSetDlg::showEvent(QShowEvent* event) {
    if (!m_bInitialised) {
        m_bInitialised = true;
        OnInitDialog();
    }
    QDialog::showEvent(event);
}

void CFormulaSetDlg::OnInitDialog() {
    FillLists();
    (void)UpdateData(false);
}

void CFormulaSetDlg::FillLists() {
    m_pAltitude->clear();
    m_pPressure->clear();
    if (!m_pRegistry)
        return;
    RecentListDefaults& defaults = ProcessRecentListDefaults();
    EnsureRecentListDefaults(*m_pRegistry, defaults);
    SetList(m_pAltitude, ReadRecentList(*m_pRegistry, kRecentAltitudeFormulas, defaults));
    SetList(m_pPressure, ReadRecentList(*m_pRegistry, kRecentPressureFormulas, defaults));
}

bool CFormulaSetDlg::UpdateData(bool save) {
    return DoDataExchange(save);
}

bool CFormulaSetDlg::DoDataExchange(bool save) {
    if (!save) {
        m_pPressure->setEditText(QString::fromStdString(m_strPressureFormula));
        m_pAltitude->setEditText(QString::fromStdString(m_strAltitudeFormula));
        return true;
    }
    const std::string pressure = m_pPressure->currentText().toStdString();
    const std::string altitude = m_pAltitude->currentText().toStdString();
    const FormulaSetCheck check = ValidateFormulaSet(pressure, altitude);
    if (!check.IsValid()) {
        ShowDialogWarning(this, QString::fromStdString(check.message));
        QComboBox* box = check.invalid == FormulaField::kPressure ? m_pPressure : m_pAltitude;
        box->setFocus();
        box->lineEdit()->selectAll();
        return false;
    }
    m_strPressureFormula = pressure;
    m_strAltitudeFormula = altitude;
    return true;
}

void CFormulaSetDlg::accept() {
    if (!UpdateData(true))
        return;
    QDialog::accept();
}

void CFormulaSetDlg::AppendFormulasToRecentLists() {
    if (!m_pRegistry)
        return;
    ::AppendFormulasToRecentLists(*m_pRegistry, m_strPressureFormula, m_strAltitudeFormula,
                                  ProcessRecentListDefaults());
}

void CFormulaSetDlg::OnPressureFormulaDialog() {
    CPressureFormulaDlg dialog(this);
    RunFormulaDialog(dialog, m_pPressure, kRecentPressureFormulas);
}

void CFormulaSetDlg::OnAltitudeFormulaDialog() {
    CAltitudeFormulaDlg dialog(this);
    RunFormulaDialog(dialog, m_pAltitude, kRecentAltitudeFormulas);
}

void CFormulaSetDlg::RunFormulaDialog(CFormulaDlg& dialog, QComboBox* box,
                                      std::string_view listName) {
    if (m_pRegistry)
        dialog.m_recentList = ReadRecentList(*m_pRegistry, listName, ProcessRecentListDefaults());
    dialog.m_strFormula = box->currentText().toStdString();
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (m_pRegistry)
        (void)WriteRecentList(*m_pRegistry, listName, dialog.m_recentList);
    SetList(box, dialog.m_recentList);
    box->setEditText(QString::fromStdString(dialog.m_strFormula));
    box->setFocus();
}
