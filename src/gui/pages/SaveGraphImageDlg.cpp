#include "pages/SaveGraphImageDlg.h"

#include "framework/StringIds.h"
#include "framework/UiServices.h"
#include "pages/GraphPicture.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <optional>

namespace {
QRadioButton* Radio(const QString& text, const char* name, QButtonGroup* group, int id,
                    QWidget* parent) {
    auto* button = new QRadioButton(text, parent);
    button->setObjectName(QLatin1String(name));
    group->addButton(button, id);
    return button;
}

QLineEdit* SizeEdit(const char* name, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(name));
    edit->setMaxLength(9);
    edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("0000000")) + 12);
    return edit;
}

std::optional<int> ValidSide(const QString& text) {
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    if (!ok || value < 1 || value > kMaxGraphPictureSide)
        return std::nullopt;
    return value;
}
} // namespace

CSaveGraphImageDlg::Choices& CSaveGraphImageDlg::Remembered() {
    static Choices choices;
    return choices;
}

CSaveGraphImageDlg::CSaveGraphImageDlg(CUiServices* ui, QWidget* parent)
    : QDialog(parent), m_pUi(ui), m_choices(Remembered()) {
    setWindowTitle(tr("Save Graph Image"));
    m_pDestination = new QButtonGroup(this);
    m_pFormat = new QButtonGroup(this);
    m_pSizeMode = new QButtonGroup(this);

    auto* destination = new QGroupBox(tr("&Export destination"), this);
    auto* destinationLayout = new QVBoxLayout(destination);
    destinationLayout->addWidget(
        Radio(tr("Clipboard"), "radio1064", m_pDestination, kClipboard, destination));
    destinationLayout->addWidget(
        Radio(tr("File"), "radio1065", m_pDestination, kFile, destination));

    auto* format = new QGroupBox(tr("&Format"), this);
    auto* formatLayout = new QGridLayout(format);
    formatLayout->addWidget(Radio(tr("Bitmap"), "radio1108", m_pFormat, kBitmap, format), 0, 0);
    formatLayout->addWidget(Radio(tr("Metafile"), "radio1109", m_pFormat, kMetafile, format), 1, 0);
    formatLayout->addWidget(Radio(tr("JPEG"), "radio1110", m_pFormat, kJpeg, format), 2, 0);
    formatLayout->addWidget(Radio(tr("PNG"), "radioPng", m_pFormat, kPng, format), 0, 1);
    formatLayout->addWidget(Radio(tr("SVG"), "radioSvg", m_pFormat, kSvg, format), 1, 1);
    formatLayout->addWidget(Radio(tr("PDF"), "radioPdf", m_pFormat, kPdf, format), 2, 1);
    m_pFormat->button(kMetafile)->setEnabled(false);
    m_pFormat->button(kPdf)->setToolTip(tr("A PDF picture is saved to a file only"));

    auto* size = new QGroupBox(tr("Image &size"), this);
    auto* sizeLayout = new QGridLayout(size);
    sizeLayout->addWidget(
        Radio(tr("As on the screen"), "radio1310", m_pSizeMode, kScreenSize, size), 0, 0, 1, 3);
    sizeLayout->addWidget(Radio(tr("Specific:"), "radio1311", m_pSizeMode, kSpecificSize, size), 1,
                          0, 1, 3);
    m_pWidth = SizeEdit("edit1362", size);
    m_pHeight = SizeEdit("edit1123", size);
    auto* widthLabel = new QLabel(tr("&Width:"), size);
    widthLabel->setBuddy(m_pWidth);
    auto* heightLabel = new QLabel(tr("&Height:"), size);
    heightLabel->setBuddy(m_pHeight);
    sizeLayout->addWidget(widthLabel, 2, 0);
    sizeLayout->addWidget(m_pWidth, 2, 1);
    sizeLayout->addWidget(new QLabel(tr("pix"), size), 2, 2);
    sizeLayout->addWidget(heightLabel, 3, 0);
    sizeLayout->addWidget(m_pHeight, 3, 1);
    sizeLayout->addWidget(new QLabel(tr("pix"), size), 3, 2);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("buttonOk"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("buttonCancel"));

    auto* left = new QVBoxLayout;
    left->addWidget(destination);
    left->addWidget(format);
    auto* right = new QVBoxLayout;
    right->addWidget(size);
    right->addStretch(1);
    right->addWidget(buttons);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left);
    layout->addLayout(right);

    m_pDestination->button(m_choices.destination)->setChecked(true);
    m_pFormat->button(m_choices.format)->setChecked(true);
    m_pSizeMode->button(m_choices.sizeMode)->setChecked(true);
    m_pWidth->setText(QString::number(m_choices.width));
    m_pHeight->setText(QString::number(m_choices.height));
    OnDestinationChanged();
    OnSizeModeChanged();

    connect(m_pDestination, &QButtonGroup::idClicked, this, [this] { OnDestinationChanged(); });
    connect(m_pSizeMode, &QButtonGroup::idClicked, this, [this] { OnSizeModeChanged(); });
    connect(buttons, &QDialogButtonBox::accepted, this, &CSaveGraphImageDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void CSaveGraphImageDlg::OnDestinationChanged() {
    const bool toFile = m_pDestination->checkedId() == kFile;
    QAbstractButton* pdf = m_pFormat->button(kPdf);
    if (!toFile && pdf->isChecked())
        m_pFormat->button(kBitmap)->setChecked(true);
    pdf->setEnabled(toFile);
}

void CSaveGraphImageDlg::OnSizeModeChanged() {
    const bool specific = m_pSizeMode->checkedId() == kSpecificSize;
    m_pWidth->setEnabled(specific);
    m_pHeight->setEnabled(specific);
}

QLineEdit* CSaveGraphImageDlg::RefusedSizeEdit() {
    for (QLineEdit* edit : {m_pWidth, m_pHeight})
        if (!ValidSide(edit->text()))
            return edit;
    return nullptr;
}

void CSaveGraphImageDlg::accept() {
    const bool specific = m_pSizeMode->checkedId() == kSpecificSize;
    // The edits are checked only when they are used: a screen-size picture needs no numbers.
    if (specific) {
        if (QLineEdit* refused = RefusedSizeEdit()) {
            if (m_pUi)
                m_pUi->MessageBox(str::PictureSizeRefused, MsgButtons::Ok, MsgIcon::Warning);
            refused->setFocus(Qt::OtherFocusReason);
            refused->selectAll();
            return;
        }
        m_choices.width = *ValidSide(m_pWidth->text());
        m_choices.height = *ValidSide(m_pHeight->text());
    }
    m_choices.destination = m_pDestination->checkedId();
    m_choices.format = m_pFormat->checkedId();
    m_choices.sizeMode = m_pSizeMode->checkedId();
    Remembered() = m_choices;
    QDialog::accept();
}
