// CFormulaEvaluator: interprets the user's one-line formulas over a small table of named doubles.
#pragma once

#include "calc/FormulaLexis.h"
#include "framework/StringIds.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// A recursive-descent interpreter that rescans the text on every Evaluate; it has no compiled
// form. Statements are separated by ';'; each is an assignment "name = expression" or an
// expression of + - * / % ^, one leading sign, parentheses, numbers, variables and the calls
// of FormulaFunctions(). Variable names ignore letter case; function names do not.
//
// Errors are reported by code (kError*), with the position and the token at which they arose;
// math-library domain results (NaN, infinities) are values, not errors.
class CFormulaEvaluator {
public:
    enum ErrorCode {
        kNoError = 0,
        kErrorSyntax = 1,           // also: nesting deeper than kMaxNesting, token too long
        kErrorParenthesis = 2,      // "(" not closed by ")"
        kErrorDivisionByZero = 3,   // divisor of / or % equal to 0 or not a number
        kErrorUnknownVariable = 4,  // a name that is not bound
        kErrorTooManyVariables = 5, // an assignment with all slots taken
        kErrorUnknownFunction = 6,  // a call of a name not in the function table
        kErrorArgumentCount = 7,    // a call with another number of arguments than the table's
        kErrorMissingArgument = 8,  // ")" or "," where an argument must stand; empty "()"
        kErrorEmpty = 9,            // a statement holding nothing but blanks
        // A text longer than kMaxFormulaLength characters, refused before it is read (at
        // position kMaxFormulaLength, no token), so that no formula costs unbounded time.
        kErrorTooLong = 10,
    };

    // The message of code c is the string numbered base + c - 1; that of kErrorTooLong is
    // str::FormulaTooLong whatever the base.
    static constexpr unsigned kErrorMessageBase = str::FormulaErrorFirst;
    // Characters (UTF-8 code points) of the longest text evaluated, up to its first zero byte.
    static constexpr std::size_t kMaxFormulaLength = 4096;
    [[nodiscard]] static bool IsTooLong(std::string_view text);
    static constexpr int kVariableSlots = 50;
    // Names are significant to this many characters; longer ones are cut.
    static constexpr std::size_t kMaxNameLength = 15;
    // A name or number token longer than this is a syntax error.
    static constexpr std::size_t kMaxTokenLength = 31;
    // Parentheses and calls nested deeper than this are a syntax error, so that no text can
    // exhaust the stack.
    static constexpr int kMaxNesting = 1000;

    // The identity of a variable name as the table compares names: the first kMaxNameLength
    // characters, letters folded to lower case, zero-padded.
    struct NameKey {
        std::uint64_t low = 0;
        std::uint64_t high = 0;
        friend bool operator==(const NameKey&, const NameKey&) = default;
    };

    // A name prepared once for repeated binding and lookup (the translation binds X and PA for
    // every sample; compiled formulas name their variables this way). Every operation taking
    // a VariableName behaves exactly as the same operation taking the name's text. It remembers
    // the slot where it was last found, so it must not be used on two threads at once.
    class VariableName {
    public:
        VariableName() = default;
        explicit VariableName(std::string_view name);
        // The name as stored by SetVariable: up to any zero byte, cut to kMaxNameLength.
        [[nodiscard]] std::string_view Text() const { return {m_text.data(), m_nLength}; }
        // Equal for exactly the names the table takes to be the same variable.
        [[nodiscard]] const NameKey& Key() const { return m_key; }

    private:
        friend class CFormulaEvaluator;
        std::array<char, kMaxNameLength + 1> m_text{}; // zero-padded
        std::size_t m_nLength = 0;
        NameKey m_key;
        // Where the name was last found or stored; checked before it is trusted.
        mutable int m_nSlotHint = 0;
    };

    CFormulaEvaluator();

    // Binds name to value: removes a variable of that name first, then takes the lowest free
    // slot. False when every slot is taken. A name ends at its first zero byte (as a C string
    // does) and is cut to kMaxNameLength, so no two slots ever hold the same name.
    [[nodiscard]] bool SetVariable(std::string_view name, double value);
    // Frees the first slot whose name equals name ignoring letter case; false if none does.
    bool RemoveVariable(std::string_view name);
    // The value of the first slot whose name equals name ignoring letter case.
    [[nodiscard]] bool LookupVariable(std::string_view name, double& value) const;

    // The same three operations on a prepared name, without rescanning its text.
    [[nodiscard]] bool SetVariable(const VariableName& name, double value) {
        const int bound = FindSlot(name);
        // Removing the bound slot and taking the lowest free one: the name stays where it is
        // unless a slot below it is free.
        const int end = bound < 0 ? kVariableSlots : bound;
        int target = -1;
        for (int i = 0; i < end; ++i) {
            if (m_variables[static_cast<std::size_t>(i)].name[0] == '\0') {
                target = i;
                break;
            }
        }
        if (target < 0) {
            if (bound < 0)
                return false;
            target = bound;
        } else if (bound >= 0) {
            m_variables[static_cast<std::size_t>(bound)].name[0] = '\0';
            m_variables[static_cast<std::size_t>(bound)].key = {};
        }
        Slot& slot = m_variables[static_cast<std::size_t>(target)];
        slot.name = name.m_text;
        slot.key = name.m_key;
        slot.value = value;
        name.m_nSlotHint = target;
        return true;
    }
    bool RemoveVariable(const VariableName& name) {
        const int index = FindSlot(name);
        if (index < 0)
            return false;
        m_variables[static_cast<std::size_t>(index)].name[0] = '\0';
        m_variables[static_cast<std::size_t>(index)].key = {};
        return true;
    }
    [[nodiscard]] bool LookupVariable(const VariableName& name, double& value) const {
        const int index = FindSlot(name);
        if (index < 0)
            return false;
        value = m_variables[static_cast<std::size_t>(index)].value;
        return true;
    }

    // Slot contents for diagnostics and tests: the stored name (up to its zero byte; empty for
    // a free slot) and the value last stored there (kept when the slot is freed).
    [[nodiscard]] std::string_view GetSlotName(int index) const {
        return m_variables[static_cast<std::size_t>(index)].name.data();
    }
    [[nodiscard]] double GetSlotValue(int index) const {
        return m_variables[static_cast<std::size_t>(index)].value;
    }

    // Evaluates every ';'-separated statement in turn until one fails. Returns the error code
    // (kNoError on success); result is 0.0 on entry and then holds the value of the last
    // statement evaluated (not meaningful after an error). Text after the first zero byte is
    // ignored. Variables the text assigns stay bound for later calls.
    [[nodiscard]] int Evaluate(std::string_view text, double& result);

    // The message of the recorded error: string baseId + code - 1 (str::FormulaTooLong for
    // kErrorTooLong) with "%1" replaced by the position in decimal and "%2" by the token.
    [[nodiscard]] std::string FormatError(unsigned baseId) const;

    [[nodiscard]] int GetErrorCode() const { return m_nErrorCode; }
    // Characters of the failing statement consumed by the scanner, minus one: in text without
    // blanks, the 0-based index of the last character of the token at fault (-1 for an empty
    // statement). Counted within the statement, not the whole text.
    [[nodiscard]] int GetErrorPosition() const { return m_nErrorPosition; }
    // The scanner's token when the error arose (the function's name for errors 7 and 8 of a
    // call); at most kMaxTokenLength characters, empty at the end of the text.
    [[nodiscard]] const std::string& GetErrorToken() const { return m_strErrorToken; }

private:
    // Runs its programs on this evaluator's table and records their errors here.
    friend class CCompiledFormula;

    struct Slot {
        std::array<char, kMaxNameLength + 1> name{}; // zero-terminated; empty = free slot
        NameKey key;                                 // of name; all zero for a free slot
        double value = 0.0;
    };

    // The first slot holding name, or -1. A name that is not empty is held by one slot at
    // most, so the slot it was last found in is the first when it still holds it; the empty
    // name matches every free slot and is always searched for.
    [[nodiscard]] int FindSlot(const VariableName& name) const {
        const Slot& hinted = m_variables[static_cast<std::size_t>(name.m_nSlotHint)];
        if (hinted.key == name.m_key && name.m_nLength != 0)
            return name.m_nSlotHint;
        for (int i = 0; i < kVariableSlots; ++i) {
            if (m_variables[static_cast<std::size_t>(i)].key == name.m_key) {
                name.m_nSlotHint = i;
                return i;
            }
        }
        return -1;
    }

    // Thrown by Raise to abandon the current statement; caught by Evaluate.
    struct Failure {};

    // Grammar, loosest to tightest; each leaves the token after what it consumed current.
    void Statement(double& out);
    void Additive(double& out);
    void Term(double& out);
    void Power(double& out);
    void Signed(double& out);
    void Primary(double& out);
    void Call(double& out);

    // Scanner: reads the next token of the current statement and the blanks after it.
    void NextToken();

    void EnterNesting();
    // Records the error (the first of an evaluation only) and abandons the statement.
    [[noreturn]] void Raise(int code);
    [[noreturn]] void Raise(int code, std::string_view token);
    void Record(int code, std::string_view token);

    int m_nErrorCode = kNoError;
    std::string m_strErrorToken;
    int m_nErrorPosition = 0;
    std::array<Slot, kVariableSlots> m_variables{};

    formula_lexis::Scanner m_scan;
    int m_nNesting = 0;
};
