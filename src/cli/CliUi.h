// CCliUi: the user interface of kubo-cli: no windows, questions answered for a batch run.
#pragma once

#include "framework/UiServices.h"

#include <string>

// Keeps an incomplete transmission that holds flights (answering Yes to str::KeepIncompleteData,
// with a warning on stderr naming the current file) and keeps several flights in one session. Every
// other message is recorded, not shown: the command reports the last one as the reason of a
// failure.
class CCliUi final : public CUiServices {
public:
    using CUiServices::MessageBox;
    MsgResult MessageBox(const std::string& text, MsgButtons buttons, MsgIcon icon) override;

    // The file named in warnings.
    void SetCurrentFile(std::string path) { m_strCurrentFile = std::move(path); }
    // The text of the last message that was not a question answered here; empty when none.
    [[nodiscard]] const std::string& GetLastMessage() const { return m_strLastMessage; }
    void ClearLastMessage() { m_strLastMessage.clear(); }

private:
    std::string m_strCurrentFile;
    std::string m_strLastMessage;
};
