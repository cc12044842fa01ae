// CQtUiServices: CUiServices with Qt dialogs — message boxes, file dialogs, Read Data, serial port.
#pragma once

#include "framework/UiServices.h"

#include <QPointer>
#include <QString>

class CReadDataDlg;
class RegistryStore;
class QWidget;

// Dialogs are children of the main window, or of the Read Data window while that exists (the
// main window is disabled then). Message boxes carry the title "Kubo".
class CQtUiServices : public CUiServices {
public:
    // registry is where the Options and Calculations dialogs keep their recent lists; not owned,
    // may be null.
    explicit CQtUiServices(RegistryStore* registry = nullptr);

    // The window dialogs belong to and that a read disables; not owned, may be null (then the
    // active window is the parent).
    void SetMainWindow(QWidget* mainWindow) { m_mainWindow = mainWindow; }
    [[nodiscard]] QWidget* GetMainWindow() const { return m_mainWindow; }

    MsgResult MessageBox(const std::string& text, MsgButtons buttons, MsgIcon icon) override;
    using CUiServices::MessageBox;

    [[nodiscard]] std::unique_ptr<CReadWindow> CreateReadWindow() override;
    [[nodiscard]] std::optional<std::string> PromptOpenFile(const FilePrompt& prompt) override;
    [[nodiscard]] std::optional<std::string>
    PromptSaveFile(const FilePrompt& prompt, const std::string& initialName) override;
    [[nodiscard]] bool EditSettings(DocumentSettings& settings) override;
    [[nodiscard]] bool EditFlightFormulas(std::string& pressure, std::string& altitude) override;
    [[nodiscard]] bool EditFlightAnnotations(CDataBlock& flight, const std::string& title) override;
    // The dialog has no parent window.
    [[nodiscard]] bool EditAnnotation(CAnnotation& annotation) override;
    [[nodiscard]] PortOpenResult OpenSerialPort(const std::string& device,
                                                const CPortSetupBlock& setup,
                                                const CommTimeouts& timeouts) override;

    // The file dialog's filter text of a prompt: "Text Files (*.txt);;All Files (*.*)".
    [[nodiscard]] static QString FilterText(const FilePrompt& prompt);
    // path with the prompt's default extension added when it has no suffix of its own.
    [[nodiscard]] static QString WithDefaultExtension(const QString& path,
                                                      const FilePrompt& prompt);

private:
    [[nodiscard]] QWidget* DialogParent() const;

    RegistryStore* m_pRegistry;
    QPointer<QWidget> m_mainWindow;
    QPointer<CReadDataDlg> m_readDialog;
};
