#include "calc/CompiledFormula.h"

#include "calc/FormulaArithmetic.h"
#include "calc/FormulaCompiler.h"

#include <cmath>

CCompiledFormula::CCompiledFormula() : CCompiledFormula(std::string_view{}) {}

CCompiledFormula::CCompiledFormula(std::string_view text) {
    CFormulaCompiler::Compile(text, *this);
}

int CCompiledFormula::Run(CFormulaEvaluator& evaluator, double& result) {
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

int CCompiledFormula::Fail(CFormulaEvaluator& evaluator, std::uint32_t failure,
                           double& result) const {
    const Failure& f = m_failures[failure];
    evaluator.m_nErrorCode = f.code;
    evaluator.m_nErrorPosition = f.position;
    evaluator.m_strErrorToken.assign(f.token);
    result = m_registers[f.result];
    return f.code;
}
