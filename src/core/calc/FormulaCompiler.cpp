#include "calc/FormulaCompiler.h"

#include "calc/FormulaArithmetic.h"
#include "calc/FormulaFunctions.h"
#include "calc/FormulaLexis.h"

#include <climits>
#include <cmath>

namespace {
using formula_lexis::IsDigit;
using formula_lexis::kTokenDelimiter;
using formula_lexis::kTokenEnd;
using formula_lexis::kTokenName;
using formula_lexis::kTokenNumber;
using formula_lexis::NumberValue;

using Evaluator = CFormulaEvaluator;
} // namespace

void CFormulaCompiler::Compile(std::string_view text, CCompiledFormula& program) {
    CFormulaCompiler compiler(program);
    compiler.CompileText(text);
}

CFormulaCompiler::CFormulaCompiler(CCompiledFormula& program) : m_program(program) {
    m_zero = Constant(0.0);
    m_lastTarget = m_zero;
    m_result.value = m_zero;
}

void CFormulaCompiler::CompileText(std::string_view text) {
    text = text.substr(0, text.find('\0'));
    if (Evaluator::IsTooLong(text)) {
        // The interpreter's refusal: position kMaxFormulaLength, no token, result 0.
        m_scan.readPos = Evaluator::kMaxFormulaLength + 1;
        try {
            Raise(Evaluator::kErrorTooLong, {});
        } catch (const Stop&) {
            return;
        }
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
                Raise(Evaluator::kErrorEmpty);
            Statement(m_result);
        } catch (const Stop&) {
            return;
        }
        if (end == std::string_view::npos)
            break;
        start = end + 1;
    }
    Emit({.op = Op::kEnd, .left = m_result.value});
}

// --- Grammar: the interpreter's, emitting instead of computing ---

void CFormulaCompiler::Statement(Cell& out) {
    if (m_scan.kind == kTokenName && m_scan.CharAt(m_scan.readPos) == '=') {
        const std::string_view name = m_scan.token;
        NextToken(); // the "="
        NextToken(); // the first token of the value
        if (m_scan.kind == kTokenEnd) {
            Emit({.op = Op::kRemove, .name = NameIndex(name)});
            return;
        }
        Cell value{m_zero};
        Additive(value);
        Emit({.op = Op::kStore,
              .left = value.value,
              .name = NameIndex(name),
              .failure = FailureHere(Evaluator::kErrorTooManyVariables, m_scan.token)});
        out.value = value.value;
        return;
    }
    Additive(out);
}

void CFormulaCompiler::Additive(Cell& out) {
    Term(out);
    for (char op = m_scan.TokenChar(); op == '+' || op == '-'; op = m_scan.TokenChar()) {
        NextToken();
        Cell right{m_zero};
        Term(right);
        out.value = Binary(op == '+' ? Op::kAdd : Op::kSubtract, out.value, right.value);
    }
}

void CFormulaCompiler::Term(Cell& out) {
    Power(out);
    for (char op = m_scan.TokenChar(); op == '*' || op == '/' || op == '%';
         op = m_scan.TokenChar()) {
        NextToken();
        Cell right{m_zero};
        Power(right);
        out.value = op == '*' ? Binary(Op::kMultiply, out.value, right.value)
                              : Divide(op, out.value, right.value);
    }
}

void CFormulaCompiler::Power(Cell& out) {
    Signed(out);
    if (m_scan.TokenChar() == '^') {
        NextToken();
        Cell exponent{m_zero};
        Signed(exponent);
        out.value = Binary(Op::kPower, out.value, exponent.value);
    }
}

void CFormulaCompiler::Signed(Cell& out) {
    const char sign = m_scan.TokenChar();
    if (sign == '+' || sign == '-')
        NextToken();
    Primary(out);
    if (sign == '-')
        out.value = Unary(Op::kNegate, out.value);
}

void CFormulaCompiler::Primary(Cell& out) {
    switch (m_scan.kind) {
    case kTokenDelimiter:
        if (m_scan.TokenChar() != '(')
            break;
        EnterNesting();
        NextToken();
        if (m_scan.TokenChar() == ')')
            Raise(Evaluator::kErrorMissingArgument);
        out.value = m_zero;
        Statement(out);
        if (m_scan.TokenChar() != ')')
            Raise(Evaluator::kErrorParenthesis);
        --m_nNesting;
        NextToken();
        return;
    case kTokenNumber:
        out.value = Constant(NumberValue(m_scan.token));
        NextToken();
        return;
    case kTokenName: {
        if (m_scan.CharAt(m_scan.readPos) == '(') {
            Call(out);
            return;
        }
        const Register target = NewRegister();
        Emit({.op = Op::kLoad,
              .target = target,
              .name = NameIndex(m_scan.token),
              .failure = FailureHere(Evaluator::kErrorUnknownVariable, m_scan.token)});
        out.value = target;
        NextToken();
        return;
    }
    case kTokenEnd:
        break;
    }
    Raise(Evaluator::kErrorSyntax);
}

void CFormulaCompiler::Call(Cell& out) {
    const std::string_view name = m_scan.token;
    const FormulaFunction* function = FindFormulaFunction(name);
    if (!function)
        Raise(Evaluator::kErrorUnknownFunction);
    EnterNesting();
    NextToken(); // the "("
    Cell args[3] = {{m_zero}, {m_zero}, {m_zero}};
    int count = 0;
    do {
        NextToken();
        if (m_scan.TokenChar() == ')' || m_scan.TokenChar() == ',')
            Raise(Evaluator::kErrorMissingArgument, name);
        Statement(args[count++]);
    } while (count < 3 && m_scan.TokenChar() == ',');
    NextToken();
    if (count != function->argCount)
        Raise(Evaluator::kErrorArgumentCount, name);
    --m_nNesting;
    out.value = CallFunction(*function, args);
}

// --- Scanner: the interpreter's ---

void CFormulaCompiler::NextToken() {
    if (!m_scan.Next(Evaluator::kMaxTokenLength, Evaluator::kMaxNameLength))
        Raise(Evaluator::kErrorSyntax);
}

void CFormulaCompiler::EnterNesting() {
    if (m_nNesting >= Evaluator::kMaxNesting)
        Raise(Evaluator::kErrorSyntax);
    ++m_nNesting;
}

// --- Errors ---

std::uint32_t CFormulaCompiler::FailureHere(int code, std::string_view token) {
    CCompiledFormula::Failure failure;
    failure.code = code;
    failure.position = m_scan.readPos > static_cast<std::size_t>(INT_MAX)
                           ? INT_MAX
                           : static_cast<int>(m_scan.readPos) - 1;
    failure.token.assign(token.substr(0, Evaluator::kMaxTokenLength));
    failure.result = m_result.value;
    m_program.m_failures.push_back(std::move(failure));
    return static_cast<std::uint32_t>(m_program.m_failures.size() - 1);
}

void CFormulaCompiler::Raise(int code) {
    Raise(code, m_scan.token);
}

void CFormulaCompiler::Raise(int code, std::string_view token) {
    Emit({.op = Op::kFail, .failure = FailureHere(code, token)});
    throw Stop{};
}

// --- Program ---

CFormulaCompiler::Register CFormulaCompiler::NewRegister() {
    m_program.m_registers.push_back(0.0);
    m_constant.push_back(false);
    return static_cast<Register>(m_program.m_registers.size() - 1);
}

CFormulaCompiler::Register CFormulaCompiler::Constant(double value) {
    const Register r = NewRegister();
    m_program.m_registers[r] = value;
    m_constant[r] = true;
    return r;
}

std::uint32_t CFormulaCompiler::NameIndex(std::string_view name) {
    // One entry per spelling: a store writes the spelling it was given.
    for (std::size_t i = 0; i < m_program.m_names.size(); ++i)
        if (m_program.m_names[i].Text() == name)
            return static_cast<std::uint32_t>(i);
    m_program.m_names.emplace_back(name);
    return static_cast<std::uint32_t>(m_program.m_names.size() - 1);
}

void CFormulaCompiler::Emit(const CCompiledFormula::Instruction& instruction) {
    CCompiledFormula::Instruction in = instruction;
    bool writesTarget = false;
    bool readsLeft = false;
    bool readsRight = false;
    switch (in.op) {
    case Op::kLoad:
        writesTarget = true;
        break;
    case Op::kStore:
        readsLeft = true;
        break;
    case Op::kRemove:
        break;
    case Op::kNegate:
        writesTarget = readsLeft = true;
        break;
    case Op::kEnd:
        readsLeft = true;
        break;
    case Op::kFail:
        break;
    default: // the binary operations and calls
        writesTarget = readsLeft = readsRight = true;
        break;
    }
    // The run keeps the last value produced at hand; reading it there instead of from its
    // register saves a round trip through memory on every step of a chain.
    if (m_lastTarget != m_zero) {
        if (readsLeft && in.left == m_lastTarget) {
            in.last |= CCompiledFormula::kLeftIsLast;
            in.left = m_zero;
        }
        if (readsRight && in.right == m_lastTarget) {
            in.last |= CCompiledFormula::kRightIsLast;
            in.right = m_zero;
        }
    }
    if (writesTarget)
        m_lastTarget = in.target;
    m_program.m_code.push_back(in);
}

// Operations on constants are carried out here through the interpreter's arithmetic, so that
// their results are the interpreter's to the bit.
CFormulaCompiler::Register CFormulaCompiler::Unary(Op op, Register operand) {
    if (IsConstant(operand))
        return Constant(-m_program.m_registers[operand]);
    const Register target = NewRegister();
    Emit({.op = op, .target = target, .left = operand});
    return target;
}

CFormulaCompiler::Register CFormulaCompiler::Binary(Op op, Register left, Register right) {
    if (IsConstant(left) && IsConstant(right)) {
        const double a = m_program.m_registers[left];
        const double b = m_program.m_registers[right];
        switch (op) {
        case Op::kAdd:
            return Constant(formula_arithmetic::Add(a, b));
        case Op::kSubtract:
            return Constant(formula_arithmetic::Subtract(a, b));
        case Op::kMultiply:
            return Constant(formula_arithmetic::Multiply(a, b));
        case Op::kPower:
            return Constant(formula_arithmetic::Power(a, b));
        default:
            break;
        }
    }
    const Register target = NewRegister();
    Emit({.op = op, .target = target, .left = left, .right = right});
    return target;
}

CFormulaCompiler::Register CFormulaCompiler::Divide(char op, Register left, Register right) {
    // The interpreter checks the divisor before dividing: a divisor known to pass the check
    // needs no check at run time.
    bool checked = true;
    if (IsConstant(right)) {
        const double b = m_program.m_registers[right];
        checked = b == 0.0 || std::isnan(b);
        if (!checked && IsConstant(left)) {
            const double a = m_program.m_registers[left];
            return Constant(op == '/' ? formula_arithmetic::Divide(a, b)
                                      : formula_arithmetic::Remainder(a, b));
        }
    }
    const Register target = NewRegister();
    CCompiledFormula::Instruction in;
    in.target = target;
    in.left = left;
    in.right = right;
    if (op == '/')
        in.op = checked ? Op::kDivideChecked : Op::kDivide;
    else
        in.op = checked ? Op::kRemainderChecked : Op::kRemainder;
    if (checked)
        in.failure = FailureHere(Evaluator::kErrorDivisionByZero, m_scan.token);
    Emit(in);
    return target;
}

CFormulaCompiler::Register CFormulaCompiler::CallFunction(const FormulaFunction& function,
                                                          const Cell* args) {
    if (IsConstant(args[0].value) && IsConstant(args[1].value) && IsConstant(args[2].value))
        return Constant(function.fn(m_program.m_registers[args[0].value],
                                    m_program.m_registers[args[1].value],
                                    m_program.m_registers[args[2].value]));
    const Register target = NewRegister();
    Emit({.op = Op::kCall,
          .target = target,
          .left = args[0].value,
          .right = args[1].value,
          .third = args[2].value,
          .function = function.fn});
    return target;
}
