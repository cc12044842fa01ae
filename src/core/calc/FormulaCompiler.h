// CFormulaCompiler: parses a formula text once into the program of a CCompiledFormula.
#pragma once

#include "calc/CompiledFormula.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

struct FormulaFunction;

// Follows CFormulaEvaluator's recursive descent step by step, scanning tokens exactly when the
// interpreter scans them, and emits for every action of the interpreter the instruction that
// performs it. Where the interpreter raises an error that does not depend on the variables, the
// program fails there; errors that do (an unbound name, a zero divisor, a full table) are
// checked by the instruction that can meet them. Each instruction that can fail carries the
// code, position and token of the interpreter's error at that point, and the register holding
// what the interpreter's result holds then.
class CFormulaCompiler {
public:
    static void Compile(std::string_view text, CCompiledFormula& program);

private:
    using Op = CCompiledFormula::Op;
    using Register = std::uint32_t;
    enum TokenKind { kTokenEnd = 0, kTokenName = 1, kTokenDelimiter = 2, kTokenNumber = 3 };

    // What the interpreter's `double& out` refers to: the register holding its value now.
    struct Cell {
        Register value;
    };
    // Thrown after the failing instruction is emitted: the rest of the text is never reached.
    struct Stop {};

    explicit CFormulaCompiler(CCompiledFormula& program);
    void CompileText(std::string_view text);

    void Statement(Cell& out);
    void Additive(Cell& out);
    void Term(Cell& out);
    void Power(Cell& out);
    void Signed(Cell& out);
    void Primary(Cell& out);
    void Call(Cell& out);

    void NextToken();
    void SkipBlanks();
    [[nodiscard]] char CharAt(std::size_t index) const {
        return index < m_piece.size() ? m_piece[index] : '\0';
    }
    [[nodiscard]] char TokenChar() const { return m_token.empty() ? '\0' : m_token.front(); }
    void EnterNesting();

    // The error the interpreter would record now; its result is the top-level cell's value.
    [[nodiscard]] std::uint32_t FailureHere(int code, std::string_view token);
    [[noreturn]] void Raise(int code);
    [[noreturn]] void Raise(int code, std::string_view token);

    [[nodiscard]] Register Constant(double value);
    [[nodiscard]] Register NewRegister();
    [[nodiscard]] bool IsConstant(Register r) const { return m_constant[r]; }
    [[nodiscard]] std::uint32_t NameIndex(std::string_view name);
    void Emit(const CCompiledFormula::Instruction& instruction);

    [[nodiscard]] Register Unary(Op op, Register operand);
    [[nodiscard]] Register Binary(Op op, Register left, Register right);
    [[nodiscard]] Register Divide(char op, Register left, Register right);
    [[nodiscard]] Register CallFunction(const FormulaFunction& function, const Cell* args);

    CCompiledFormula& m_program;
    std::vector<bool> m_constant; // per register: stored at compile time
    Register m_zero = 0;          // the constant 0.0
    // The register written by the last instruction that writes one (none yet: m_zero, which no
    // instruction writes).
    Register m_lastTarget = 0;
    Cell m_result{}; // Evaluate's result

    std::string_view m_piece;
    std::size_t m_nReadPos = 0;
    std::string_view m_token;
    TokenKind m_tokenKind = kTokenEnd;
    int m_nNesting = 0;
};
