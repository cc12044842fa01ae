// A scripted CUiServices for core tests: answers queued in advance, everything shown recorded.
#pragma once

#include "framework/UiServices.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class FakeUi : public CUiServices {
public:
    struct Shown {
        std::string text;
        MsgButtons buttons;
    };

    // Answers for the next questions, in order; with none queued a Yes/No box answers No and a
    // Yes/No/Cancel box Cancel.
    void QueueAnswer(MsgResult answer) { m_answers.push_back(answer); }

    MsgResult MessageBox(const std::string& text, MsgButtons buttons, MsgIcon) override {
        m_shown.push_back({text, buttons});
        if (buttons == MsgButtons::Ok)
            return MsgResult::Ok;
        if (m_answers.empty())
            return buttons == MsgButtons::YesNo ? MsgResult::No : MsgResult::Cancel;
        MsgResult answer = m_answers.front();
        m_answers.pop_front();
        return answer;
    }
    using CUiServices::MessageBox;

    [[nodiscard]] const std::vector<Shown>& Messages() const { return m_shown; }

    // The Read Data window: how it behaves (set before the read) and what it was shown.
    struct ReadWindowState {
        int cancelAfterPasses = -1; // cancel once ProcessEvents ran this often; -1 never
        bool finalOk = true;        // answer to the final question
        bool finalSeparate = false; // the check box when it ends with OK
        int created = 0;
        int destroyed = 0;
        int passes = 0;
        bool finalAsked = false;
        std::vector<int> ranges;
        std::vector<std::int64_t> positions;
        std::vector<std::string> statusTexts;
        std::string sourceText;
    };
    [[nodiscard]] ReadWindowState& ReadWindow() { return m_readWindow; }

    std::unique_ptr<CReadWindow> CreateReadWindow() override {
        ++m_readWindow.created;
        return std::make_unique<FakeReadWindow>(m_readWindow);
    }

    // File prompts: answers queued in order; with none queued a prompt is cancelled.
    void QueueOpenFile(std::optional<std::string> path) { m_openFiles.push_back(std::move(path)); }
    [[nodiscard]] const std::vector<FilePrompt>& OpenPrompts() const { return m_openPrompts; }

    std::optional<std::string> PromptOpenFile(const FilePrompt& prompt) override {
        m_openPrompts.push_back(prompt);
        if (m_openFiles.empty())
            return std::nullopt;
        std::optional<std::string> answer = std::move(m_openFiles.front());
        m_openFiles.pop_front();
        return answer;
    }

    // Save prompts: answers queued in order; with none queued a prompt is cancelled. What each
    // proposed is recorded.
    void QueueSaveFile(std::optional<std::string> path) { m_saveFiles.push_back(std::move(path)); }
    [[nodiscard]] const std::vector<std::string>& SaveProposals() const { return m_saveProposals; }

    std::optional<std::string> PromptSaveFile(const FilePrompt&,
                                              const std::string& initialName) override {
        m_saveProposals.push_back(initialName);
        if (m_saveFiles.empty())
            return std::nullopt;
        std::optional<std::string> answer = std::move(m_saveFiles.front());
        m_saveFiles.pop_front();
        return answer;
    }

    // The Options dialog: the editor plays the user on the copy it is given and returns whether
    // the dialog ends with OK; without one the dialog is cancelled untouched. What the dialog
    // was opened with is recorded.
    using SettingsEditor = std::function<bool(DocumentSettings&)>;
    void SetSettingsEditor(SettingsEditor editor) { m_settingsEditor = std::move(editor); }
    [[nodiscard]] const std::vector<DocumentSettings>& SettingsShown() const {
        return m_settingsShown;
    }

    bool EditSettings(DocumentSettings& settings) override {
        m_settingsShown.push_back(settings);
        return m_settingsEditor && m_settingsEditor(settings);
    }

    // The Calculations dialog: the editor plays the user on the pressure and altitude formulas
    // and returns whether it ends with OK; without one it is cancelled. Every opening counts.
    using FormulaEditor = std::function<bool(std::string& pressure, std::string& altitude)>;
    void SetFormulaEditor(FormulaEditor editor) { m_formulaEditor = std::move(editor); }
    [[nodiscard]] int FormulaDialogsShown() const { return m_formulaDialogs; }

    bool EditFlightFormulas(std::string& pressure, std::string& altitude) override {
        ++m_formulaDialogs;
        return m_formulaEditor && m_formulaEditor(pressure, altitude);
    }

    // The annotation dialogs: each editor plays the user and returns whether the dialog ends
    // with OK; without one the dialog is cancelled untouched.
    std::function<bool(CDataBlock&, const std::string& title)> editFlightAnnotations;
    std::function<bool(CAnnotation&)> editAnnotation;

    bool EditFlightAnnotations(CDataBlock& flight, const std::string& title) override {
        return editFlightAnnotations && editFlightAnnotations(flight, title);
    }
    bool EditAnnotation(CAnnotation& annotation) override {
        return editAnnotation && editAnnotation(annotation);
    }

    // Serial ports: results handed out in order, named after the device asked for unless they
    // name one; with none queued the open fails as a missing device does. Every request is
    // recorded.
    struct PortRequest {
        std::string device;
        CPortSetupBlock setup;
        CommTimeouts timeouts;
    };
    void QueuePort(PortOpenResult result) { m_ports.push_back(std::move(result)); }
    // A port that opens and plays source.
    void QueuePort(std::unique_ptr<ByteSource> source) {
        m_ports.push_back({PortOpenStatus::kOpened, std::move(source)});
    }
    [[nodiscard]] const std::vector<PortRequest>& PortRequests() const { return m_portRequests; }

    PortOpenResult OpenSerialPort(const std::string& device, const CPortSetupBlock& setup,
                                  const CommTimeouts& timeouts) override {
        m_portRequests.push_back({device, setup, timeouts});
        if (m_ports.empty())
            return {PortOpenStatus::kOpenFailed, nullptr, device, "No such file or directory"};
        PortOpenResult result = std::move(m_ports.front());
        m_ports.pop_front();
        if (result.device.empty())
            result.device = device;
        return result;
    }

private:
    class FakeReadWindow final : public CReadWindow {
    public:
        explicit FakeReadWindow(ReadWindowState& state) : m_state(state) {}
        ~FakeReadWindow() override { ++m_state.destroyed; }
        void SetProgressRange(int upper) override { m_state.ranges.push_back(upper); }
        void SetProgressPosition(std::int64_t position) override {
            m_state.positions.push_back(position);
        }
        void SetStatusText(const std::string& text) override {
            m_state.statusTexts.push_back(text);
        }
        void SetSourceText(const std::string& text) override { m_state.sourceText = text; }
        void ProcessEvents() override { ++m_state.passes; }
        bool IsCancelRequested() const override {
            return m_state.cancelAfterPasses >= 0 && m_state.passes >= m_state.cancelAfterPasses;
        }
        bool AskKeepSeparate(bool& separate) override {
            m_state.finalAsked = true;
            if (m_state.finalOk)
                separate = m_state.finalSeparate;
            return m_state.finalOk;
        }

    private:
        ReadWindowState& m_state;
    };

    ReadWindowState m_readWindow;
    std::deque<MsgResult> m_answers;
    std::vector<Shown> m_shown;
    std::deque<std::optional<std::string>> m_openFiles;
    std::vector<FilePrompt> m_openPrompts;
    std::deque<std::optional<std::string>> m_saveFiles;
    std::vector<std::string> m_saveProposals;
    SettingsEditor m_settingsEditor;
    std::vector<DocumentSettings> m_settingsShown;
    FormulaEditor m_formulaEditor;
    int m_formulaDialogs = 0;
    std::deque<PortOpenResult> m_ports;
    std::vector<PortRequest> m_portRequests;
};
