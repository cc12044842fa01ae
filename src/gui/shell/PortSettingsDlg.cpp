#include "shell/PortSettingsDlg.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include <cstdint>

namespace {
constexpr std::uint32_t kParityCheckBit = 1u << 1;
constexpr std::uint32_t kCtsFlowBit = 1u << 2;
constexpr std::uint32_t kDsrFlowBit = 1u << 3;
constexpr std::uint32_t kOutXBit = 1u << 8;
constexpr std::uint32_t kInXBit = 1u << 9;
constexpr unsigned kDtrShift = 4;
constexpr unsigned kRtsShift = 12;
constexpr unsigned kLineEnable = 1;
constexpr unsigned kLineHandshake = 2;

constexpr std::uint32_t kBaudRates[] = {110,    300,    600,    1200,   2400,  4800,
                                        9600,   14400,  19200,  38400,  57600, 115200,
                                        128000, 230400, 256000, 460800, 921600};

QComboBox* MakeBox(QWidget* parent, const char* name) {
    auto* box = new QComboBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    return box;
}

// Selects the item holding value; a value no item holds is added (as its number) so that
// it can be shown and kept.
void SelectValue(QComboBox* box, std::uint32_t value) {
    int index = box->findData(value);
    if (index < 0) {
        box->addItem(QString::number(value), value);
        index = box->count() - 1;
    }
    box->setCurrentIndex(index);
}

std::uint32_t SelectedValue(const QComboBox* box) {
    return box->currentData().toUInt();
}
} // namespace

CPortSettingsDlg::CPortSettingsDlg(const CPortSetupBlock& setup, const QString& portName,
                                   QWidget* parent)
    : QDialog(parent), m_setup(setup) {
    setObjectName(QStringLiteral("dialogPortSettings"));
    setWindowTitle(portName.isEmpty() ? tr("Port Settings") : tr("%1 Properties").arg(portName));

    m_pBaud = MakeBox(this, "comboBaudRate");
    for (std::uint32_t rate : kBaudRates)
        m_pBaud->addItem(QString::number(rate), rate);
    m_pDataBits = MakeBox(this, "comboDataBits");
    for (std::uint32_t bits = 5; bits <= 8; ++bits)
        m_pDataBits->addItem(QString::number(bits), bits);
    m_pParity = MakeBox(this, "comboParity");
    m_pParity->addItem(tr("None"), 0u);
    m_pParity->addItem(tr("Odd"), 1u);
    m_pParity->addItem(tr("Even"), 2u);
    m_pParity->addItem(tr("Mark"), 3u);
    m_pParity->addItem(tr("Space"), 4u);
    m_pStopBits = MakeBox(this, "comboStopBits");
    m_pStopBits->addItem(QStringLiteral("1"), 0u);
    m_pStopBits->addItem(QStringLiteral("1.5"), 1u);
    m_pStopBits->addItem(QStringLiteral("2"), 2u);
    m_pFlow = MakeBox(this, "comboFlowControl");
    m_pFlow->addItem(tr("Xon / Xoff"), static_cast<unsigned>(Flow::XonXoff));
    m_pFlow->addItem(tr("Hardware"), static_cast<unsigned>(Flow::Hardware));
    m_pFlow->addItem(tr("None"), static_cast<unsigned>(Flow::None));

    auto* form = new QFormLayout;
    form->addRow(tr("&Bits per second:"), m_pBaud);
    form->addRow(tr("&Data bits:"), m_pDataBits);
    form->addRow(tr("&Parity:"), m_pParity);
    form->addRow(tr("&Stop bits:"), m_pStopBits);
    form->addRow(tr("&Flow control:"), m_pFlow);

    auto* buttons = new QDialogButtonBox(
        QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::RestoreDefaults, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("buttonOk"));
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("buttonCancel"));
    QPushButton* restore = buttons->button(QDialogButtonBox::RestoreDefaults);
    restore->setObjectName(QStringLiteral("buttonRestoreDefaults"));
    restore->setText(tr("&Restore Defaults"));
    restore->setAutoDefault(false);
    connect(buttons, &QDialogButtonBox::accepted, this, &CPortSettingsDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(restore, &QPushButton::clicked, this, &CPortSettingsDlg::RestoreDefaults);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);

    ShowSetup(m_setup);
}

void CPortSettingsDlg::ShowSetup(const CPortSetupBlock& setup) {
    SelectValue(m_pBaud, setup.GetBaudRate());
    SelectValue(m_pDataBits, setup.GetByteSize());
    SelectValue(m_pParity, setup.GetParity());
    SelectValue(m_pStopBits, setup.GetStopBits());
    SelectValue(m_pFlow, static_cast<unsigned>(FlowOf(setup)));
}

void CPortSettingsDlg::RestoreDefaults() {
    ShowSetup(CPortSetupBlock());
}

CPortSettingsDlg::Flow CPortSettingsDlg::FlowOf(const CPortSetupBlock& setup) {
    if (setup.GetOutxCtsFlow() || (setup.GetFlags() & kDsrFlowBit) ||
        setup.GetRtsControl() == kLineHandshake)
        return Flow::Hardware;
    if (setup.GetOutX() || setup.GetInX())
        return Flow::XonXoff;
    return Flow::None;
}

void CPortSettingsDlg::ApplyFlow(CPortSetupBlock& setup, Flow flow) {
    std::uint32_t flags = setup.GetFlags();
    flags &=
        ~(kCtsFlowBit | kDsrFlowBit | kOutXBit | kInXBit | (3u << kDtrShift) | (3u << kRtsShift));
    switch (flow) {
    case Flow::Hardware:
        flags |= kCtsFlowBit | kDsrFlowBit | (kLineHandshake << kDtrShift) |
                 (kLineHandshake << kRtsShift);
        break;
    case Flow::XonXoff:
        flags |= kOutXBit | kInXBit | (kLineEnable << kDtrShift) | (kLineEnable << kRtsShift);
        break;
    case Flow::None:
        flags |= (kLineEnable << kDtrShift) | (kLineEnable << kRtsShift);
        break;
    }
    setup.SetFlags(flags);
}

void CPortSettingsDlg::accept() {
    CPortSetupBlock edited = m_setup;
    edited.SetBaudRate(SelectedValue(m_pBaud));
    edited.SetByteSize(static_cast<std::uint8_t>(SelectedValue(m_pDataBits)));
    const auto parity = static_cast<std::uint8_t>(SelectedValue(m_pParity));
    if (parity != m_setup.GetParity()) {
        edited.SetParity(parity);
        const std::uint32_t flags = edited.GetFlags();
        edited.SetFlags(parity != 0 ? flags | kParityCheckBit : flags & ~kParityCheckBit);
    }
    edited.SetStopBits(static_cast<std::uint8_t>(SelectedValue(m_pStopBits)));
    const auto flow = static_cast<Flow>(SelectedValue(m_pFlow));
    if (flow != FlowOf(m_setup))
        ApplyFlow(edited, flow);
    m_setup = edited;
    QDialog::accept();
}
