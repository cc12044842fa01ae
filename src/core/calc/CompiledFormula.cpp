#include "calc/CompiledFormula.h"

#include "calc/FormulaArithmetic.h"
#include "calc/FormulaCompiler.h"

#include <cmath>

CCompiledFormula::CCompiledFormula() : CCompiledFormula(std::string_view{}) {}

CCompiledFormula::CCompiledFormula(std::string_view text) {
    CFormulaCompiler::Compile(text, *this);
}

int CCompiledFormula::Run(CFormulaEvaluator& evaluator, double& result) {
    evaluator.m_nErrorCode = CFormulaEvaluator::kNoError;
    evaluator.m_nErrorPosition = 0;
    evaluator.m_strErrorToken.clear();
    double* const r = m_registers.data();
    // Each operation goes through the interpreter's arithmetic, left operand first, so that
    // two NaN operands give the same one of them.
    for (const Instruction* in = m_code.data();; ++in) {
        switch (in->op) {
        case Op::kLoad:
            if (!evaluator.LookupVariable(m_names[in->name], r[in->target]))
                return Fail(evaluator, in->failure, result);
            break;
        case Op::kStore:
            if (!evaluator.SetVariable(m_names[in->name], r[in->left]))
                return Fail(evaluator, in->failure, result);
            break;
        case Op::kRemove:
            evaluator.RemoveVariable(m_names[in->name]);
            break;
        case Op::kNegate:
            r[in->target] = -r[in->left];
            break;
        case Op::kAdd:
            r[in->target] = formula_arithmetic::Add(r[in->left], r[in->right]);
            break;
        case Op::kSubtract:
            r[in->target] = formula_arithmetic::Subtract(r[in->left], r[in->right]);
            break;
        case Op::kMultiply:
            r[in->target] = formula_arithmetic::Multiply(r[in->left], r[in->right]);
            break;
        case Op::kDivideChecked:
            if (r[in->right] == 0.0 || std::isnan(r[in->right]))
                return Fail(evaluator, in->failure, result);
            [[fallthrough]];
        case Op::kDivide:
            r[in->target] = formula_arithmetic::Divide(r[in->left], r[in->right]);
            break;
        case Op::kRemainderChecked:
            if (r[in->right] == 0.0 || std::isnan(r[in->right]))
                return Fail(evaluator, in->failure, result);
            [[fallthrough]];
        case Op::kRemainder:
            r[in->target] = formula_arithmetic::Remainder(r[in->left], r[in->right]);
            break;
        case Op::kPower:
            r[in->target] = formula_arithmetic::Power(r[in->left], r[in->right]);
            break;
        case Op::kCall:
            r[in->target] = in->function(r[in->left], r[in->right], r[in->third]);
            break;
        case Op::kFail:
            return Fail(evaluator, in->failure, result);
        case Op::kEnd:
            result = r[in->left];
            return CFormulaEvaluator::kNoError;
        }
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
