// CUiServices: the one way core code asks the user something; the GUI implements it.
#pragma once

#include <string>

#include "framework/StringTable.h"

enum class MsgButtons { Ok, YesNo };
enum class MsgIcon { Information, Warning, Error, Question };
enum class MsgResult { Ok, Yes, No };

// Every call is modal from the caller's view: it returns when the user has answered. Core tests
// use a scripted implementation; the GUI shows real dialogs.
class CUiServices {
public:
    virtual ~CUiServices() = default;

    // Shows text with the buttons; answers Ok for an OK box and Yes or No for a Yes/No box.
    virtual MsgResult MessageBox(const std::string& text, MsgButtons buttons, MsgIcon icon) = 0;

    // The same for a string-table entry.
    MsgResult MessageBox(unsigned stringId, MsgButtons buttons = MsgButtons::Ok,
                         MsgIcon icon = MsgIcon::Warning) {
        return MessageBox(LoadString(stringId), buttons, icon);
    }
};
