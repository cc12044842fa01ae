#include "calc/FormulaEvaluator.h"

#include "calc/FormulaArithmetic.h"
#include "calc/FormulaFunctions.h"
#include "calc/FormulaLexis.h"
#include "framework/StringIds.h"
#include "framework/StringTable.h"

#include <climits>
#include <cmath>
#include <cstring>
#include <exception>

namespace {
using formula_lexis::IsDigit;
using formula_lexis::kTokenDelimiter;
using formula_lexis::kTokenEnd;
using formula_lexis::kTokenName;
using formula_lexis::kTokenNumber;
using formula_lexis::NumberValue;

char FoldCase(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// A name as the variable table holds it: up to its first zero byte, at most kMaxNameLength
// characters.
std::string_view SignificantName(std::string_view name) {
    return name.substr(0, name.find('\0')).substr(0, CFormulaEvaluator::kMaxNameLength);
}

CFormulaEvaluator::NameKey KeyOf(std::string_view name) {
    std::array<char, 16> folded{};
    for (std::size_t i = 0; i < name.size() && i < folded.size(); ++i)
        folded[i] = FoldCase(name[i]);
    CFormulaEvaluator::NameKey key;
    std::memcpy(&key.low, folded.data(), sizeof key.low);
    std::memcpy(&key.high, folded.data() + sizeof key.low, sizeof key.high);
    return key;
}

bool SameName(const char* stored, std::string_view name) {
    std::size_t i = 0;
    for (; i < name.size(); ++i)
        if (stored[i] == '\0' || FoldCase(stored[i]) != FoldCase(name[i]))
            return false;
    return stored[i] == '\0';
}
} // namespace

CFormulaEvaluator::VariableName::VariableName(std::string_view name) {
    name = SignificantName(name);
    name.copy(m_text.data(), name.size());
    m_nLength = name.size();
    m_key = KeyOf(name);
}

CFormulaEvaluator::CFormulaEvaluator() = default;

bool CFormulaEvaluator::SetVariable(std::string_view name, double value) {
    name = SignificantName(name);
    RemoveVariable(name);
    for (Slot& slot : m_variables) {
        if (slot.name[0] != '\0')
            continue;
        name.copy(slot.name.data(), name.size());
        slot.name[name.size()] = '\0';
        slot.key = KeyOf(name);
        slot.value = value;
        return true;
    }
    return false;
}

bool CFormulaEvaluator::RemoveVariable(std::string_view name) {
    name = SignificantName(name);
    for (Slot& slot : m_variables) {
        if (SameName(slot.name.data(), name)) {
            slot.name[0] = '\0';
            slot.key = {};
            return true;
        }
    }
    return false;
}

bool CFormulaEvaluator::LookupVariable(std::string_view name, double& value) const {
    name = SignificantName(name);
    for (const Slot& slot : m_variables) {
        if (SameName(slot.name.data(), name)) {
            value = slot.value;
            return true;
        }
    }
    return false;
}

int CFormulaEvaluator::Evaluate(std::string_view text, double& result) {
    m_nErrorCode = kNoError;
    m_nErrorPosition = 0;
    m_strErrorToken.clear();
    result = 0.0;
    text = text.substr(0, text.find('\0'));
    if (IsTooLong(text)) {
        m_nErrorCode = kErrorTooLong;
        m_nErrorPosition = static_cast<int>(kMaxFormulaLength);
        return m_nErrorCode;
    }

    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find(';', start);
        m_scan.piece = text.substr(start, end == std::string_view::npos ? end : end - start);
        m_scan.readPos = 0;
        m_scan.token = {};
        m_scan.kind = kTokenEnd;
        m_nNesting = 0;
        try {
            NextToken();
            if (m_scan.kind == kTokenEnd)
                Raise(kErrorEmpty);
            Statement(result);
        } catch (const Failure&) {
            // Recorded by Raise.
        } catch (const std::exception&) {
            Record(kErrorSyntax, m_scan.token);
        }
        if (m_nErrorCode != kNoError || end == std::string_view::npos)
            break;
        start = end + 1;
    }
    m_scan.piece = {};
    m_scan.token = {};
    return m_nErrorCode;
}

std::string CFormulaEvaluator::FormatError(unsigned baseId) const {
    const unsigned id = m_nErrorCode == kErrorTooLong
                            ? str::FormulaTooLong
                            : baseId + static_cast<unsigned>(m_nErrorCode) - 1;
    return FormatString2(id, std::to_string(m_nErrorPosition), m_strErrorToken);
}

bool CFormulaEvaluator::IsTooLong(std::string_view text) {
    text = text.substr(0, text.find('\0'));
    if (text.size() <= kMaxFormulaLength)
        return false;
    std::size_t characters = 0;
    for (const char c : text)
        if ((static_cast<unsigned char>(c) & 0xC0u) != 0x80u && ++characters > kMaxFormulaLength)
            return true;
    return false;
}

// --- Grammar ---

void CFormulaEvaluator::Statement(double& out) {
    if (m_scan.kind == kTokenName && m_scan.CharAt(m_scan.readPos) == '=') {
        const std::string_view name = m_scan.token;
        NextToken(); // the "="
        NextToken(); // the first token of the value
        if (m_scan.kind == kTokenEnd) {
            // "name =" with nothing after it unbinds the name; out keeps its value.
            RemoveVariable(name);
            return;
        }
        double value = 0.0;
        Additive(value);
        if (!SetVariable(name, value))
            Raise(kErrorTooManyVariables);
        out = value;
        return;
    }
    Additive(out);
}

void CFormulaEvaluator::Additive(double& out) {
    Term(out);
    for (char op = m_scan.TokenChar(); op == '+' || op == '-'; op = m_scan.TokenChar()) {
        NextToken();
        double right = 0.0;
        Term(right);
        out = op == '+' ? formula_arithmetic::Add(out, right)
                        : formula_arithmetic::Subtract(out, right);
    }
}

void CFormulaEvaluator::Term(double& out) {
    Power(out);
    for (char op = m_scan.TokenChar(); op == '*' || op == '/' || op == '%';
         op = m_scan.TokenChar()) {
        NextToken();
        double right = 0.0;
        Power(right);
        if (op == '*') {
            out = formula_arithmetic::Multiply(out, right);
            continue;
        }
        if (right == 0.0 || std::isnan(right))
            Raise(kErrorDivisionByZero);
        out = op == '/' ? formula_arithmetic::Divide(out, right)
                        : formula_arithmetic::Remainder(out, right);
    }
}

void CFormulaEvaluator::Power(double& out) {
    Signed(out);
    // One "^" only: in 2^3^2 the second "^2" is left over.
    if (m_scan.TokenChar() == '^') {
        NextToken();
        double exponent = 0.0;
        Signed(exponent);
        out = formula_arithmetic::Power(out, exponent);
    }
}

void CFormulaEvaluator::Signed(double& out) {
    const char sign = m_scan.TokenChar();
    if (sign == '+' || sign == '-')
        NextToken();
    Primary(out);
    if (sign == '-')
        out = -out;
}

void CFormulaEvaluator::Primary(double& out) {
    switch (m_scan.kind) {
    case kTokenDelimiter:
        if (m_scan.TokenChar() != '(')
            break;
        EnterNesting();
        NextToken();
        if (m_scan.TokenChar() == ')')
            Raise(kErrorMissingArgument);
        out = 0.0;
        Statement(out);
        if (m_scan.TokenChar() != ')')
            Raise(kErrorParenthesis);
        --m_nNesting;
        NextToken();
        return;
    case kTokenNumber:
        out = NumberValue(m_scan.token);
        NextToken();
        return;
    case kTokenName:
        if (m_scan.CharAt(m_scan.readPos) == '(') {
            Call(out);
            return;
        }
        if (!LookupVariable(m_scan.token, out))
            Raise(kErrorUnknownVariable);
        NextToken();
        return;
    case kTokenEnd:
        break;
    }
    Raise(kErrorSyntax);
}

void CFormulaEvaluator::Call(double& out) {
    const std::string_view name = m_scan.token;
    const FormulaFunction* function = FindFormulaFunction(name);
    if (!function)
        Raise(kErrorUnknownFunction);
    EnterNesting();
    NextToken(); // the "("
    double args[3] = {0.0, 0.0, 0.0};
    int count = 0;
    do {
        NextToken();
        if (m_scan.TokenChar() == ')' || m_scan.TokenChar() == ',')
            Raise(kErrorMissingArgument, name);
        Statement(args[count++]);
    } while (count < 3 && m_scan.TokenChar() == ',');
    // The token after the last argument closes the call whatever it is, so "sin(0" at the end
    // of the text is accepted.
    NextToken();
    if (count != function->argCount)
        Raise(kErrorArgumentCount, name);
    --m_nNesting;
    out = function->fn(args[0], args[1], args[2]);
}

// --- Scanner ---

void CFormulaEvaluator::NextToken() {
    if (!m_scan.Next(kMaxTokenLength, kMaxNameLength))
        Raise(kErrorSyntax);
}

// --- Errors ---

void CFormulaEvaluator::EnterNesting() {
    if (m_nNesting >= kMaxNesting)
        Raise(kErrorSyntax);
    ++m_nNesting;
}

void CFormulaEvaluator::Raise(int code) {
    Raise(code, m_scan.token);
}

void CFormulaEvaluator::Raise(int code, std::string_view token) {
    Record(code, token);
    throw Failure{};
}

void CFormulaEvaluator::Record(int code, std::string_view token) {
    if (m_nErrorCode != kNoError)
        return;
    m_nErrorCode = code;
    m_nErrorPosition = m_scan.readPos > static_cast<std::size_t>(INT_MAX)
                           ? INT_MAX
                           : static_cast<int>(m_scan.readPos) - 1;
    m_strErrorToken.assign(token.substr(0, kMaxTokenLength));
}
