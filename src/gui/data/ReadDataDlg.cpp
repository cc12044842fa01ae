#include "data/ReadDataDlg.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

CReadDataDlg::CReadDataDlg(QWidget* parent)
    : QDialog(parent), m_pSource(new QLabel(this)),
      m_pStatus(new QLabel(tr("Waiting for data ...."), this)), m_pProgress(new QProgressBar(this)),
      m_pSeparate(new QCheckBox(tr("Put each Flight to separate Session"), this)) {
    setWindowTitle(tr("Read Data"));
    setObjectName(QStringLiteral("dialog139"));
    m_pSource->setObjectName(QStringLiteral("staticSource"));
    m_pSource->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_pSource->hide();
    m_pStatus->setObjectName(QStringLiteral("static1019"));
    m_pProgress->setObjectName(QStringLiteral("progress1020"));
    m_pProgress->setRange(0, 100);
    m_pProgress->setValue(0);
    m_pProgress->setTextVisible(false);
    m_pSeparate->setObjectName(QStringLiteral("check1059"));
    m_pSeparate->setEnabled(false);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_pOk = buttons->button(QDialogButtonBox::Ok);
    m_pCancel = buttons->button(QDialogButtonBox::Cancel);
    m_pOk->setObjectName(QStringLiteral("IDOK"));
    m_pCancel->setObjectName(QStringLiteral("IDCANCEL"));
    m_pOk->setEnabled(false);
    m_pCancel->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &CReadDataDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CReadDataDlg::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pSource);
    layout->addWidget(m_pStatus);
    layout->addWidget(m_pProgress);
    layout->addWidget(m_pSeparate);
    layout->addWidget(buttons);
    setMinimumWidth(320);
}

void CReadDataDlg::SetProgressRange(int upper) {
    // A bar from 0 to 0 would show Qt's busy animation; a transmission that announces no
    // length (the raw export writes 0) keeps an empty bar instead.
    m_pProgress->setRange(0, std::max(upper, 1));
    m_bNoRange = upper <= 0;
    m_pProgress->setValue(0);
}

void CReadDataDlg::SetProgressPosition(int position) {
    if (m_bNoRange)
        return;
    m_pProgress->setValue(std::clamp(position, m_pProgress->minimum(), m_pProgress->maximum()));
}

void CReadDataDlg::SetStatusText(const QString& text) {
    m_pStatus->setText(text);
}

void CReadDataDlg::SetSourceText(const QString& text) {
    m_pSource->setText(text);
    m_pSource->setVisible(!text.isEmpty());
}

void CReadDataDlg::BeginFinalQuestion() {
    m_bFinalQuestion = true;
    m_pOk->setEnabled(true);
    m_pOk->setDefault(true);
    m_pSeparate->setEnabled(true);
    m_pSeparate->setFocus();
}

void CReadDataDlg::accept() {
    if (!m_bFinalQuestion)
        return;
    m_bSeparate = m_pSeparate->isChecked();
    QDialog::accept();
}

void CReadDataDlg::reject() {
    m_bCancelRequested = true;
    if (m_bFinalQuestion)
        QDialog::reject();
}
