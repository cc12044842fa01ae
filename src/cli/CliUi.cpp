#include "CliUi.h"

#include "framework/StringIds.h"
#include "framework/StringTable.h"

#include <cstdio>

namespace {
constexpr unsigned kKeepIncompleteId = str::KeepIncompleteData;
} // namespace

MsgResult CCliUi::MessageBox(const std::string& text, MsgButtons buttons, MsgIcon icon) {
    (void)icon;
    if (buttons == MsgButtons::YesNo && text == LoadString(kKeepIncompleteId)) {
        std::fprintf(stderr,
                     "kubo-cli: %s: warning: the transmission is incomplete; keeping the flights "
                     "decoded\n",
                     m_strCurrentFile.c_str());
        return MsgResult::Yes;
    }
    m_strLastMessage = text;
    return buttons == MsgButtons::Ok      ? MsgResult::Ok
           : buttons == MsgButtons::YesNo ? MsgResult::No
                                          : MsgResult::Cancel;
}
