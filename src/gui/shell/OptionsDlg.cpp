#include "shell/OptionsDlg.h"

#include "shell/MainDoc.h"
#include "shell/PortSettingsDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSerialPortInfo>
#include <QVBoxLayout>

#include <cstdint>

namespace {
// Numbered ports: position i of the list is COM<i+1>.
constexpr std::uint32_t kNumberedPorts = 9;
} // namespace

COptionsDlg::COptionsDlg(const DocumentSettings& settings, RegistryStore* registry, QWidget* parent)
    : CFormulaSetDlg(registry, parent, NoLayout{}), m_settings(settings) {
    setObjectName(QStringLiteral("dialog137"));
    setWindowTitle(tr("Options"));
    m_settings.saveAsDefault = true;
    m_strAltitudeFormula = m_settings.altitudeFormula;
    m_strPressureFormula = m_settings.pressureFormula;

    m_pPort = new QComboBox(this);
    m_pPort->setObjectName(QStringLiteral("combo1012"));
#ifdef _WIN32
    for (std::uint32_t i = 1; i <= kNumberedPorts; ++i)
        m_pPort->addItem(QStringLiteral("COM%1").arg(i));
#else
    m_pDevice = new QLineEdit(this);
    m_pDevice->setObjectName(QStringLiteral("edit1011"));
    // Left empty, the field stands for the device a read opens then.
    m_pDevice->setPlaceholderText(
        QString::fromStdString(CMainDoc::PortDevice(m_settings.portIndex, {})));
    m_pDevice->setToolTip(tr("Read Data opens this device. Choose a port from the list to fill "
                             "it in, or type the path of any serial device or pseudo-terminal."));
    SetAvailableDevices(PresentSerialDevices());
    connect(m_pPort, &QComboBox::activated, this,
            [this](int index) { m_pDevice->setText(m_pPort->itemData(index).toString()); });
    connect(m_pDevice, &QLineEdit::textEdited, this,
            [this](const QString& text) { SelectDevice(text.trimmed()); });
#endif
    m_pSetup = new QPushButton(tr("S&etup..."), this);
    m_pSetup->setObjectName(QStringLiteral("button1013"));
    m_pSetup->setAutoDefault(false);
    connect(m_pSetup, &QPushButton::clicked, this, &COptionsDlg::OnSetup);

    m_pFeet = new QCheckBox(tr("Altitude in &Feet"), this);
    m_pFeet->setObjectName(QStringLiteral("check1074"));
    m_pSaveAsDefault = new QCheckBox(tr("Sa&ve as default"), this);
    m_pSaveAsDefault->setObjectName(QStringLiteral("check1018"));
    LayOut();
}

void COptionsDlg::LayOut() {
    auto* comm = new QGroupBox(tr("Communication"), this);
    auto* portLabel = new QLabel(tr("P&ort:"), comm);
    portLabel->setBuddy(m_pPort);
    auto* commLayout = new QGridLayout(comm);
    commLayout->addWidget(portLabel, 0, 0);
    commLayout->addWidget(m_pPort, 0, 1);
    commLayout->addWidget(m_pSetup, 0, 2);
    if (m_pDevice) {
        auto* deviceLabel = new QLabel(tr("&Device:"), comm);
        deviceLabel->setBuddy(m_pDevice);
        commLayout->addWidget(deviceLabel, 1, 0);
        commLayout->addWidget(m_pDevice, 1, 1, 1, 2);
        auto* deviceNote = new QLabel(m_pDevice->toolTip(), comm);
        deviceNote->setWordWrap(true);
        commLayout->addWidget(deviceNote, 2, 1, 1, 2);
    }
    commLayout->setColumnStretch(1, 1);

    auto* formulas =
        new QGroupBox(tr("Default Formulas (applied to newly created/read Flight data)"), this);
    auto* pressureLabel = new QLabel(tr("&Pressure:"), formulas);
    pressureLabel->setBuddy(PressureBox());
    auto* altitudeLabel = new QLabel(tr("&Altitude:"), formulas);
    altitudeLabel->setBuddy(AltitudeBox());
    auto* note = new QLabel(tr("Note: To change calculation formulas of existing Flight data, "
                               "press 'Calculations' button on 'Info' pane, when the Flight is "
                               "selected."),
                            formulas);
    note->setWordWrap(true);
    auto* grid = new QGridLayout(formulas);
    grid->addWidget(pressureLabel, 0, 0);
    grid->addWidget(PressureBox(), 0, 1);
    grid->addWidget(PressureDialogButton(), 0, 2);
    grid->addWidget(new QLabel(tr("X is number read from the HW device"), formulas), 1, 1, 1, 2);
    grid->addWidget(altitudeLabel, 2, 0);
    grid->addWidget(AltitudeBox(), 2, 1);
    grid->addWidget(AltitudeDialogButton(), 2, 2);
    grid->addWidget(
        new QLabel(tr("PA is calculated altitude pressure\nPR is calculated reference pressure"),
                   formulas),
        3, 1);
    grid->addWidget(new QLabel(tr("(in meters)"), formulas), 3, 2, Qt::AlignTop);
    grid->addWidget(note, 4, 0, 1, 3);
    grid->setColumnStretch(1, 1);

    auto* units = new QGroupBox(tr("Display Units"), this);
    auto* unitsLayout = new QVBoxLayout(units);
    unitsLayout->addWidget(m_pFeet);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(m_pSaveAsDefault);
    bottom->addStretch();
    bottom->addWidget(ButtonBox());

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(comm);
    layout->addWidget(formulas);
    layout->addWidget(units);
    layout->addLayout(bottom);

    // Tab order follows the layout, top to bottom.
    QWidget* order[] = {m_pPort,
                        m_pSetup,
                        m_pDevice,
                        PressureBox(),
                        PressureDialogButton(),
                        AltitudeBox(),
                        AltitudeDialogButton(),
                        m_pFeet,
                        m_pSaveAsDefault};
    QWidget* previous = nullptr;
    for (QWidget* widget : order) {
        if (!widget)
            continue;
        if (previous)
            setTabOrder(previous, widget);
        previous = widget;
    }
}

QStringList COptionsDlg::PresentSerialDevices() {
    QStringList devices;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts())
        devices.append(info.systemLocation());
#ifdef Q_OS_LINUX
    // Pseudo-terminals stand in for a device (a simulator, a serial line over the network);
    // the serial port list leaves them out.
    const QDir pts(QStringLiteral("/dev/pts"));
    for (const QString& name : pts.entryList(QDir::System | QDir::NoDotAndDotDot)) {
        bool numbered = false;
        (void)name.toUInt(&numbered);
        if (numbered)
            devices.append(pts.filePath(name));
    }
#endif
    devices.removeDuplicates();
    devices.sort();
    return devices;
}

void COptionsDlg::SetAvailableDevices(const QStringList& devices) {
    if (!m_pDevice)
        return;
    m_pPort->clear();
    for (const QString& device : devices)
        m_pPort->addItem(device, device);
    SelectDevice(m_pDevice->text().trimmed());
}

void COptionsDlg::SelectDevice(const QString& device) {
    m_pPort->setCurrentIndex(device.isEmpty() ? -1 : m_pPort->findData(device));
}

QString COptionsDlg::CurrentPortName() const {
    if (m_pDevice)
        return m_pDevice->text().trimmed();
    return m_pPort->currentIndex() >= 0 ? m_pPort->currentText() : QString();
}

void COptionsDlg::OnSetup() {
    CPortSettingsDlg dialog(m_settings.portSetup, CurrentPortName(), this);
    if (dialog.exec() == QDialog::Accepted)
        m_settings.portSetup = dialog.Setup();
}

bool COptionsDlg::DoDataExchange(bool save) {
    if (!CFormulaSetDlg::DoDataExchange(save))
        return false;
    if (!save) {
        if (m_pDevice) {
            m_pDevice->setText(QString::fromStdString(m_settings.portName));
            SelectDevice(m_pDevice->text().trimmed());
        } else {
            m_pPort->setCurrentIndex(m_settings.portIndex < kNumberedPorts
                                         ? static_cast<int>(m_settings.portIndex)
                                         : -1);
        }
        m_pFeet->setChecked(m_settings.showFeet != 0);
        m_pSaveAsDefault->setChecked(m_settings.saveAsDefault);
        return true;
    }
    m_settings.altitudeFormula = m_strAltitudeFormula;
    m_settings.pressureFormula = m_strPressureFormula;
    if (m_pDevice)
        m_settings.portName = m_pDevice->text().trimmed().toStdString();
    else if (m_pPort->currentIndex() >= 0) // no selection keeps the index it had
        m_settings.portIndex = static_cast<std::uint32_t>(m_pPort->currentIndex());
    m_settings.showFeet = m_pFeet->isChecked() ? 1u : 0u;
    m_settings.saveAsDefault = m_pSaveAsDefault->isChecked();
    return true;
}

void COptionsDlg::accept() {
    if (!UpdateData(true))
        return;
    if (m_settings.saveAsDefault)
        AppendFormulasToRecentLists();
    QDialog::accept();
}

bool RunOptionsDialog(QWidget* parent, DocumentSettings& settings, RegistryStore* registry) {
    COptionsDlg dialog(settings, registry, parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    settings = dialog.Settings();
    return true;
}
