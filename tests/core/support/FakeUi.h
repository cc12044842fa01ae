// A scripted CUiServices for core tests: answers queued in advance, everything shown recorded.
#pragma once

#include "framework/UiServices.h"

#include <deque>
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

private:
    std::deque<MsgResult> m_answers;
    std::vector<Shown> m_shown;
};
