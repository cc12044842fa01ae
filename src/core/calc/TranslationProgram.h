// CTranslationProgram: a flight's pressure and altitude formulas as one register program that
// translates raw values sample after sample.
#pragma once

#include "calc/CompiledFormula.h"
#include "calc/FormulaArithmetic.h"
#include "calc/FormulaEvaluator.h"

#include <cstdint>
#include <string_view>
#include <vector>

// Does what the translation does with one CFormulaEvaluator and the two texts, to the bit:
// Reference binds X to the reference raw value, evaluates the pressure formula and binds PR to
// its value; each Sample binds X, evaluates the pressure formula, binds PA to the value that
// evaluation leaves (also after an error) and evaluates the altitude formula. Variables the
// formulas assign stay bound for the following samples, as in the evaluator. Of each
// evaluation only what the translation uses is kept: the result and whether the altitude
// formula succeeded, not the error's code, position or token.
//
// Every name gets a register and a bound flag instead of a table slot: a read of a name known
// to be bound costs nothing, an assignment is a copy, and no name is looked up while samples
// run. The table is then needed for one thing only, running out of slots (error 5), which
// cannot happen while no more than kVariableSlots distinct names can be bound: X, PA, PR and
// the names the formulas assign. Usable() says whether the pair stays within that.
//
// Not for use on two threads at once.
class CTranslationProgram {
public:
    CTranslationProgram(std::string_view pressureFormula, std::string_view altitudeFormula);

    // False when the formulas may bind more names than the evaluator has slots; then none of
    // the operations below may be used.
    [[nodiscard]] bool Usable() const { return m_bUsable; }

    // Called once, before any sample. False when the pressure formula fails on the reference
    // value; then PR stays unbound and no sample may be evaluated.
    [[nodiscard]] bool Reference(double raw, double& pressure);

    // After a successful Reference: whether a sample may read a variable that the samples
    // change (an assignment, a removal, the binding of X or PA) before that sample itself has
    // written it. When false, each sample's results depend on its raw value alone, whatever
    // came before; the order and number of samples do not matter.
    [[nodiscard]] bool CarriesState() const { return m_bCarriesState; }

    // After a successful Reference: whether the pressure formula's result depends on the raw
    // value alone and the altitude formula reads nothing the pressure formula assigns. Then
    // evaluating the pressure formula once per distinct raw value and passing its results to
    // SampleWithPressure gives the results Sample gives (the variables the pressure formula
    // assigns keep what they held instead).
    [[nodiscard]] bool PressureDependsOnRawAlone() const { return m_bPressureOnRawAlone; }

    // The pressure formula's result for raw, as Sample leaves it in pressure.
    [[nodiscard]] double Pressure(double raw) {
        double* const r = m_registers.data();
        r[m_x] = raw;
        m_bound[m_x] = 1;
        double pressure = 0.0;
        static_cast<void>(Run(m_pressureSteps.data(), r, m_bound.data(), pressure));
        return pressure;
    }

    // Sample without the pressure formula, given its result for raw.
    [[nodiscard]] KUBO_FORMULA_INLINE bool SampleWithPressure(double raw, double pressure,
                                                              double& altitude) {
        double* const r = m_registers.data();
        std::uint8_t* const bound = m_bound.data();
        r[m_x] = raw;
        bound[m_x] = 1;
        r[m_pa] = pressure;
        bound[m_pa] = 1;
        return Run(m_altitudeSteps.data(), r, bound, altitude);
    }

    // One sample: pressure gets what the pressure formula leaves as its result; true when the
    // altitude formula succeeds, with its value in altitude. Inlined where it is called, so
    // that a loop running samples keeps the two programs' dispatch apart and pays no call.
    [[nodiscard]] KUBO_FORMULA_INLINE bool Sample(double raw, double& pressure, double& altitude);

    // The variables as the evaluator would hold them now: LookupVariable's answer for a name,
    // and how many names are bound.
    [[nodiscard]] bool LookupVariable(std::string_view name, double& value) const;
    [[nodiscard]] int VariableCount() const;

private:
    class Lowering;

    enum class Op : std::uint8_t {
        kCheck,            // left's bound flag clear: failure
        kCopy,             // target = left
        kStore,            // target = left and its bound flag set
        kUnbind,           // target's bound flag cleared
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

    static constexpr std::uint8_t kLeftIsLast = 1;
    static constexpr std::uint8_t kRightIsLast = 2;

    // All operands index one register file: the variables' registers first, then each
    // program's constants and temporaries. A failure sets the result to register `failure`.
    struct Step {
        Op op = Op::kEnd;
        std::uint8_t last = 0; // kLeftIsLast | kRightIsLast: the operand is the last value made
        std::uint32_t target = 0;
        std::uint32_t left = 0;
        std::uint32_t right = 0;
        std::uint32_t third = 0;
        std::uint32_t failure = 0;
        double (*function)(double, double, double) = nullptr;
    };

    // A program's steps between its start and a kEnd or kFail.
    KUBO_FORMULA_INLINE static bool Run(const Step* code, double* r, std::uint8_t* bound,
                                        double& result);

    [[nodiscard]] int Cell(const CFormulaEvaluator::NameKey& key) const;

    CCompiledFormula m_pressure;
    CCompiledFormula m_altitude;
    bool m_bUsable = false;
    bool m_bCarriesState = false;
    bool m_bPressureOnRawAlone = false;

    // Per variable, in the order of its register: the key of its name.
    std::vector<CFormulaEvaluator::NameKey> m_keys;
    std::vector<double> m_registers;
    std::vector<std::uint8_t> m_bound; // per variable register
    std::uint32_t m_x = 0;
    std::uint32_t m_pa = 0;
    std::uint32_t m_pr = 0;
    std::vector<Step> m_pressureSteps;
    std::vector<Step> m_altitudeSteps;
};

KUBO_FORMULA_INLINE bool CTranslationProgram::Run(const Step* code, double* r, std::uint8_t* bound,
                                                  double& result) {
    namespace fa = formula_arithmetic;
    // The value of the last step that made one, also in its target register; an operand marked
    // as the last value reads it from here, so that a chain does not wait on memory.
    double last = 0.0;
    for (const Step* in = code;; ++in) {
        const auto left = [&] { return (in->last & kLeftIsLast) ? last : r[in->left]; };
        const auto right = [&] { return (in->last & kRightIsLast) ? last : r[in->right]; };
        switch (in->op) {
        case Op::kCheck:
            if (!bound[in->left]) [[unlikely]] {
                result = r[in->failure];
                return false;
            }
            continue;
        case Op::kCopy:
            last = r[in->left];
            break;
        case Op::kStore:
            r[in->target] = left();
            bound[in->target] = 1;
            continue;
        case Op::kUnbind:
            bound[in->target] = 0;
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
            if (divisor == 0.0 || std::isnan(divisor)) [[unlikely]] {
                result = r[in->failure];
                return false;
            }
            last = fa::Divide(left(), divisor);
            break;
        }
        case Op::kDivide:
            last = fa::Divide(left(), right());
            break;
        case Op::kRemainderChecked: {
            const double divisor = right();
            if (divisor == 0.0 || std::isnan(divisor)) [[unlikely]] {
                result = r[in->failure];
                return false;
            }
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
            result = r[in->failure];
            return false;
        case Op::kEnd:
            result = left();
            return true;
        default:
            __builtin_unreachable();
        }
        r[in->target] = last;
    }
}

KUBO_FORMULA_INLINE bool CTranslationProgram::Sample(double raw, double& pressure,
                                                     double& altitude) {
    double* const r = m_registers.data();
    std::uint8_t* const bound = m_bound.data();
    r[m_x] = raw;
    bound[m_x] = 1;
    static_cast<void>(Run(m_pressureSteps.data(), r, bound, pressure));
    r[m_pa] = pressure;
    bound[m_pa] = 1;
    return Run(m_altitudeSteps.data(), r, bound, altitude);
}
