#include "calc/UserFormulaDlg.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

CUserFormulaDlg::CUserFormulaDlg(QWidget* parent)
    : CFormulaDlg(497,
                  {tr("Define User Formula"), tr("User &Formula:"),
                   tr("&Recently used user formulas:"),
                   tr("[T1, A1] is start ('From') point (time, altitude)\n"
                      "[T2, A2] is end ('To') point (time, altitude)\n"
                      "DT = T2 - T1\nDA = A2 - A1")},
                  {{1033, QStringLiteral("T1")},
                   {1034, QStringLiteral("A1")},
                   {1037, QStringLiteral("T2")},
                   {1038, QStringLiteral("A2")},
                   {1039, QStringLiteral("DT")},
                   {1040, QStringLiteral("DA")}},
                  parent) {
    auto* label = new QLabel(tr("&Title:"), this);
    m_pTitle = new QLineEdit(this);
    m_pTitle->setObjectName(QStringLiteral("edit1069"));
    label->setBuddy(m_pTitle);
    m_pSaveAsDefault = new QCheckBox(tr("Sa&ve as default"), this);
    m_pSaveAsDefault->setObjectName(QStringLiteral("check1072"));

    auto* row = new QHBoxLayout;
    row->addWidget(label);
    row->addWidget(m_pTitle, 1);
    row->addWidget(m_pSaveAsDefault);
    ExtraLayout()->addLayout(row);

    // Tab order follows the layout: the title row comes between the formula and the list.
    if (auto* lastVariable = findChild<QPushButton*>(QStringLiteral("button1040")))
        setTabOrder(lastVariable, m_pTitle);
    setTabOrder(m_pTitle, m_pSaveAsDefault);
}

void CUserFormulaDlg::DoDataExchange(bool save) {
    CFormulaDlg::DoDataExchange(save);
    if (save) {
        m_strTitle = m_pTitle->text().toStdString();
        m_bSaveAsDefault = m_pSaveAsDefault->isChecked();
    } else {
        m_pTitle->setText(QString::fromStdString(m_strTitle));
        m_pSaveAsDefault->setChecked(m_bSaveAsDefault);
    }
}
