// CQtReadWindow: the read loop's CReadWindow over the Read Data window, main window disabled.
#pragma once

#include "framework/ReadWindow.h"

#include <QPointer>

class CReadDataDlg;
class QWidget;

// Owns the Read Data window for one read. Construction disables mainWindow (when given), shows
// the window as its modeless child, enabled and focused; destruction destroys the window and
// enables mainWindow again, bringing it to the top. Progress positions beyond int clamp.
class CQtReadWindow final : public CReadWindow {
public:
    explicit CQtReadWindow(QWidget* mainWindow);
    ~CQtReadWindow() override;
    CQtReadWindow(const CQtReadWindow&) = delete;
    CQtReadWindow& operator=(const CQtReadWindow&) = delete;

    void SetProgressRange(int upper) override;
    void SetProgressPosition(std::int64_t position) override;
    void SetStatusText(const std::string& text) override;
    void SetSourceText(const std::string& text) override;
    void ProcessEvents() override;
    [[nodiscard]] bool IsCancelRequested() const override;
    // Waits in a local event loop, not exec(): the window is already shown and the main window
    // already disabled, so the question is modal as it stands.
    [[nodiscard]] bool AskKeepSeparate(bool& separate) override;

    [[nodiscard]] CReadDataDlg* Dialog() const { return m_dialog; }

private:
    QPointer<QWidget> m_mainWindow;
    QPointer<CReadDataDlg> m_dialog;
};
