#include "shell/QtUiServices.h"

#include "calc/FormulaSetDlg.h"
#include "data/QtReadWindow.h"
#include "data/ReadDataDlg.h"
#include "pages/EditAnnotationDlg.h"
#include "pages/FlightAnnotationsDlg.h"
#include "serial/SerialPortSource.h"
#include "shell/OptionsDlg.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QStringList>

CQtUiServices::CQtUiServices(RegistryStore* registry) : m_pRegistry(registry) {}

QWidget* CQtUiServices::DialogParent() const {
    if (m_readDialog && m_readDialog->isVisible())
        return m_readDialog;
    if (m_mainWindow)
        return m_mainWindow;
    return QApplication::activeWindow();
}

MsgResult CQtUiServices::MessageBox(const std::string& text, MsgButtons buttons, MsgIcon icon) {
    QMessageBox::Icon boxIcon = QMessageBox::Warning;
    switch (icon) {
    case MsgIcon::Information:
        boxIcon = QMessageBox::Information;
        break;
    case MsgIcon::Warning:
        boxIcon = QMessageBox::Warning;
        break;
    case MsgIcon::Error:
        boxIcon = QMessageBox::Critical;
        break;
    case MsgIcon::Question:
        boxIcon = QMessageBox::Question;
        break;
    }
    QMessageBox::StandardButtons shown = QMessageBox::Ok;
    if (buttons == MsgButtons::YesNo)
        shown = QMessageBox::Yes | QMessageBox::No;
    else if (buttons == MsgButtons::YesNoCancel)
        shown = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    QMessageBox box(boxIcon, QStringLiteral("Kubo"), QString::fromStdString(text), shown,
                    DialogParent());
    box.setDefaultButton(buttons == MsgButtons::Ok ? QMessageBox::Ok : QMessageBox::Yes);
    const int answer = box.exec();
    if (buttons == MsgButtons::Ok)
        return MsgResult::Ok;
    if (answer == QMessageBox::Yes)
        return MsgResult::Yes;
    // A Yes/No box closed by Escape answers No; a Yes/No/Cancel box, Cancel.
    return answer == QMessageBox::No || buttons == MsgButtons::YesNo ? MsgResult::No
                                                                     : MsgResult::Cancel;
}

std::unique_ptr<CReadWindow> CQtUiServices::CreateReadWindow() {
    auto window = std::make_unique<CQtReadWindow>(m_mainWindow ? m_mainWindow.data()
                                                               : QApplication::activeWindow());
    m_readDialog = window->Dialog();
    return window;
}

QString CQtUiServices::FilterText(const FilePrompt& prompt) {
    QStringList filters;
    for (const FileFilter& filter : prompt.filters) {
        QString patterns = QString::fromStdString(filter.pattern);
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        QString description = QCoreApplication::translate("FilePrompt", filter.description.c_str());
        // Qt reads the patterns from the last parentheses; a description that shows them
        // already is taken as it is.
        if (!description.endsWith(QLatin1Char(')')))
            description += QStringLiteral(" (%1)").arg(patterns);
        else
            description = QStringLiteral("%1 (%2)").arg(
                description.left(description.lastIndexOf(QLatin1Char('('))).trimmed(), patterns);
        filters << description;
    }
    return filters.join(QStringLiteral(";;"));
}

QString CQtUiServices::WithDefaultExtension(const QString& path, const FilePrompt& prompt) {
    if (prompt.defaultExtension.empty() || !QFileInfo(path).suffix().isEmpty())
        return path;
    return path + QString::fromStdString(prompt.defaultExtension);
}

std::optional<std::string> CQtUiServices::PromptOpenFile(const FilePrompt& prompt) {
    QFileDialog dialog(DialogParent(), QString::fromStdString(prompt.title), QString(),
                       FilterText(prompt));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(prompt.mustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    if (!prompt.defaultExtension.empty())
        dialog.setDefaultSuffix(QString::fromStdString(prompt.defaultExtension).mid(1));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().front().toStdString();
}

std::optional<std::string> CQtUiServices::PromptSaveFile(const FilePrompt& prompt,
                                                         const std::string& initialName) {
    QFileDialog dialog(DialogParent(), QString::fromStdString(prompt.title), QString(),
                       FilterText(prompt));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    if (!prompt.defaultExtension.empty())
        dialog.setDefaultSuffix(QString::fromStdString(prompt.defaultExtension).mid(1));
    if (!initialName.empty())
        dialog.selectFile(QString::fromStdString(initialName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return WithDefaultExtension(dialog.selectedFiles().front(), prompt).toStdString();
}

bool CQtUiServices::EditSettings(DocumentSettings& settings) {
    return RunOptionsDialog(DialogParent(), settings, m_pRegistry);
}

bool CQtUiServices::EditFlightFormulas(std::string& pressure, std::string& altitude) {
    CFormulaSetDlg dialog(m_pRegistry, DialogParent());
    dialog.m_strPressureFormula = pressure;
    dialog.m_strAltitudeFormula = altitude;
    if (dialog.exec() != QDialog::Accepted)
        return false;
    pressure = dialog.m_strPressureFormula;
    altitude = dialog.m_strAltitudeFormula;
    return true;
}

PortOpenResult CQtUiServices::OpenSerialPort(const std::string& device,
                                             const CPortSetupBlock& setup,
                                             const CommTimeouts& timeouts) {
    return CSerialPortSource::Open(device, setup, timeouts);
}

bool CQtUiServices::EditFlightAnnotations(CDataBlock& flight, const std::string& title) {
    CFlightAnnotationsDlg dialog(flight, QString::fromStdString(title), DialogParent());
    return dialog.exec() == QDialog::Accepted;
}

bool CQtUiServices::EditAnnotation(CAnnotation& annotation) {
    CEditAnnotationDlg dialog(annotation);
    return dialog.exec() == QDialog::Accepted;
}
