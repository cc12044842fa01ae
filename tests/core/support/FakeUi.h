// A scripted CUiServices for core tests: answers queued in advance, everything shown recorded.
#pragma once

#include "framework/UiServices.h"

#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <vector>

class FakeUi : public CUiServices {
public:
    struct Shown {
        std::string text;
        MsgButtons buttons;
    };

    // Answers for the next Yes/No boxes, in order; with none queued a Yes/No box answers No.
    void QueueAnswer(MsgResult answer) { m_answers.push_back(answer); }

    MsgResult MessageBox(const std::string& text, MsgButtons buttons, MsgIcon) override {
        m_shown.push_back({text, buttons});
        if (buttons == MsgButtons::Ok)
            return MsgResult::Ok;
        if (m_answers.empty())
            return MsgResult::No;
        MsgResult answer = m_answers.front();
        m_answers.pop_front();
        return answer;
    }
    using CUiServices::MessageBox;

    [[nodiscard]] const std::vector<Shown>& Messages() const { return m_shown; }

    // The Read Data window: how it behaves (set before the read) and what it was shown.
    struct ReadWindowState {
        bool failCreate = false;
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
    };
    [[nodiscard]] ReadWindowState& ReadWindow() { return m_readWindow; }

    std::unique_ptr<CReadWindow> CreateReadWindow() override {
        if (m_readWindow.failCreate)
            return nullptr;
        ++m_readWindow.created;
        return std::make_unique<FakeReadWindow>(m_readWindow);
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
};
