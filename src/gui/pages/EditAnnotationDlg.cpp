#include "pages/EditAnnotationDlg.h"

#include "calc/TextHelpers.h"
#include "data/Annotation.h"
#include "data/RecordDocument.h"
#include "framework/StringIds.h"
#include "framework/StringTable.h"
#include "widgets/ColourPicker.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {
constexpr int kAltitudeSteps = 100; // the altitude is shown to 1/100 of the unit
constexpr int kTimeSteps = 10;      // the time is kept to 1/10 s

QString Text(unsigned id) {
    return QString::fromStdString(LoadString(id));
}

void FillList(QComboBox* box, const std::string& entries) {
    box->clear();
    box->addItems(QString::fromStdString(entries).split(QLatin1Char('\n')));
    box->setCurrentIndex(0);
}

void Warn(QWidget* parent, const std::string& text) {
    QMessageBox::warning(parent, QStringLiteral("Kubo"), QString::fromStdString(text));
}
} // namespace

CEditAnnotationDlg::CEditAnnotationDlg(CAnnotation& annotation, QWidget* parent)
    : QDialog(parent), m_annotation(annotation) {
    setObjectName(QStringLiteral("dialog493"));
    setWindowTitle(tr("Edit Annotation"));

    m_pVisible = new QCheckBox(tr("Annotation &visible"), this);
    m_pVisible->setObjectName(QStringLiteral("check1041"));

    auto* kindGroup = new QGroupBox(tr("A&nnotation Type"), this);
    auto* kindLayout = new QHBoxLayout(kindGroup);
    auto* kinds = new QButtonGroup(this);
    const QString kindTexts[3] = {tr("Horizontal"), tr("Vertical"), tr("Data")};
    for (int kind = 0; kind < 3; ++kind) {
        m_pKind[kind] = new QRadioButton(kindTexts[kind], kindGroup);
        m_pKind[kind]->setObjectName(QStringLiteral("radio%1").arg(1031 + kind));
        kinds->addButton(m_pKind[kind], kind);
        kindLayout->addWidget(m_pKind[kind]);
    }
    connect(kinds, &QButtonGroup::idClicked, this, [this](int kind) { SetUpForKind(kind); });

    auto* coordinates = new QGroupBox(tr("&Coordinates (relative to Flight data)"), this);
    auto* coordinateGrid = new QGridLayout(coordinates);
    m_pTime = new QLineEdit(coordinates);
    m_pTime->setObjectName(QStringLiteral("edit1034"));
    m_pAltitude = new QLineEdit(coordinates);
    m_pAltitude->setObjectName(QStringLiteral("edit1029"));
    m_pUnit = new QLabel(tr("meters"), coordinates);
    m_pUnit->setObjectName(QStringLiteral("static1075"));
    auto* timeLabel = new QLabel(tr("&Time:"), coordinates);
    timeLabel->setBuddy(m_pTime);
    auto* altitudeLabel = new QLabel(tr("&Altitude:"), coordinates);
    altitudeLabel->setBuddy(m_pAltitude);
    coordinateGrid->addWidget(timeLabel, 0, 0);
    coordinateGrid->addWidget(m_pTime, 0, 1);
    coordinateGrid->addWidget(altitudeLabel, 1, 0);
    coordinateGrid->addWidget(m_pAltitude, 1, 1);
    coordinateGrid->addWidget(m_pUnit, 1, 2);

    m_pText = new QLineEdit(this);
    m_pText->setObjectName(QStringLiteral("edit1006"));
    m_pColourButton = new QPushButton(tr("Color:"), this);
    m_pColourButton->setObjectName(QStringLiteral("button1013"));
    connect(m_pColourButton, &QPushButton::clicked, this, &CEditAnnotationDlg::OnColourButton);
    m_pSwatch = new QFrame(this);
    m_pSwatch->setObjectName(QStringLiteral("swatch1040"));
    m_pSwatch->setFrameShape(QFrame::Box);
    m_pSwatch->setMinimumSize(40, 18);
    m_pSwatch->setAutoFillBackground(true);
    m_pAlignment = new QComboBox(this);
    m_pAlignment->setObjectName(QStringLiteral("combo1042"));
    m_pStyle = new QComboBox(this);
    m_pStyle->setObjectName(QStringLiteral("combo1039"));

    auto* form = new QFormLayout;
    form->addRow(tr("Te&xt:"), m_pText);
    auto* colourRow = new QHBoxLayout;
    colourRow->addWidget(m_pSwatch, 1);
    form->addRow(m_pColourButton, colourRow);
    form->addRow(tr("A&lignment:"), m_pAlignment);
    form->addRow(tr("&Style:"), m_pStyle);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CEditAnnotationDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CEditAnnotationDlg::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pVisible);
    layout->addWidget(kindGroup);
    layout->addWidget(coordinates);
    layout->addLayout(form);
    layout->addWidget(buttons);

    SetUpForKind(m_annotation.m_nKind);
    LoadFields();
}

void CEditAnnotationDlg::SetUpForKind(int kind) {
    FillList(m_pAlignment, CAnnotation::GetAlignmentDescriptions(kind));
    FillList(m_pStyle, CAnnotation::GetStyleNames(kind));
    m_pAltitude->setEnabled(!m_annotation.m_bBoundToData && (kind == CAnnotation::kHorizontalLine ||
                                                             kind == CAnnotation::kDataPoint));
    m_pTime->setEnabled(kind == CAnnotation::kVerticalLine || kind == CAnnotation::kDataPoint);
}

void CEditAnnotationDlg::LoadFields() {
    const CRecordDocument* doc = m_annotation.GetDocument();
    const bool feet = doc && doc->GetShowFeet() != 0;
    m_pVisible->setChecked(m_annotation.m_bVisible);
    if (m_annotation.m_nKind >= 0 && m_annotation.m_nKind < CAnnotation::kKindCount)
        m_pKind[m_annotation.m_nKind]->setChecked(true);
    m_pText->setText(QString::fromStdString(m_annotation.m_strText));
    m_pAlignment->setCurrentIndex(m_annotation.m_nAlignment);
    m_pStyle->setCurrentIndex(m_annotation.m_nStyle);
    m_pUnit->setText(Text(feet ? str::FeetLong : str::MetresLong));
    if (m_annotation.m_bBoundToData) {
        m_pAltitude->setText(Text(str::DataMarkerCaption));
    } else {
        const double factor = doc ? doc->GetDisplayFactor() : 1.0;
        m_pAltitude->setText(
            QString::number(RoundTo(m_annotation.m_dAltitude * factor, kAltitudeSteps), 'g', 15));
    }
    m_annotation.m_dTime = RoundTo(m_annotation.m_dTime, kTimeSteps);
    m_pTime->setText(QString::fromStdString(FormatSeconds(m_annotation.m_dTime)));
    SetColour(m_annotation.m_crColour);
}

int CEditAnnotationDlg::CheckedKind() const {
    for (int kind = 0; kind < 3; ++kind)
        if (m_pKind[kind]->isChecked())
            return kind;
    return m_annotation.m_nKind;
}

bool CEditAnnotationDlg::StoreFields() {
    m_annotation.m_bVisible = m_pVisible->isChecked();
    m_annotation.m_nKind = CheckedKind();
    m_annotation.m_strText = m_pText->text().toStdString();
    // A list with nothing chosen keeps the stored index.
    if (m_pAlignment->currentIndex() >= 0)
        m_annotation.m_nAlignment = m_pAlignment->currentIndex();
    if (m_pStyle->currentIndex() >= 0)
        m_annotation.m_nStyle = m_pStyle->currentIndex();
    m_bStored = true;

    if (!m_annotation.m_bBoundToData) {
        bool ok = false;
        const double value = m_pAltitude->text().trimmed().toDouble(&ok);
        if (!ok) {
            Warn(this, LoadString(str::AnnotationAltitudeNotNumber));
            m_pAltitude->setFocus();
            m_pAltitude->selectAll();
            return false;
        }
        const CRecordDocument* doc = m_annotation.GetDocument();
        m_annotation.m_dAltitude = value / (doc ? doc->GetDisplayFactor() : 1.0);
    }

    std::int32_t errorIndex = -1;
    m_annotation.m_dTime = ParseDuration(m_pTime->text().toStdString(), &errorIndex);
    if (errorIndex != -1) {
        Warn(this,
             FormatDirectives(LoadString(str::TimeStringError), {std::to_string(errorIndex)}));
        m_pTime->setFocus();
        return false;
    }
    m_annotation.m_crColour = m_crColour;
    return true;
}

void CEditAnnotationDlg::SetColour(std::uint32_t colour) {
    m_crColour = colour;
    QPalette palette = m_pSwatch->palette();
    palette.setColor(QPalette::Window, CColourPicker::ToQColor(colour));
    m_pSwatch->setPalette(palette);
    m_pSwatch->update();
    m_pColourButton->update();
}

void CEditAnnotationDlg::OnColourButton() {
    if (const std::optional<std::uint32_t> colour =
            CColourPicker::Pick(m_pColourButton, m_crColour))
        SetColour(*colour);
}

void CEditAnnotationDlg::accept() {
    if (StoreFields())
        QDialog::accept();
}

void CEditAnnotationDlg::reject() {
    // A refused OK may have changed the annotation; the project must know it has changed.
    if (m_bStored)
        if (CRecordDocument* doc = m_annotation.GetDocument())
            doc->SetModifiedFlag(true);
    QDialog::reject();
}
