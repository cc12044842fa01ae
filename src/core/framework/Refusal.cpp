#include "framework/Refusal.h"

#include "framework/StringTable.h"

std::string RefusalReason(unsigned id, std::string_view subject) {
    return FormatString1(id, subject);
}

std::string AsSentence(std::string reason) {
    if (!reason.empty() && reason.front() >= 'a' && reason.front() <= 'z')
        reason.front() = static_cast<char>(reason.front() - 'a' + 'A');
    if (!reason.empty() && reason.back() != '.')
        reason += '.';
    return reason;
}

std::string RefusalSentence(unsigned id, std::string_view subject) {
    // Only the table's own first letter is raised, never one of the subject's.
    const std::string format = LoadString(id);
    std::string sentence = RefusalReason(id, subject);
    if (!format.starts_with("%"))
        return AsSentence(std::move(sentence));
    if (!sentence.empty() && sentence.back() != '.')
        sentence += '.';
    return sentence;
}

CFileRefusal::CFileRefusal(Cause cause, const std::string& path, unsigned reasonId)
    : CFileException(cause, path, RefusalSentence(reasonId, path)),
      m_strReason(RefusalReason(reasonId, path)) {}
