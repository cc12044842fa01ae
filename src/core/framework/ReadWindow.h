// CReadWindow: the Read Data window as the read loop drives it (progress, cancel, last question).
#pragma once

#include <cstdint>
#include <string>

// Created by CUiServices::CreateReadWindow for one read. While it exists the main window is
// disabled and the window shows "Waiting for data ....", an empty progress bar, Cancel enabled,
// and OK and the "Put each Flight to separate Session" check box disabled and unchecked.
// Destroying it hides it and enables the main window again, bringing it to the top.
class CReadWindow {
public:
    virtual ~CReadWindow() = default;

    virtual void SetProgressRange(int upper) = 0; // the bar runs from 0 to upper
    virtual void SetProgressPosition(std::int64_t position) = 0;
    virtual void SetStatusText(const std::string& text) = 0;
    // Names what the read listens on ("Device: /dev/ttyUSB0"); a window that shows no such line
    // ignores it.
    virtual void SetSourceText(const std::string& text) { (void)text; }
    // Handles the user interface's pending events and returns without waiting.
    virtual void ProcessEvents() = 0;
    // True once the user has pressed Cancel.
    [[nodiscard]] virtual bool IsCancelRequested() const = 0;
    // The final question: enables OK and the check box, focuses the check box, and runs the
    // window modally, also after a Cancel while reading (the flights were kept by then). True
    // when it ended with OK, and then separate is the check box's value; false for Cancel
    // (separate untouched).
    [[nodiscard]] virtual bool AskKeepSeparate(bool& separate) = 0;
};

// A window for user interfaces that show none: never cancels, answers the final question OK
// without separate sessions.
class CHeadlessReadWindow final : public CReadWindow {
public:
    void SetProgressRange(int) override {}
    void SetProgressPosition(std::int64_t) override {}
    void SetStatusText(const std::string&) override {}
    void ProcessEvents() override {}
    [[nodiscard]] bool IsCancelRequested() const override { return false; }
    [[nodiscard]] bool AskKeepSeparate(bool&) override { return true; }
};
