#include "data/QtReadWindow.h"

#include "data/ReadDataDlg.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QPushButton>
#include <QWidget>

#include <limits>

CQtReadWindow::CQtReadWindow(QWidget* mainWindow) : m_mainWindow(mainWindow) {
    if (m_mainWindow)
        m_mainWindow->setEnabled(false);
    m_dialog = new CReadDataDlg(mainWindow);
    m_dialog->setAttribute(Qt::WA_DeleteOnClose, false);
    m_dialog->setModal(false);
    // A child window of a disabled window stays usable only when enabled explicitly.
    m_dialog->setEnabled(true);
    m_dialog->show();
    m_dialog->raise();
    m_dialog->activateWindow();
    m_dialog->CancelButton()->setFocus();
}

CQtReadWindow::~CQtReadWindow() {
    if (m_dialog) {
        m_dialog->hide();
        delete m_dialog.data();
    }
    if (m_mainWindow) {
        m_mainWindow->setEnabled(true);
        m_mainWindow->raise();
        m_mainWindow->activateWindow();
    }
}

void CQtReadWindow::SetProgressRange(int upper) {
    if (m_dialog)
        m_dialog->SetProgressRange(upper);
}

void CQtReadWindow::SetProgressPosition(std::int64_t position) {
    if (m_dialog)
        m_dialog->SetProgressPosition(
            static_cast<int>(std::min<std::int64_t>(position, std::numeric_limits<int>::max())));
}

void CQtReadWindow::SetStatusText(const std::string& text) {
    if (m_dialog)
        m_dialog->SetStatusText(QString::fromStdString(text));
}

void CQtReadWindow::SetSourceText(const std::string& text) {
    if (m_dialog)
        m_dialog->SetSourceText(QString::fromStdString(text));
}

void CQtReadWindow::ProcessEvents() {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

bool CQtReadWindow::IsCancelRequested() const {
    // A window destroyed under the loop (its parent closed) ends the read like Cancel.
    return !m_dialog || m_dialog->IsCancelRequested();
}

bool CQtReadWindow::AskKeepSeparate(bool& separate) {
    // A Cancel pressed while reading has already been answered (5005): the flights the user
    // chose to keep still get the question, so the flag does not count here.
    if (!m_dialog)
        return false;
    m_dialog->BeginFinalQuestion();
    QEventLoop loop;
    QObject::connect(m_dialog, &QDialog::finished, &loop, &QEventLoop::quit);
    QObject::connect(m_dialog, &QObject::destroyed, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::DialogExec);
    if (!m_dialog || m_dialog->result() != QDialog::Accepted)
        return false;
    separate = m_dialog->IsSeparate();
    return true;
}
