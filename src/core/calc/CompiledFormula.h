// CCompiledFormula: a formula text compiled once, evaluated like CFormulaEvaluator::Evaluate.
#pragma once

#include "calc/FormulaArithmetic.h"
#include "calc/FormulaEvaluator.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Forces the program loop into its callers: the translation runs two programs per sample, and a
// call per run costs about a tenth of the time of a sample.
#if defined(__GNUC__)
#define KUBO_FORMULA_INLINE [[gnu::always_inline]] inline
#elif defined(_MSC_VER)
#define KUBO_FORMULA_INLINE __forceinline
#else
#define KUBO_FORMULA_INLINE inline
#endif

// The text is scanned and parsed once; Run then performs, on the evaluator it is given, what
// Evaluate(text, result) performs there, in the same order: the same variable reads, bindings
// and removals, the same IEEE operations and FormulaFunctions() calls, and the same error at the
// same point, with its code, position and token. The result is the same to the bit, also as
// Evaluate leaves it after an error. Operations whose operands are all literal constants are
// carried out while compiling, with the same operations, so that Run only repeats what
// depends on the variables.
//
// Run writes the program's scratch registers: one object must not run on two threads at once.
class CCompiledFormula {
public:
    // The empty text (every run fails with error 9).
    CCompiledFormula();
    explicit CCompiledFormula(std::string_view text);

    // Inlined where it is called, so that a loop running programs sample by sample keeps their
    // dispatch apart and pays no call.
    [[nodiscard]] KUBO_FORMULA_INLINE int Run(CFormulaEvaluator& evaluator, double& result);

private:
    friend class CFormulaCompiler;
    // Lowers the program into its own register form.
    friend class CTranslationProgram;

    enum class Op : std::uint8_t {
        kLoad,             // target = variable name; unbound: failure
        kStore,            // SetVariable(name, left); no free slot: failure
        kRemove,           // RemoveVariable(name)
        kNegate,           // target = -left
        kAdd,              // target = left + right
        kSubtract,         // target = left - right
        kMultiply,         // target = left * right
        kDivide,           // target = left / right, right known to be neither 0 nor NaN
        kDivideChecked,    // as kDivide; right equal to 0 or NaN: failure
        kRemainder,        // target = fmod(left, right), right known to be neither 0 nor NaN
        kRemainderChecked, // as kRemainder; right equal to 0 or NaN: failure
        kPower,            // target = pow(left, right)
        kCall,             // target = function(left, right, third)
        kFail,             // failure
        kEnd,              // result = left; success
    };

    // Operands that are the value the instruction before produced: Run keeps that value in a
    // local (the accumulator) so that a chain of operations does not wait on memory.
    static constexpr std::uint8_t kLeftIsLast = 1;
    static constexpr std::uint8_t kRightIsLast = 2;

    struct Instruction {
        Op op = Op::kEnd;
        std::uint8_t last = 0; // kLeftIsLast | kRightIsLast; such an operand's index is unused
        std::uint32_t target = 0;
        std::uint32_t left = 0;
        std::uint32_t right = 0;
        std::uint32_t third = 0;
        std::uint32_t name = 0;    // index into m_names
        std::uint32_t failure = 0; // index into m_failures
        double (*function)(double, double, double) = nullptr;
    };

    // An error as Evaluate records it, and the register holding what its result holds then.
    struct Failure {
        int code = 0;
        int position = 0;
        std::string token;
        std::uint32_t result = 0;
    };

    int Fail(CFormulaEvaluator& evaluator, std::uint32_t failure, double& result) const;

    std::vector<Instruction> m_code;
    // Constants are stored at compile time and never written; every other register is written
    // by exactly one instruction (before any instruction reads it), also when the instruction
    // after it takes the value from the accumulator.
    std::vector<double> m_registers;
    std::vector<CFormulaEvaluator::VariableName> m_names;
    std::vector<Failure> m_failures;
};

KUBO_FORMULA_INLINE int CCompiledFormula::Run(CFormulaEvaluator& evaluator, double& result) {
    namespace fa = formula_arithmetic;
    evaluator.m_nErrorCode = CFormulaEvaluator::kNoError;
    evaluator.m_nErrorPosition = 0;
    evaluator.m_strErrorToken.clear();
    double* const r = m_registers.data();
    // The value of the last instruction that produced one; it is also in that instruction's
    // target register. An operand marked as the last value reads it from here (its index then
    // names a constant, so that no read waits on the store just made).
    double last = 0.0;
    // Each operation goes through the interpreter's arithmetic, left operand first, so that
    // two NaN operands give the same one of them.
    for (const Instruction* in = m_code.data();; ++in) {
        const auto left = [&] { return (in->last & kLeftIsLast) ? last : r[in->left]; };
        const auto right = [&] { return (in->last & kRightIsLast) ? last : r[in->right]; };
        switch (in->op) {
        case Op::kLoad:
            if (!evaluator.LookupVariable(m_names[in->name], last)) [[unlikely]]
                return Fail(evaluator, in->failure, result);
            break;
        case Op::kStore:
            if (!evaluator.SetVariable(m_names[in->name], left())) [[unlikely]]
                return Fail(evaluator, in->failure, result);
            continue;
        case Op::kRemove:
            evaluator.RemoveVariable(m_names[in->name]);
            continue;
        case Op::kNegate:
            last = -left();
            break;
        case Op::kAdd:
            last = fa::Add(left(), right());
            break;
        case Op::kSubtract:
            last = fa::Subtract(left(), right());
            break;
        case Op::kMultiply:
            last = fa::Multiply(left(), right());
            break;
        case Op::kDivideChecked: {
            const double divisor = right();
            if (divisor == 0.0 || std::isnan(divisor)) [[unlikely]]
                return Fail(evaluator, in->failure, result);
            last = fa::Divide(left(), divisor);
            break;
        }
        case Op::kDivide:
            last = fa::Divide(left(), right());
            break;
        case Op::kRemainderChecked: {
            const double divisor = right();
            if (divisor == 0.0 || std::isnan(divisor)) [[unlikely]]
                return Fail(evaluator, in->failure, result);
            last = fa::Remainder(left(), divisor);
            break;
        }
        case Op::kRemainder:
            last = fa::Remainder(left(), right());
            break;
        case Op::kPower:
            last = fa::Power(left(), right());
            break;
        case Op::kCall:
            last = in->function(left(), right(), r[in->third]);
            break;
        case Op::kFail:
            return Fail(evaluator, in->failure, result);
        case Op::kEnd:
            result = left();
            return CFormulaEvaluator::kNoError;
        default:
            __builtin_unreachable();
        }
        r[in->target] = last;
    }
}
