#include "shell/AboutDlg.h"

#include "KuboVersion.h"
#include "framework/StringTable.h"
#include "widgets/HyperlinkLabel.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QIcon>
#include <QLabel>
#include <QVBoxLayout>

namespace {
// The maker's pages; the about box is the only place that names them.
const char* const kWebTarget = "https://kubo.tervane.example/";
const char* const kMailTarget = "mailto:kubo@tervane.example";
} // namespace

QString CAboutDlg::FileVersionText() {
    return QStringLiteral("%1.%2.%3.%4")
        .arg(KUBO_VERSION_MAJOR)
        .arg(KUBO_VERSION_MINOR)
        .arg(KUBO_VERSION_PATCH + 0)
        .arg(KUBO_VERSION_TWEAK + 0);
}

QString CAboutDlg::BuildDateText() {
    return FormatBuildDate(QStringLiteral(__DATE__), QStringLiteral(__TIME__));
}

QString CAboutDlg::FormatBuildDate(const QString& date, const QString& time) {
    return (date + QLatin1Char(' ') + time).simplified();
}

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("dialog100"));
    setWindowTitle(tr("About Kubo"));

    auto* icon = new QLabel(this);
    icon->setPixmap(QIcon(QStringLiteral(":/resources/icons/kubo.svg")).pixmap(48, 48));
    icon->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

    const std::string version = FileVersionText().toStdString();
    m_pVersion = new QLabel(
        QString::fromStdString(FormatDirectives(tr("Kubo Version %s").toStdString(), {version})),
        this);
    m_pVersion->setObjectName(QStringLiteral("label1050"));
    QFont bold = m_pVersion->font();
    bold.setBold(true);
    m_pVersion->setFont(bold);

    m_pBuildDate = new QLabel(BuildDateText(), this);
    m_pBuildDate->setObjectName(QStringLiteral("label1051"));

    auto* credits = new QLabel(tr("Reads, shows and exports the flights of a barometric "
                                  "altimeter.\nCopyright \u00a9 Tervane and the Kubo "
                                  "contributors.\nBuilt with Qt %1.")
                                   .arg(QString::fromLatin1(qVersion())),
                               this);
    credits->setWordWrap(true);

    m_pWeb = new CHyperlinkLabel(tr("Kubo on the web"), this);
    m_pWeb->setObjectName(QStringLiteral("link1077"));
    m_pMail = new CHyperlinkLabel(tr("Write to the makers"), this);
    m_pMail->setObjectName(QStringLiteral("link1078"));
    m_pWeb->SetTarget(QUrl(QString::fromLatin1(kWebTarget)));
    m_pMail->SetTarget(QUrl(QString::fromLatin1(kMailTarget)));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* text = new QVBoxLayout;
    text->addWidget(m_pVersion);
    text->addWidget(m_pBuildDate);
    text->addSpacing(8);
    text->addWidget(credits);
    text->addSpacing(8);
    text->addWidget(m_pWeb);
    text->addWidget(m_pMail);

    auto* grid = new QGridLayout(this);
    grid->addWidget(icon, 0, 0);
    grid->addLayout(text, 0, 1);
    grid->addWidget(buttons, 1, 0, 1, 2);
    grid->setColumnStretch(1, 1);
    setSizeGripEnabled(false);
}
