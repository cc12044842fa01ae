#include "text/FindReplaceDlg.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

CFindReplaceDlg::CFindReplaceDlg(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("findReplaceDialog"));
    setModal(false);

    m_pWhat = new QLineEdit(this);
    m_pWhat->setObjectName(QStringLiteral("findWhat"));
    auto* whatLabel = new QLabel(tr("Fi&nd what:"), this);
    whatLabel->setBuddy(m_pWhat);
    m_pWith = new QLineEdit(this);
    m_pWith->setObjectName(QStringLiteral("replaceWith"));
    m_pWithLabel = new QLabel(tr("Re&place with:"), this);
    m_pWithLabel->setBuddy(m_pWith);
    m_pWholeWord = new QCheckBox(tr("Match &whole word only"), this);
    m_pMatchCase = new QCheckBox(tr("Match &case"), this);

    m_pDirection = new QGroupBox(tr("Direction"), this);
    m_pUp = new QRadioButton(tr("&Up"), m_pDirection);
    m_pDown = new QRadioButton(tr("&Down"), m_pDirection);
    m_pDown->setChecked(true);
    auto* directionLayout = new QHBoxLayout(m_pDirection);
    directionLayout->addWidget(m_pUp);
    directionLayout->addWidget(m_pDown);

    m_pFindNext = new QPushButton(tr("&Find Next"), this);
    m_pFindNext->setObjectName(QStringLiteral("findNext"));
    m_pFindNext->setDefault(true);
    m_pReplace = new QPushButton(tr("&Replace"), this);
    m_pReplace->setObjectName(QStringLiteral("replace"));
    m_pReplaceAll = new QPushButton(tr("Replace &All"), this);
    m_pReplaceAll->setObjectName(QStringLiteral("replaceAll"));
    auto* cancel = new QPushButton(tr("Cancel"), this);

    auto* fields = new QGridLayout;
    fields->addWidget(whatLabel, 0, 0);
    fields->addWidget(m_pWhat, 0, 1);
    fields->addWidget(m_pWithLabel, 1, 0);
    fields->addWidget(m_pWith, 1, 1);
    auto* options = new QVBoxLayout;
    options->addWidget(m_pWholeWord);
    options->addWidget(m_pMatchCase);
    auto* lower = new QHBoxLayout;
    lower->addLayout(options);
    lower->addWidget(m_pDirection);
    auto* left = new QVBoxLayout;
    left->addLayout(fields);
    left->addLayout(lower);
    left->addStretch();
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(m_pFindNext);
    buttons->addWidget(m_pReplace);
    buttons->addWidget(m_pReplaceAll);
    buttons->addWidget(cancel);
    buttons->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addLayout(buttons);

    connect(m_pWhat, &QLineEdit::textChanged, this, [this] { UpdateButtons(); });
    connect(m_pFindNext, &QPushButton::clicked, this, [this] { Q_EMIT findNextRequested(); });
    connect(m_pReplace, &QPushButton::clicked, this, [this] { Q_EMIT replaceRequested(); });
    connect(m_pReplaceAll, &QPushButton::clicked, this, [this] { Q_EMIT replaceAllRequested(); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    UpdateButtons();
}

void CFindReplaceDlg::Open(bool replace, const QString& what) {
    m_bReplace = replace;
    setWindowTitle(replace ? tr("Replace") : tr("Find"));
    m_pWithLabel->setVisible(replace);
    m_pWith->setVisible(replace);
    m_pReplace->setVisible(replace);
    m_pReplaceAll->setVisible(replace);
    // Replacing always runs down the text, as the Windows dialogs do.
    m_pDirection->setVisible(!replace);
    if (!what.isEmpty())
        m_pWhat->setText(what);
    m_pWhat->selectAll();
    UpdateButtons();
    adjustSize();
    show();
    raise();
    activateWindow();
    m_pWhat->setFocus();
}

CFindReplaceDlg::Search CFindReplaceDlg::Current() const {
    Search search;
    search.what = m_pWhat->text();
    search.with = m_pWith->text();
    search.matchCase = m_pMatchCase->isChecked();
    search.wholeWord = m_pWholeWord->isChecked();
    search.down = m_bReplace || m_pDown->isChecked();
    return search;
}

void CFindReplaceDlg::UpdateButtons() {
    const bool any = !m_pWhat->text().isEmpty();
    m_pFindNext->setEnabled(any);
    m_pReplace->setEnabled(any);
    m_pReplaceAll->setEnabled(any);
}
