// Refusals: the reasons the program and kubo-cli give when they will not or cannot do something.
#pragma once

#include "framework/FileException.h"

#include <string>
#include <string_view>

// The reason of string id with %1 = subject: lower case, no final period, as kubo-cli prints
// it after "kubo-cli: FILE: " ("not enough memory for big.qlg").
[[nodiscard]] std::string RefusalReason(unsigned id, std::string_view subject);
// The same reason as the program shows it: a sentence ("Not enough memory for big.qlg.").
[[nodiscard]] std::string RefusalSentence(unsigned id, std::string_view subject);
// A reason text made a sentence: a first lower-case letter raised, a period appended.
[[nodiscard]] std::string AsSentence(std::string reason);

// A file operation that was refused before it began (a folder or device given for a file).
// what() is the sentence; GetReason() the reason for kubo-cli.
class CFileRefusal : public CFileException {
public:
    CFileRefusal(Cause cause, const std::string& path, unsigned reasonId);
    [[nodiscard]] const std::string& GetReason() const { return m_strReason; }

private:
    std::string m_strReason;
};
