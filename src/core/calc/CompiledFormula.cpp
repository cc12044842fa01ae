#include "calc/CompiledFormula.h"

#include "calc/FormulaCompiler.h"

#include <cmath>

CCompiledFormula::CCompiledFormula() : CCompiledFormula(std::string_view{}) {}

CCompiledFormula::CCompiledFormula(std::string_view text) {
    CFormulaCompiler::Compile(text, *this);
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
