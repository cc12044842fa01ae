#include "calc/FormulaEvaluator.h"

#include "calc/FormulaArithmetic.h"
#include "calc/FormulaFunctions.h"
#include "calc/FormulaLexis.h"
#include "framework/StringTable.h"

#include <climits>
#include <cmath>
#include <cstring>
#include <exception>

namespace {
using formula_lexis::IsBlank;
using formula_lexis::IsDelimiter;
using formula_lexis::IsDigit;
using formula_lexis::IsLetter;
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

    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find(';', start);
        m_piece = text.substr(start, end == std::string_view::npos ? end : end - start);
        m_nReadPos = 0;
        m_token = {};
        m_tokenKind = kTokenEnd;
        m_nNesting = 0;
        try {
            NextToken();
            if (m_tokenKind == kTokenEnd)
                Raise(kErrorEmpty);
            Statement(result);
        } catch (const Failure&) {
            // Recorded by Raise.
        } catch (const std::exception&) {
            Record(kErrorSyntax, m_token);
        }
        if (m_nErrorCode != kNoError || end == std::string_view::npos)
            break;
        start = end + 1;
    }
    m_piece = {};
    m_token = {};
    return m_nErrorCode;
}

std::string CFormulaEvaluator::FormatError(unsigned baseId) const {
    return FormatString2(baseId + static_cast<unsigned>(m_nErrorCode) - 1,
                         std::to_string(m_nErrorPosition), m_strErrorToken);
}

// --- Grammar ---

void CFormulaEvaluator::Statement(double& out) {
    if (m_tokenKind == kTokenName && CharAt(m_nReadPos) == '=') {
        const std::string_view name = m_token;
        NextToken(); // the "="
        NextToken(); // the first token of the value
        if (m_tokenKind == kTokenEnd) {
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
    for (char op = TokenChar(); op == '+' || op == '-'; op = TokenChar()) {
        NextToken();
        double right = 0.0;
        Term(right);
        out = op == '+' ? formula_arithmetic::Add(out, right)
                        : formula_arithmetic::Subtract(out, right);
    }
}

void CFormulaEvaluator::Term(double& out) {
    Power(out);
    for (char op = TokenChar(); op == '*' || op == '/' || op == '%'; op = TokenChar()) {
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
    if (TokenChar() == '^') {
        NextToken();
        double exponent = 0.0;
        Signed(exponent);
        out = formula_arithmetic::Power(out, exponent);
    }
}

void CFormulaEvaluator::Signed(double& out) {
    const char sign = TokenChar();
    if (sign == '+' || sign == '-')
        NextToken();
    Primary(out);
    if (sign == '-')
        out = -out;
}

void CFormulaEvaluator::Primary(double& out) {
    switch (m_tokenKind) {
    case kTokenDelimiter:
        if (TokenChar() != '(')
            break;
        EnterNesting();
        NextToken();
        if (TokenChar() == ')')
            Raise(kErrorMissingArgument);
        out = 0.0;
        Statement(out);
        if (TokenChar() != ')')
            Raise(kErrorParenthesis);
        --m_nNesting;
        NextToken();
        return;
    case kTokenNumber:
        out = NumberValue(m_token);
        NextToken();
        return;
    case kTokenName:
        if (CharAt(m_nReadPos) == '(') {
            Call(out);
            return;
        }
        if (!LookupVariable(m_token, out))
            Raise(kErrorUnknownVariable);
        NextToken();
        return;
    case kTokenEnd:
        break;
    }
    Raise(kErrorSyntax);
}

void CFormulaEvaluator::Call(double& out) {
    const std::string_view name = m_token;
    const FormulaFunction* function = FindFormulaFunction(name);
    if (!function)
        Raise(kErrorUnknownFunction);
    EnterNesting();
    NextToken(); // the "("
    double args[3] = {0.0, 0.0, 0.0};
    int count = 0;
    do {
        NextToken();
        if (TokenChar() == ')' || TokenChar() == ',')
            Raise(kErrorMissingArgument, name);
        Statement(args[count++]);
    } while (count < 3 && TokenChar() == ',');
    // The token after the last argument closes the call whatever it is, so "sin(0" at the end
    // of the text is accepted.
    NextToken();
    if (count != function->argCount)
        Raise(kErrorArgumentCount, name);
    --m_nNesting;
    out = function->fn(args[0], args[1], args[2]);
}

// --- Scanner ---

void CFormulaEvaluator::SkipBlanks() {
    while (IsBlank(CharAt(m_nReadPos)))
        ++m_nReadPos;
}

void CFormulaEvaluator::NextToken() {
    SkipBlanks();
    const std::size_t start = m_nReadPos;
    const char c = CharAt(start);
    if (c == '\0') {
        m_token = {};
        m_tokenKind = kTokenEnd;
        return;
    }
    if (IsDelimiter(c)) {
        ++m_nReadPos;
        m_tokenKind = kTokenDelimiter;
    } else if (IsDigit(c) || c == '.') {
        while (IsDigit(CharAt(m_nReadPos)) || CharAt(m_nReadPos) == '.')
            ++m_nReadPos;
        m_tokenKind = kTokenNumber;
    } else if (IsLetter(c) || c == '_') {
        for (char n = c; IsLetter(n) || IsDigit(n) || n == '_'; n = CharAt(m_nReadPos))
            ++m_nReadPos;
        m_tokenKind = kTokenName;
    } else {
        ++m_nReadPos;
        m_token = m_piece.substr(start, 1);
        m_tokenKind = kTokenDelimiter;
        Raise(kErrorSyntax);
    }
    m_token = m_piece.substr(start, m_nReadPos - start);
    if (m_token.size() > kMaxTokenLength) {
        // Reported at the token's last character, with as much of it as a token holds.
        m_token = m_token.substr(0, kMaxTokenLength);
        Raise(kErrorSyntax);
    }
    if (m_tokenKind == kTokenName)
        m_token = SignificantName(m_token);
    SkipBlanks();
}

// --- Errors ---

void CFormulaEvaluator::EnterNesting() {
    if (m_nNesting >= kMaxNesting)
        Raise(kErrorSyntax);
    ++m_nNesting;
}

void CFormulaEvaluator::Raise(int code) {
    Raise(code, m_token);
}

void CFormulaEvaluator::Raise(int code, std::string_view token) {
    Record(code, token);
    throw Failure{};
}

void CFormulaEvaluator::Record(int code, std::string_view token) {
    if (m_nErrorCode != kNoError)
        return;
    m_nErrorCode = code;
    m_nErrorPosition =
        m_nReadPos > static_cast<std::size_t>(INT_MAX) ? INT_MAX : static_cast<int>(m_nReadPos) - 1;
    m_strErrorToken.assign(token.substr(0, kMaxTokenLength));
}
